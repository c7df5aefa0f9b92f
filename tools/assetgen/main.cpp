// Writes the game's Data folder: pictures, sound effects and music loops.
// Usage: assetgen <Data folder>
//        assetgen --icons <folder> <name>   the desktop icon, as
//                                           <folder>/<n>x<n>/apps/<name>.png
//                                           for n = 48, 128 and 256
// The output depends on nothing but this program, so every build writes the
// same bytes.

#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "effects.h"
#include "ogg_writer.h"
#include "pictures.h"
#include "png_writer.h"
#include "songs.h"
#include "wav_writer.h"

namespace fs = std::filesystem;
using namespace assetgen;

namespace {

void WritePictures(const fs::path& dir) {
    const std::pair<const char*, std::function<Canvas()>> pictures[] = {
        {"boat.png", BoatPicture},         {"rock.png", RockPicture},
        {"pickup.png", GemPicture},        {"wake.png", WakePicture},
        {"explosion.png", ExplosionPicture}, {"particlering.png", RingPicture},
        {"particlering2.png", GemRingPicture},
    };
    for (const auto& [name, draw] : pictures) {
        const Canvas canvas = draw();
        WritePng((dir / name).string(), canvas.Width(), canvas.Height(), canvas.ToRgba8());
    }
}

void WriteEffects(const fs::path& dir) {
    const std::pair<const char*, std::function<std::vector<float>()>> effects[] = {
        {"select.wav", SelectEffect},         {"explosion.wav", ExplosionEffect}, {"pickup.wav", PickupEffect},
        {"accelerate.wav", AccelerateEffect}, {"success.wav", SuccessEffect},
    };
    for (const auto& [name, make] : effects) WriteWav((dir / name).string(), 1, kSampleRate, make());
}

void WriteSong(const fs::path& path, const Song& song) {
    const StereoBuffer loop = RenderSong(song);
    WriteOggVorbis(path.string(), kSampleRate, 0.4f, loop.left, loop.right);
}

void WriteIcons(const fs::path& dir, const std::string& name) {
    for (int size : {48, 128, 256}) {
        const fs::path folder = dir / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        fs::create_directories(folder);
        const Canvas canvas = IconPicture(size);
        WritePng((folder / (name + ".png")).string(), canvas.Width(), canvas.Height(), canvas.ToRgba8());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--icons") {
        try {
            WriteIcons(argv[2], argv[3]);
        } catch (const std::exception& e) {
            std::cerr << "assetgen: " << e.what() << "\n";
            return 1;
        }
        return 0;
    }
    if (argc != 2) {
        std::cerr << "usage: assetgen <Data folder> | assetgen --icons <folder> <name>\n";
        return 2;
    }
    try {
        const fs::path data = argv[1];
        for (const char* sub : {"Images", "Sound", "Music"}) fs::create_directories(data / sub);

        // Songs take the longest; each renders on its own thread while this
        // one draws the pictures and effects. Results do not depend on timing.
        const std::pair<const char*, std::function<Song()>> songs[] = {
            {"title.ogg", TitleSong},
            {"game.ogg", GameSong},
            {"levelcomplete.ogg", LevelCompleteSong},
            {"gameover.ogg", GameOverSong},
        };
        std::vector<std::exception_ptr> errors(std::size(songs));
        std::vector<std::thread> workers;
        for (size_t i = 0; i < std::size(songs); ++i) {
            workers.emplace_back([&, i] {
                try {
                    WriteSong(data / "Music" / songs[i].first, songs[i].second());
                } catch (...) {
                    errors[i] = std::current_exception();
                }
            });
        }
        WritePictures(data / "Images");
        WriteEffects(data / "Sound");
        for (auto& w : workers) w.join();
        for (const auto& e : errors)
            if (e) std::rethrow_exception(e);
    } catch (const std::exception& e) {
        std::cerr << "assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
