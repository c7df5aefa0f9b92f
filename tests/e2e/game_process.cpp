#include "game_process.h"

#include "shell_util.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <png.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace e2e {

std::string Run(const std::string& command) { return testutil::Shell(command); }

namespace {

bool Near(const unsigned char* p, int r, int g, int b, int tolerance) {
    return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
}

}  // namespace

GameProcess::GameProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
    _errorsPath = "/tmp/vellum-e2e-" + std::to_string(getpid()) + "-" + std::to_string(rand()) + ".err";
    _outputPath = _errorsPath.substr(0, _errorsPath.size() - 4) + ".out";
    // The given entries replace inherited ones of the same name; a name
    // without "=" removes it.
    std::vector<std::string> env;
    for (const auto& given : environment)
        if (given.find('=') != std::string::npos) env.push_back(given);
    for (char** e = environ; *e; ++e) {
        std::string entry = *e, name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const auto& given : environment) replaced = replaced || given.rfind(name, 0) == 0 || given + "=" == name;
        if (!replaced) env.push_back(entry);
    }
    std::vector<char*> envp, argv;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, _errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, _outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) _pid = -1;
    posix_spawn_file_actions_destroy(&actions);
}

GameProcess::~GameProcess() {
    if (Running()) {
        kill(_pid, SIGKILL);
        Wait(5000);
    }
    std::remove(_errorsPath.c_str());
    std::remove(_outputPath.c_str());
}

int GameProcess::Wait(int ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (_pid > 0 && _status == -1) {
        int status;
        pid_t done = waitpid(_pid, &status, WNOHANG);
        if (done == _pid) {
            _status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) return -1;
        Sleep(20);
    }
    return _status;
}

bool GameProcess::Running() { return _pid > 0 && Wait(0) == -1; }

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string GameProcess::Errors() const { return ReadText(_errorsPath); }
std::string GameProcess::Output() const { return ReadText(_outputPath); }

std::string GameProcess::WaitForWindow(int ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline && Running()) {
        std::string id = Run("xdotool search --onlyvisible --pid " + std::to_string(_pid) + " 2>/dev/null | head -n 1");
        if (!id.empty()) return id;
        Sleep(50);
    }
    return "";
}

int Screen::Count(int x, int y, int w, int h, int r, int g, int b, int tolerance) const {
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) n += Near(At(i, j), r, g, b, tolerance);
    return n;
}

int Screen::CountOther(int x, int y, int w, int h, int r, int g, int b, int tolerance) const {
    return w * h - Count(x, y, w, h, r, g, b, tolerance);
}

int Screen::CountDifferentPixels(const Screen& other) const {
    if (other.width != width || other.height != height) return width * height;
    int n = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) n += std::memcmp(&rgb[i], &other.rgb[i], 3) != 0;
    return n;
}

void Screen::SavePng(const std::string& path) const {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[static_cast<size_t>(y) * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

Screen LoadPng(const std::string& path) {
    Screen screen;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return screen;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return screen;
    }
    screen.width = static_cast<int>(image.width);
    screen.height = static_cast<int>(image.height);
    screen.rgb = std::move(rgb);
    return screen;
}

Screen CaptureScreen(const char* name) {
    Screen screen;
    Display* display = XOpenDisplay(name);
    if (!display) return screen;
    Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);
    XImage* image = XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image) {
        screen.width = attributes.width;
        screen.height = attributes.height;
        screen.rgb.resize(static_cast<size_t>(screen.width) * screen.height * 3);
        for (int y = 0; y < screen.height; ++y) {
            for (int x = 0; x < screen.width; ++x) {
                unsigned long pixel = XGetPixel(image, x, y);
                unsigned char* out = &screen.rgb[(static_cast<size_t>(y) * screen.width + x) * 3];
                out[0] = (pixel >> 16) & 0xFF, out[1] = (pixel >> 8) & 0xFF, out[2] = pixel & 0xFF;
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return screen;
}

std::string Xdotool(const std::string& args) { return Run("timeout 5 xdotool " + args + " 2>/dev/null"); }

PrivateDisplay::PrivateDisplay(const std::string& screen, const std::vector<std::string>& options) {
    // A display number of its own, away from the test display's.
    name = ":" + std::to_string(300 + (getpid() * 7 + rand()) % 600);
    std::vector<std::string> args = {"Xvfb", name, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&_pid, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) _pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; i < 100 && _pid > 0; ++i) {
        if (CaptureScreen(name.c_str()).width > 0) return;
        Sleep(100);
    }
}

PrivateDisplay::~PrivateDisplay() {
    if (_pid <= 0) return;
    kill(_pid, SIGTERM);
    waitpid(_pid, nullptr, 0);
}

bool PrivateDisplay::Up() const { return CaptureScreen(name.c_str()).width > 0; }

std::string PrivateDisplay::Xdotool(const std::string& args) const {
    return Run("DISPLAY=" + name + " timeout 5 xdotool " + args + " 2>/dev/null");
}

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace e2e
