#include "game/replay_file.h"

#include <fstream>
#include <sstream>

namespace tiderush {

namespace {

constexpr const char* kHeader = "TIDERUSH replay 1";

}  // namespace

bool TReplayWriter::Open(const std::string& path, int seed, std::string& error) {
    _file = std::fopen(path.c_str(), "w");
    if (!_file) {
        error = "cannot write the replay file \"" + path + "\"";
        return false;
    }
    std::fprintf(_file, "%s\nseed %d\n", kHeader, seed);
    return true;
}

void TReplayWriter::WriteStep(int step, const std::vector<TKeySample>& changes) {
    if (!_file || changes.empty()) return;
    std::fprintf(_file, "%d", step);
    for (const auto& change : changes) std::fprintf(_file, " %d=%d/%d", change.key, change.down, change.hits);
    std::fputc('\n', _file);
}

void TReplayWriter::Close(int steps) {
    if (!_file) return;
    std::fprintf(_file, "end %d\n", steps);
    std::fclose(_file);
    _file = nullptr;
}

TReplayWriter::~TReplayWriter() {
    if (_file) std::fclose(_file);  // no end line: the game did not finish the step loop
}

bool TReplayReader::Load(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read the replay file \"" + path + "\"";
        return false;
    }
    auto damaged = [&](int line) {
        error = "the replay file \"" + path + "\" is damaged at line " + std::to_string(line);
        return false;
    };
    std::string text;
    if (!std::getline(in, text) || text != kHeader) return damaged(1);
    if (!std::getline(in, text) || std::sscanf(text.c_str(), "seed %d", &_seed) != 1) return damaged(2);
    int lineNumber = 2, lastStep = -1;
    bool ended = false;
    while (std::getline(in, text)) {
        ++lineNumber;
        if (text.empty()) continue;
        if (ended) return damaged(lineNumber);
        std::istringstream line(text);
        std::string first;
        line >> first;
        if (first == "end") {
            if (!(line >> _steps) || _steps <= lastStep) return damaged(lineNumber);
            ended = true;
            continue;
        }
        int step = -1;
        try {
            step = std::stoi(first);
        } catch (const std::exception&) {
            return damaged(lineNumber);
        }
        if (step <= lastStep) return damaged(lineNumber);
        lastStep = step;
        auto& changes = _changes[step];
        for (std::string item; line >> item;) {
            TKeySample sample;
            if (std::sscanf(item.c_str(), "%d=%d/%d", &sample.key, &sample.down, &sample.hits) != 3 ||
                sample.key < 1 || sample.key > 255 || sample.hits < 0)
                return damaged(lineNumber);
            changes.push_back(sample);
        }
    }
    if (!ended) {
        error = "the replay file \"" + path + "\" has no end line";
        return false;
    }
    return true;
}

const std::vector<TKeySample>& TReplayReader::Changes(int step) const {
    static const std::vector<TKeySample> none;
    auto it = _changes.find(step);
    return it == _changes.end() ? none : it->second;
}

}  // namespace tiderush
