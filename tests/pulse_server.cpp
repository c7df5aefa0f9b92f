#include "pulse_server.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

#include "shell_util.h"

namespace testutil {

namespace {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace

PulseServer::PulseServer() {
    char pattern[] = "/tmp/vellum-pulse-XXXXXX";
    if (char* made = mkdtemp(pattern)) _dir = made;
    std::filesystem::create_directories(_dir + "/home");
    std::ofstream(_dir + "/client.conf") << "autospawn = no\n";
    setenv("XDG_RUNTIME_DIR", _dir.c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", (_dir + "/client.conf").c_str(), 1);
}

PulseServer::~PulseServer() {
    Stop();
    std::error_code ignored;
    std::filesystem::remove_all(_dir, ignored);
}

bool PulseServer::Installed() {
    return Shell("command -v pulseaudio >/dev/null && command -v pactl >/dev/null && echo yes") == "yes";
}

bool PulseServer::Start() {
    Stop();
    pid_t pid = fork();
    if (pid == 0) {
        // The server's own home keeps its cookie and state apart from the user's.
        setenv("HOME", (_dir + "/home").c_str(), 1);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        execlp("pulseaudio", "pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
               "--load=module-null-sink sink_name=out", "--load=module-native-protocol-unix", nullptr);
        _exit(127);
    }
    if (pid < 0) return false;
    _pid = pid;
    return WaitUntil([this] { return SinkInputs() >= 0; }, std::chrono::seconds(20));
}

void PulseServer::Stop() {
    if (_pid <= 0) return;
    kill(_pid, SIGTERM);
    bool ended = WaitUntil([this] { return waitpid(_pid, nullptr, WNOHANG) == _pid; }, std::chrono::seconds(10));
    if (!ended) {
        kill(_pid, SIGKILL);
        waitpid(_pid, nullptr, 0);
    }
    _pid = -1;
}

int PulseServer::SinkInputs() const {
    std::string out = Shell("pactl list short sink-inputs 2>/dev/null && echo answered");
    if (out.find("answered") == std::string::npos) return -1;
    std::istringstream lines(out);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line != "answered") ++count;
    return count;
}

bool PulseServer::WaitForSinkInputs(int count, std::chrono::milliseconds timeout) const {
    return WaitUntil([&] { return SinkInputs() >= count; }, timeout);
}

double CpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    size_t close = stat.rfind(')');  // the name may hold spaces
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::vector<std::string> field;
    for (std::string f; fields >> f;) field.push_back(f);
    if (field.size() < 13) return -1;
    // After the name: state is field 3, utime 14 and stime 15 of the whole line.
    return (std::stod(field[11]) + std::stod(field[12])) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace testutil
