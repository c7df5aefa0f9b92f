#pragma once
// The game's input, taken once per logic step. Screens ask this snapshot,
// not the engine's polled input, so a step's input can be recorded and
// played back exactly: live, each step samples the keyboard and the
// gamepads (d-pad and left stick steer, A or Start is Space, Back is
// Escape); recording also writes what changed to a replay file; a replay
// takes it from one.
// Hits not asked for carry over to later steps until read or flushed, as
// the engine's hit counts do.

#include <string>

namespace tiderush {

class TReplayReader;

// Live input from the keyboard (the default).
void StartLiveInput();
// Live input, with every step's changes written to path, each step's line
// handed to the system before the step is drawn; false with a message.
bool StartRecordingInput(const std::string& path, int seed, std::string& error);
// Input from a loaded replay (which must outlive the run).
void StartReplayInput(const TReplayReader& replay);
// Takes the next step's input (TGame::Logic does, first thing).
void BeginInputStep();
// True once a replay has no steps left.
bool InputFinished();
// Steps taken so far.
int InputSteps();
// Closes a recording with its end line. False when some of the recording
// could not be written (each failure was told in one line on standard error).
bool FinishInput();

// The key's presses not yet asked for; resets the count.
int InputHits(int key);
// 1 while the key is down at this step.
int InputDown(int key);
// Forgets every key state and press, here and in the engine.
void FlushInput();

}  // namespace tiderush
