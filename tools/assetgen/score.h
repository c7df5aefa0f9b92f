#pragma once

// Helpers that turn compact text into notes, so songs read like lead sheets.

#include <string>
#include <string_view>
#include <vector>

#include "song.h"

namespace assetgen {

// A melody line: space-separated tokens "pitch[:steps]" played one after the
// other from startStep. Pitches are note names with octave ("C5", "F#4",
// "Bb3"); "r" is a rest. A length carries over to the next token until
// changed. A trailing "!" accents the note, a "?" plays it softly.
std::vector<Note> Melody(std::string_view text, double startStep = 0.0, int transpose = 0);

// The chord's notes (from the name: "Am", "F", "G7", "Csus4", "Bbmaj7",
// "F#m7", "Eadd9", "Bdim") voiced within the octave starting at `low`, so
// successive chords move by small steps.
std::vector<int> ChordNotes(std::string_view name, int low);

// The chord's root pitch at or above `low`, less than an octave above it.
int ChordRoot(std::string_view name, int low);

// Each chord held for stepsPerChord, as a block of notes.
std::vector<Note> Block(const std::vector<std::string>& chords, int stepsPerChord, int low, float velocity,
                        double startStep = 0.0);

// Broken chords: `order` lists chord-tone indices (past the top the notes go
// up an octave), one every noteSteps, repeated through each chord.
std::vector<Note> Arpeggio(const std::vector<std::string>& chords, int stepsPerChord, int low, std::string_view order,
                           int noteSteps, float velocity, double startStep = 0.0);

// A bass line: `rhythm` has one character per step, repeated through each
// chord: 'R' root ('r' a softer one), '5' fifth, '3' third, 'O' root an
// octave up, 'b' the seventh below the root, '-' holds the previous note,
// '.' is silence.
std::vector<Note> Bass(const std::vector<std::string>& chords, int stepsPerChord, int low, std::string_view rhythm,
                       float velocity, double startStep = 0.0);

// Drum hits from a pattern of one character per step, repeated over `bars`
// bars from firstBar: 'X' accent, 'x' normal, 'o' ghost, '.' nothing.
void AddDrums(std::vector<Hit>& hits, Drum drum, std::string_view pattern, int firstBar, int bars);

// Appends the notes of `more` to `notes`.
void Append(std::vector<Note>& notes, const std::vector<Note>& more);

}  // namespace assetgen
