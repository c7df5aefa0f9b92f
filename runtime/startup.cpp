#include "runtime/startup.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "runtime/app.h"
#include "runtime/exception.h"
#include "runtime/exit_functions.h"

namespace vellum {

namespace {

void ReportUncaught(const char* message) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", message);
    std::fflush(stderr);
    std::exit(255);
}

}  // namespace

void InitRuntimeModule() {
    static bool started = false;
    if (started) return;
    started = true;
    AddExitFunction([] {});  // makes the registry exist before atexit is armed
    std::atexit(RunExitFunctions);
}

int RunProgram(int argc, char** argv, int (*entry)()) {
    InitRuntimeModule();
    InstallFaultReport();
    SetAppArgs(argc, argv);
    if (!AppDir().empty() && chdir(ToUtf8(AppDir()).c_str()) != 0)
        std::perror("unable to enter the program's folder");
    try {
        return entry();
    } catch (const TException& e) {
        ReportUncaught(e.what());
    } catch (const std::exception& e) {
        ReportUncaught(e.what());
    }
    return 255;
}

}  // namespace vellum
