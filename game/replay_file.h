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

#include <cstdio>
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
    // Writes one step's changes (nothing for a step without any).
    void WriteStep(int step, const std::vector<TKeySample>& changes);
    // Writes the end line and closes the file.
    void Close(int steps);
    ~TReplayWriter();

private:
    std::FILE* _file = nullptr;
};

class TReplayReader {
public:
    // Reads the whole file; false with a message for a missing or damaged file.
    bool Load(const std::string& path, std::string& error);
    int Seed() const { return _seed; }
    // The number of steps the file holds.
    int Steps() const { return _steps; }
    // The changes recorded for step (empty for most steps).
    const std::vector<TKeySample>& Changes(int step) const;

private:
    int _seed = 0;
    int _steps = 0;
    std::map<int, std::vector<TKeySample>> _changes;
};

}  // namespace tiderush
