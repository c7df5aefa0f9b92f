#pragma once
// Replay files: the seed and the input of every logic step, as text.
//
//   TIDERUSH replay 1
//   seed 7
//   120 32=1/1 37=1/0      step, then key=down/hits for each key that changed
//   126 32=0/0             or was pressed since the previous step
//   end 3400               the number of steps played
//
// Steps without a line repeat the previous step's keys with no new presses.
// Each line reaches the system as soon as it is written, so a game that was
// killed leaves a file without its end line, which still plays back as far
// as it goes.

#include <cstdio>
#include <istream>
#include <map>
#include <string>
#include <vector>

namespace tiderush {

struct TKeySample {
    int key = 0;
    int down = 0;  // the key's state at the start of the step
    int hits = 0;  // presses since the previous step
};

class TReplayWriter {
public:
    // Opens path for writing and writes the header; false with a message.
    bool Open(const std::string& path, int seed, std::string& error);
    // Writes one step's changes (nothing for a step without any). False with
    // a message once the file refuses a line; nothing is written after that.
    bool WriteStep(int step, const std::vector<TKeySample>& changes, std::string& error);
    // Writes the end line and closes the file; false with a message when the
    // line could not be written.
    bool Close(int steps, std::string& error);
    ~TReplayWriter();

private:
    // Hands text to the system at once; on failure closes the file.
    bool Put(const std::string& text, std::string& error);

    std::FILE* _file = nullptr;
    std::string _path;
};

class TReplayReader {
public:
    // Reads the whole file; false with a message for a missing or damaged file.
    bool Load(const std::string& path, std::string& error);
    // The same from text already open; name is the file's name for messages.
    bool Read(std::istream& in, const std::string& name, std::string& error);
    int Seed() const { return _seed; }
    // The number of steps the file holds: up to its last recorded step when
    // it ends early.
    int Steps() const { return _steps; }
    // True when the file has no end line: the recording game never finished.
    bool EndsEarly() const { return _endsEarly; }
    // The last step with a line, -1 when there is none.
    int LastStep() const { return _lastStep; }
    // The changes recorded for step (empty for most steps).
    const std::vector<TKeySample>& Changes(int step) const;

private:
    int _seed = 0;
    int _steps = 0;
    int _lastStep = -1;
    bool _endsEarly = false;
    std::map<int, std::vector<TKeySample>> _changes;
};

}  // namespace tiderush
