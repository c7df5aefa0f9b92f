#include "score.h"

#include <algorithm>
#include <stdexcept>

namespace assetgen {

namespace {

// Pitch class of a note letter with its accidentals; advances `pos`.
int PitchClass(std::string_view text, size_t& pos) {
    static constexpr int kLetters[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (pos >= text.size() || text[pos] < 'A' || text[pos] > 'G')
        throw std::runtime_error("bad note name: " + std::string(text));
    int pc = kLetters[text[pos] - 'A'];
    ++pos;
    while (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
        pc += text[pos] == '#' ? 1 : -1;
        ++pos;
    }
    return (pc + 12) % 12;
}

// Intervals above the root for the chord quality that follows the root.
std::vector<int> Quality(std::string_view q) {
    if (q == "") return {0, 4, 7};
    if (q == "m") return {0, 3, 7};
    if (q == "7") return {0, 4, 7, 10};
    if (q == "m7") return {0, 3, 7, 10};
    if (q == "maj7") return {0, 4, 7, 11};
    if (q == "sus4") return {0, 5, 7};
    if (q == "sus2") return {0, 2, 7};
    if (q == "add9") return {0, 4, 7, 14};
    if (q == "madd9") return {0, 3, 7, 14};
    if (q == "dim") return {0, 3, 6};
    if (q == "5") return {0, 7};
    throw std::runtime_error("unknown chord quality: " + std::string(q));
}

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> out;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        const size_t start = pos;
        while (pos < text.size() && text[pos] != ' ') ++pos;
        if (pos > start) out.push_back(text.substr(start, pos - start));
    }
    return out;
}

}  // namespace

std::vector<Note> Melody(std::string_view text, double startStep, int transpose) {
    std::vector<Note> notes;
    double step = startStep;
    double length = 1.0;
    for (std::string_view token : Tokens(text)) {
        float velocity = 0.8f;
        while (!token.empty() && (token.back() == '!' || token.back() == '?')) {
            velocity = token.back() == '!' ? 1.0f : 0.55f;
            token.remove_suffix(1);
        }
        const size_t colon = token.find(':');
        if (colon != std::string_view::npos) {
            length = std::stod(std::string(token.substr(colon + 1)));
            token = token.substr(0, colon);
        }
        if (token != "r") {
            size_t pos = 0;
            const int pc = PitchClass(token, pos);
            const int octave = std::stoi(std::string(token.substr(pos)));
            notes.push_back({step, length, 12 * (octave + 1) + pc + transpose, velocity});
        }
        step += length;
    }
    return notes;
}

std::vector<int> ChordNotes(std::string_view name, int low) {
    size_t pos = 0;
    const int root = PitchClass(name, pos);
    std::vector<int> notes;
    for (int interval : Quality(name.substr(pos))) {
        int pc = (root + interval) % 12;
        int midi = low + ((pc - low) % 12 + 12) % 12;
        if (interval >= 12) midi += 12;  // added ninths sit on top
        notes.push_back(midi);
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

int ChordRoot(std::string_view name, int low) {
    size_t pos = 0;
    const int root = PitchClass(name, pos);
    return low + ((root - low) % 12 + 12) % 12;
}

std::vector<Note> Block(const std::vector<std::string>& chords, int stepsPerChord, int low, float velocity,
                        double startStep) {
    std::vector<Note> notes;
    double step = startStep;
    for (const auto& chord : chords) {
        for (int midi : ChordNotes(chord, low)) notes.push_back({step, static_cast<double>(stepsPerChord), midi, velocity});
        step += stepsPerChord;
    }
    return notes;
}

std::vector<Note> Arpeggio(const std::vector<std::string>& chords, int stepsPerChord, int low, std::string_view order,
                           int noteSteps, float velocity, double startStep) {
    std::vector<int> indices;
    for (std::string_view token : Tokens(order)) indices.push_back(std::stoi(std::string(token)));
    std::vector<Note> notes;
    double step = startStep;
    for (const auto& chord : chords) {
        const auto tones = ChordNotes(chord, low);
        const int n = static_cast<int>(tones.size());
        size_t k = 0;
        for (int s = 0; s < stepsPerChord; s += noteSteps, ++k) {
            const int index = indices[k % indices.size()];
            const int midi = tones[static_cast<size_t>(index % n)] + 12 * (index / n);
            // The first note of each group leans forward a little.
            const float v = (k % indices.size() == 0) ? velocity : velocity * 0.8f;
            notes.push_back({step + s, static_cast<double>(noteSteps), midi, v});
        }
        step += stepsPerChord;
    }
    return notes;
}

std::vector<Note> Bass(const std::vector<std::string>& chords, int stepsPerChord, int low, std::string_view rhythm,
                       float velocity, double startStep) {
    std::vector<Note> notes;
    double step = startStep;
    for (const auto& chord : chords) {
        const auto tones = ChordNotes(chord, low);
        const int root = ChordRoot(chord, low);
        const int third = tones.size() > 1 ? root + ((tones[1] - root) % 12 + 12) % 12 : root + 4;
        for (int s = 0; s < stepsPerChord; ++s) {
            const char c = rhythm[static_cast<size_t>(s) % rhythm.size()];
            if (c == '-') {
                if (!notes.empty()) notes.back().length += 1.0;
                continue;
            }
            int midi = 0;
            float v = velocity;
            switch (c) {
                case 'R': midi = root; break;
                case 'r': midi = root; v *= 0.7f; break;
                case '5': midi = root + 7; break;
                case '3': midi = third; break;
                case 'O': midi = root + 12; break;
                case 'b': midi = root - 2; break;
                default: continue;
            }
            notes.push_back({step + s, 1.0, midi, v});
        }
        step += stepsPerChord;
    }
    return notes;
}

void AddDrums(std::vector<Hit>& hits, Drum drum, std::string_view pattern, int firstBar, int bars) {
    const int steps = bars * 16;
    for (int s = 0; s < steps; ++s) {
        const char c = pattern[static_cast<size_t>(s) % pattern.size()];
        const float v = c == 'X' ? 1.0f : c == 'x' ? 0.8f : c == 'o' ? 0.45f : 0.0f;
        if (v > 0.0f) hits.push_back({static_cast<double>(firstBar * 16 + s), drum, v});
    }
}

void Append(std::vector<Note>& notes, const std::vector<Note>& more) { notes.insert(notes.end(), more.begin(), more.end()); }

}  // namespace assetgen
