#include "desktop_requests.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace vellum {

namespace {

bool OnPath(const std::string& program) {
    const char* path = getenv("PATH");
    if (!path) return false;
    std::string dirs = path;
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// Runs a program without a shell (so no argument is ever interpreted) and
// collects its standard output; true if it ran and succeeded.
bool RunTool(const std::vector<std::string>& args, std::string& output) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return false;
    }
    char buf[4096];
    ssize_t n;
    while ((n = read(pipeEnds[0], buf, sizeof buf)) > 0) output.append(buf, n);
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

String Picked(const std::vector<std::string>& args) {
    std::string output;
    if (!RunTool(args, output)) return String();
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return FromUtf8(output);
}

// "png,jpg" becomes the pattern list "*.png *.jpg".
std::string ZenityFilter(const String& extensions) {
    std::string list = ToUtf8(extensions), filter;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find_first_of(",;", start);
        if (end == std::string::npos) end = list.size();
        if (end > start) filter += (filter.empty() ? "*." : " *.") + list.substr(start, end - start);
        start = end + 1;
    }
    return filter;
}

}  // namespace

String DesktopRequestFile(const String& text, const String& extensions, int save, const String& path) {
    if (OnPath("zenity")) {
        std::vector<std::string> args = {"zenity", "--file-selection", "--title=" + ToUtf8(text)};
        if (save) args.push_back("--save");
        if (!path.empty()) args.push_back("--filename=" + ToUtf8(path));
        std::string filter = ZenityFilter(extensions);
        if (!filter.empty()) args.push_back("--file-filter=" + filter);
        return Picked(args);
    }
    if (OnPath("kdialog")) {
        return Picked({"kdialog", "--title", ToUtf8(text), save ? "--getsavefilename" : "--getopenfilename",
                       path.empty() ? "." : ToUtf8(path), ZenityFilter(extensions)});
    }
    return String();
}

String DesktopRequestDir(const String& text, const String& path) {
    if (OnPath("zenity")) {
        std::vector<std::string> args = {"zenity", "--file-selection", "--directory", "--title=" + ToUtf8(text)};
        if (!path.empty()) args.push_back("--filename=" + ToUtf8(path));
        return Picked(args);
    }
    if (OnPath("kdialog"))
        return Picked({"kdialog", "--title", ToUtf8(text), "--getexistingdirectory", path.empty() ? "." : ToUtf8(path)});
    return String();
}

int DesktopOpenURL(const String& url) {
    if (url.empty() || !OnPath("xdg-open")) return 0;
    std::string ignored;
    return RunTool({"xdg-open", ToUtf8(url)}, ignored) ? 1 : 0;
}

}  // namespace vellum
