#include "songs.h"

#include "instruments.h"
#include "score.h"

namespace assetgen {

namespace {

Part MakePart(Patch patch, std::vector<Note> notes, float gain, float pan, float reverb, float echo = 0.0f) {
    Part part;
    part.patch = patch;
    part.notes = std::move(notes);
    part.gain = gain;
    part.pan = pan;
    part.reverb = reverb;
    part.echo = echo;
    return part;
}

}  // namespace

Song TitleSong() {
    Song song;
    song.bpm = 124.0;
    song.bars = 16;
    song.room = 0.6f;
    const std::vector<std::string> verse = {"D", "A", "Bm", "G", "D", "A", "G", "A"};
    const std::vector<std::string> lift = {"G", "A", "F#m", "Bm", "Em", "G", "A", "A7"};

    const std::string tune =
        "F#5:2 A5 D6:4 C#6:2 B5 A5:4 "
        "E5:2 A5 C#6:4 B5:2 A5 E5:4 "
        "F#5:2 B5 D6:4 C#6:2 D6 E6:4 "
        "D6:6 B5:2 G5:4 r:4 "
        "F#5:2 A5 D6:4 E6:2 F#6 E6:4 "
        "C#6:2 A5 E5:4 A5:2 B5 C#6:4 "
        "B5:3 A5 G5:2 B5:4 D6 "
        "E6:8 C#6:4 A5 "
        "B5:4 D6 G6:6 F#6:2 "
        "E6:4 C#6 A5:6 B5:2 "
        "C#6:4 F#6 E6 C#6 "
        "D6:6 C#6:2 B5:8 "
        "G5:2 B5 E6:4 D6:2 E6 G6:4 "
        "F#6:4 E6 D6 B5 "
        "C#6:4 E6 A6:8 "
        "G6:4 E6 C#6 A5";
    song.parts.push_back(MakePart(instruments::Lead(), Melody(tune, 0, -12), 1.0f, 0.1f, 0.25f, 0.22f));
    song.parts.push_back(MakePart(instruments::Bell(), Melody(tune, 128), 0.8f, -0.2f, 0.3f, 0.3f));

    auto chords = verse;
    chords.insert(chords.end(), lift.begin(), lift.end());
    song.parts.push_back(MakePart(instruments::Bass(), Bass(chords, 16, 38, "R..R..R.R..R5.O.", 0.9f), 1.0f, 0.0f, 0.05f));
    song.parts.push_back(MakePart(instruments::Pluck(), Arpeggio(verse, 16, 62, "0 1 2 3 4 3 2 1", 2, 0.7f), 1.8f,
                                  -0.35f, 0.2f, 0.25f));
    song.parts.push_back(MakePart(instruments::Pluck(), Arpeggio(lift, 16, 62, "0 1 2 3 2 3 4 5", 1, 0.6f, 128),
                                  1.5f, -0.35f, 0.2f, 0.25f));
    song.parts.push_back(MakePart(instruments::Pad(), Block(chords, 16, 57, 0.6f), 1.0f, 0.3f, 0.5f));

    AddDrums(song.hits, Drum::Kick, "X.....x.X.....x.", 0, 16);
    AddDrums(song.hits, Drum::Snare, "....X.......X...", 0, 7);
    AddDrums(song.hits, Drum::Snare, "....X.......X.xx", 7, 1);
    AddDrums(song.hits, Drum::Snare, "....X.......X...", 8, 7);
    AddDrums(song.hits, Drum::Snare, "....X...X.x.XxXx", 15, 1);
    AddDrums(song.hits, Drum::HatClosed, "x.o.x.o.x.o.x.oo", 0, 8);
    AddDrums(song.hits, Drum::HatClosed, "xox.xox.xox.xox.", 8, 8);
    AddDrums(song.hits, Drum::HatOpen, "...x...x...x...x", 8, 8);
    song.hits.push_back({0.0, Drum::Crash, 0.8f});
    song.hits.push_back({128.0, Drum::Crash, 0.8f});
    return song;
}

Song GameSong() {
    Song song;
    song.bpm = 140.0;
    song.bars = 16;
    song.room = 0.45f;
    song.echoSteps = 3.0;
    const std::vector<std::string> verse = {"Am", "F", "C", "G", "Am", "F", "C", "G"};
    const std::vector<std::string> lift = {"F", "G", "Am", "Am", "F", "G", "E", "E"};
    auto chords = verse;
    chords.insert(chords.end(), lift.begin(), lift.end());

    const std::string tune =
        "A4:2 C5 E5 A5 G5 E5 C5 E5 "
        "F5:4 E5:2 C5 A4:4 C5 "
        "G5:2 E5 C5 G5 A5:4 G5 "
        "D5:4 B4 D5:2 E5 G5:4 "
        "A5:2 G5 E5 A5 C6:4 B5 "
        "A5:6 G5:2 F5:4 E5 "
        "E5:2 G5 C6:4 B5:2 G5 E5:4 "
        "D5:8 r:4 E5:2 G5 "
        "A5:6 C6:2 A5:4 F5 "
        "B5:6 D6:2 B5:4 G5 "
        "C6:4 B5 A5 E5 "
        "A5:10 r:2 G5 A5 "
        "C6:6 A5:2 F5:4 A5 "
        "D6:6 B5:2 G5:4 B5 "
        "G#5:4 B5 E6:8 "
        "D6:4 B5 G#5 E5";
    song.parts.push_back(MakePart(instruments::Lead(), Melody(tune), 0.9f, 0.05f, 0.2f, 0.2f));
    song.parts.push_back(MakePart(instruments::Bass(), Bass(chords, 16, 40, "R.R.O.R.R.R.O.Rr", 0.95f), 1.0f, 0.0f, 0.03f));
    song.parts.push_back(MakePart(instruments::Pluck(), Arpeggio(chords, 16, 57, "0 1 2 1 3 2 1 2", 1, 0.7f), 0.75f,
                                  -0.4f, 0.15f, 0.3f));
    song.parts.push_back(MakePart(instruments::Pad(), Block(lift, 16, 55, 0.55f, 128), 1.0f, 0.35f, 0.4f));

    AddDrums(song.hits, Drum::Kick, "X...x...X...x...", 0, 15);
    AddDrums(song.hits, Drum::Kick, "X...x...X.x.X.x.", 15, 1);
    AddDrums(song.hits, Drum::Clap, "....X.......X...", 0, 15);
    AddDrums(song.hits, Drum::Snare, "....X...x.xxXXXX", 15, 1);
    AddDrums(song.hits, Drum::HatClosed, "xoxoxoxoxoxoxoxo", 0, 8);
    AddDrums(song.hits, Drum::HatClosed, "xox.xox.xox.xox.", 8, 8);
    AddDrums(song.hits, Drum::HatOpen, "...x...x...x...x", 8, 8);
    song.hits.push_back({0.0, Drum::Crash, 0.75f});
    song.hits.push_back({128.0, Drum::Crash, 0.75f});
    return song;
}

Song LevelCompleteSong() {
    Song song;
    song.bpm = 120.0;
    song.bars = 12;
    song.room = 0.65f;
    const std::vector<std::string> fanfare = {"C", "F", "G", "C"};
    const std::vector<std::string> settle = {"Am", "F", "C", "G", "F", "G", "C", "G"};
    auto chords = fanfare;
    chords.insert(chords.end(), settle.begin(), settle.end());

    const std::string call =
        "G4:2 C5 E5 G5:6 E5:2 G5 "
        "A5:4 C6 A5 F5 "
        "G5:4 B5 D6 B5 "
        "C6:12 r:4";
    const std::string answer =
        "E5:4 C5:2 E5 A5:8 "
        "A5:2 G5 F5 A5 C6:8 "
        "G5:4 E5 C5 E5 "
        "D5:8 G5 "
        "A5:4 C6 F6 E6 "
        "D6:4 B5 G5:8 "
        "C6:4 B5 G5 E5 "
        "D5:4 G4 B4 D5";
    song.parts.push_back(MakePart(instruments::Brass(), Melody(call), 1.0f, 0.0f, 0.3f, 0.1f));
    song.parts.push_back(MakePart(instruments::Brass(), Melody(call, 0, -12), 0.5f, -0.3f, 0.3f));
    song.parts.push_back(MakePart(instruments::Bell(), Melody(call, 0, 12), 0.6f, 0.3f, 0.35f, 0.25f));
    song.parts.push_back(MakePart(instruments::Keys(), Melody(answer, 64), 1.0f, 0.1f, 0.3f, 0.25f));
    song.parts.push_back(MakePart(instruments::Bell(), Melody(answer, 64), 0.45f, -0.25f, 0.3f, 0.3f));

    song.parts.push_back(MakePart(instruments::Bass(), Bass(fanfare, 16, 36, "R.......R...R.R.", 0.9f), 1.0f, 0.0f, 0.05f));
    song.parts.push_back(MakePart(instruments::Bass(), Bass(settle, 16, 36, "R..R..5.R..R.5O.", 0.85f, 64), 1.0f, 0.0f,
                                  0.05f));
    song.parts.push_back(MakePart(instruments::Pad(), Block(chords, 16, 55, 0.6f), 1.0f, 0.3f, 0.5f));
    song.parts.push_back(MakePart(instruments::Pluck(), Arpeggio(settle, 16, 60, "0 1 2 3", 2, 0.6f, 64), 1.3f,
                                  -0.4f, 0.25f, 0.3f));

    song.hits.push_back({0.0, Drum::Crash, 0.9f});
    AddDrums(song.hits, Drum::Kick, "X.......X.......", 0, 3);
    AddDrums(song.hits, Drum::Tom, "....x.....x.x.x.", 0, 3);
    AddDrums(song.hits, Drum::Snare, "X.......X.x.X.xx", 3, 1);
    song.hits.push_back({64.0, Drum::Crash, 0.6f});
    AddDrums(song.hits, Drum::Kick, "X.....x.X.......", 4, 8);
    AddDrums(song.hits, Drum::Snare, "....X.......X...", 4, 7);
    AddDrums(song.hits, Drum::Snare, "....X.....x.XxXx", 11, 1);
    AddDrums(song.hits, Drum::HatClosed, "x.o.x.o.x.o.x.o.", 4, 8);
    return song;
}

Song GameOverSong() {
    Song song;
    song.bpm = 76.0;
    song.bars = 8;
    song.room = 0.85f;
    song.damping = 0.6f;
    song.peak = 0.7f;
    song.echoSteps = 6.0;
    song.echoFeedback = 0.3f;
    const std::vector<std::string> chords = {"Dm", "Bb", "F", "C", "Gm", "Dm", "Gm", "A"};

    const std::string tune =
        "A4:8 F4:4 E4 "
        "D4:6 F4:2 Bb4:8 "
        "A4:8 C5:4 A4 "
        "G4:12 r:4 "
        "Bb4:6 A4:2 G4:8 "
        "F4:6 E4:2 D4:8 "
        "E4:4 F4 G4 Bb4 "
        "A4:6 G4:2 E4:4 C#4";
    song.parts.push_back(MakePart(instruments::Flute(), Melody(tune, 0, 12), 1.0f, 0.1f, 0.45f, 0.25f));
    song.parts.push_back(MakePart(instruments::Keys(), Arpeggio(chords, 16, 57, "0 1 2 1 3 2 1 2", 2, 0.5f), 1.4f,
                                  -0.3f, 0.45f, 0.15f));
    song.parts.push_back(MakePart(instruments::Strings(), Block(chords, 16, 53, 0.6f), 1.0f, 0.25f, 0.6f));
    song.parts.push_back(MakePart(instruments::SoftBass(), Bass(chords, 16, 38, "R-------R---5---", 0.8f), 0.55f, 0.0f,
                                  0.15f));
    song.hits.push_back({0.0, Drum::Crash, 0.3f});
    AddDrums(song.hits, Drum::Kick, "o...............", 0, 8);
    AddDrums(song.hits, Drum::HatClosed, "........o.......", 0, 8);
    return song;
}

}  // namespace assetgen
