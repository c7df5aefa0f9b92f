#include "runtime/app.h"

#include <climits>
#include <unistd.h>

namespace vellum {

namespace {

struct AppState {
    std::vector<String> args;
    String file;
    String dir;
    String title = u"Vellum Application";
};

AppState& State() {
    static auto* state = new AppState;  // lives for the whole run
    return *state;
}

}  // namespace

const std::vector<String>& AppArgs() { return State().args; }
const String& AppFile() { return State().file; }
const String& AppDir() { return State().dir; }
const String& AppTitle() { return State().title; }
void SetAppTitle(const String& title) { State().title = title; }

void SetAppArgs(int argc, char** argv) {
    auto& state = State();
    state.args.clear();
    for (int i = 0; i < argc; ++i) state.args.push_back(FromUtf8(argv[i]));

    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return;
    state.file = FromUtf8(std::string_view(path, length));
    auto slash = state.file.rfind(u'/');
    state.dir = slash == 0 ? String(u"/") : state.file.substr(0, slash);
}

}  // namespace vellum
