#pragma once
// The real game program run under the test display: started with its
// standard streams captured, driven by real X input, its screen read back.

#include <sys/types.h>

#include <string>
#include <vector>

namespace e2e {

class GameProcess {
public:
    // Runs program with args; environment entries ("NAME=value") replace
    // inherited ones, and a bare "NAME" removes one.
    GameProcess(const std::string& program, const std::vector<std::string>& args,
                const std::vector<std::string>& environment = {});
    ~GameProcess();

    // The exit status once the program ended within ms, else -1.
    int Wait(int ms);
    bool Running();
    // Everything the program wrote to standard error so far.
    std::string Errors() const;
    // Everything the program wrote to standard output so far.
    std::string Output() const;
    pid_t Pid() const { return _pid; }
    // The X window of the program, "" if none appeared within ms.
    std::string WaitForWindow(int ms);

private:
    pid_t _pid = -1;
    int _status = -1;
    std::string _errorsPath;
    std::string _outputPath;
};

// The 1024 x 768 screen as RGB bytes, read from the X server.
struct Screen {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
    // Pixels in the rectangle within tolerance of the colour.
    int Count(int x, int y, int w, int h, int r, int g, int b, int tolerance = 12) const;
    // Pixels in the rectangle that differ from the colour by more than tolerance.
    int CountOther(int x, int y, int w, int h, int r, int g, int b, int tolerance = 12) const;
    // Pixels that differ from the other screen's in any channel.
    int CountDifferentPixels(const Screen& other) const;
    void SavePng(const std::string& path) const;
};

// An X server of the test's own, of one screen ("1920x1080x24") and
// whatever Xvfb options; it stays up between clients.
class PrivateDisplay {
public:
    explicit PrivateDisplay(const std::string& screen, const std::vector<std::string>& options = {});
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;
    bool Up() const;
    std::string Xdotool(const std::string& args) const;

    std::string name;  // ":N"

private:
    pid_t _pid = -1;
};

// The screen of the given X display (nullptr: DISPLAY's).
Screen CaptureScreen(const char* display = nullptr);
// An RGB or RGBA PNG file as a Screen (empty when it cannot be read).
Screen LoadPng(const std::string& path);
// A whole file as text ("" when it cannot be read).
std::string ReadText(const std::string& path);
// Runs a shell command and returns its output.
std::string Run(const std::string& command);
// Runs xdotool with a time limit.
std::string Xdotool(const std::string& args);
void Sleep(int ms);

}  // namespace e2e
