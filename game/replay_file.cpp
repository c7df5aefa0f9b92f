#include "game/replay_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tiderush {

namespace {

constexpr const char* kHeader = "TIDERUSH replay 1";
// More presses of one key between two steps than anyone can make.
constexpr int kMaxHits = 255;

}  // namespace

bool TReplayWriter::Open(const std::string& path, int seed, std::string& error) {
    _path = path;
    _file = std::fopen(path.c_str(), "w");
    if (!_file) {
        error = "cannot write the replay file \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    return Put(std::string(kHeader) + "\nseed " + std::to_string(seed) + "\n", error);
}

bool TReplayWriter::Put(const std::string& text, std::string& error) {
    if (!_file) return false;
    // One write per line, before the next step is drawn: a crash loses no step.
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), _file) == text.size() && std::fflush(_file) == 0) return true;
    error = "cannot write the replay file \"" + _path + "\": " + (errno ? std::strerror(errno) : "write failed");
    std::fclose(_file);
    _file = nullptr;
    return false;
}

bool TReplayWriter::WriteStep(int step, const std::vector<TKeySample>& changes, std::string& error) {
    if (!_file) return false;
    if (changes.empty()) return true;
    std::string line = std::to_string(step);
    for (const auto& change : changes)
        line += " " + std::to_string(change.key) + "=" + std::to_string(change.down) + "/" + std::to_string(change.hits);
    return Put(line + "\n", error);
}

bool TReplayWriter::Close(int steps, std::string& error) {
    if (!Put("end " + std::to_string(steps) + "\n", error)) return false;
    bool closed = std::fclose(_file) == 0;
    _file = nullptr;
    if (!closed) error = "cannot write the replay file \"" + _path + "\": " + std::strerror(errno);
    return closed;
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
    return Read(in, path, error);
}

bool TReplayReader::Read(std::istream& in, const std::string& name, std::string& error) {
    auto damaged = [&](int line) {
        error = "the replay file \"" + name + "\" is damaged at line " + std::to_string(line);
        return false;
    };
    std::string text;
    if (!std::getline(in, text) || text != kHeader) return damaged(1);
    if (!std::getline(in, text) || std::sscanf(text.c_str(), "seed %d", &_seed) != 1) return damaged(2);
    int lineNumber = 2;
    bool ended = false;
    while (std::getline(in, text)) {
        ++lineNumber;
        if (text.empty()) continue;
        if (ended) return damaged(lineNumber);
        std::istringstream line(text);
        std::string first;
        line >> first;
        if (first == "end") {
            if (!(line >> _steps) || _steps <= _lastStep) return damaged(lineNumber);
            ended = true;
            continue;
        }
        // A last line without its line end was cut short by a crash: the
        // recording ends before it.
        if (in.eof()) break;
        int step = -1;
        try {
            step = std::stoi(first);
        } catch (const std::exception&) {
            return damaged(lineNumber);
        }
        if (step <= _lastStep || step == INT_MAX) return damaged(lineNumber);
        _lastStep = step;
        auto& changes = _changes[step];
        for (std::string item; line >> item;) {
            TKeySample sample;
            if (std::sscanf(item.c_str(), "%d=%d/%d", &sample.key, &sample.down, &sample.hits) != 3 ||
                sample.key < 1 || sample.key > 255 || sample.hits < 0 || sample.hits > kMaxHits)
                return damaged(lineNumber);
            changes.push_back(sample);
        }
    }
    if (!ended) {
        // The game that recorded it never finished: play what it did record.
        _endsEarly = true;
        _steps = _lastStep + 1;
    }
    return true;
}

const std::vector<TKeySample>& TReplayReader::Changes(int step) const {
    static const std::vector<TKeySample> none;
    auto it = _changes.find(step);
    return it == _changes.end() ? none : it->second;
}

}  // namespace tiderush
