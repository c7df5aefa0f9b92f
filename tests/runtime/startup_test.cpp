#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include "runtime/app.h"
#include "runtime/exception.h"
#include "runtime/exit_functions.h"
#include "runtime/startup.h"

using namespace vellum;

namespace {

char programName[] = "startup_test";
char* programArgs[] = {programName, nullptr};

int RunEntry(int (*entry)()) { return RunProgram(1, programArgs, entry); }

// The dying child leaves no core file behind in the build folder.
void NoCoreFile() {
    rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
}

}  // namespace

TEST(Startup, UncaughtErrorReportsItsMessageAndStatus255) {
    EXPECT_EXIT(RunEntry([]() -> int { throw TRuntimeException(u"Image 'ROCK' was not found"); }),
                testing::ExitedWithCode(255), "^Image 'ROCK' was not found\n$");
}

// After the report the signal takes its default course, so the process
// dies of it (with a core dump where the system keeps them), whether the
// processor raised it or someone sent it.
TEST(Startup, AFaultIsReportedAndThenTakesItsDefaultCourse) {
    auto illegalInstruction = []() -> int {
        NoCoreFile();
        __builtin_trap();
    };
    EXPECT_EXIT(RunEntry(illegalInstruction), testing::KilledBySignal(SIGILL),
                "^Windows exception: EXCEPTION_ILLEGAL_INSTRUCTION\n$");
    auto sentFault = []() -> int {
        NoCoreFile();
        raise(SIGFPE);
        return 0;
    };
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer takes SIGFPE as its own: its report comes first.
    EXPECT_EXIT(RunEntry(sentFault), testing::ExitedWithCode(1),
                "AddressSanitizer: FPE.*Windows exception: EXCEPTION_FLT_INVALID_OPERATION");
#else
    EXPECT_EXIT(RunEntry(sentFault), testing::KilledBySignal(SIGFPE), "Windows exception:");
#endif
}

TEST(Startup, ProcessorFaultIsReportedAfterTheSanitizersOwnReport) {
    auto touchForbiddenPage = []() -> int {
        NoCoreFile();
        void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return *static_cast<volatile int*>(page);
    };
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's report, with the faulting access and its stack, then ours.
    EXPECT_EXIT(RunEntry(touchForbiddenPage), testing::ExitedWithCode(1),
                "AddressSanitizer: SEGV on unknown address.*#0 .*Windows exception: EXCEPTION_ACCESS_VIOLATION");
#else
    EXPECT_EXIT(RunEntry(touchForbiddenPage), testing::KilledBySignal(SIGSEGV),
                "Windows exception: EXCEPTION_ACCESS_VIOLATION");
#endif
}

TEST(Startup, FaultNames) {
    EXPECT_STREQ(FaultName(SIGFPE, FPE_INTDIV), "EXCEPTION_INT_DIVIDE_BY_ZERO");
    EXPECT_STREQ(FaultName(SIGILL, ILL_ILLOPC), "EXCEPTION_ILLEGAL_INSTRUCTION");
    EXPECT_STREQ(FaultName(SIGBUS, BUS_ADRALN), "EXCEPTION_DATATYPE_MISALIGNMENT");
}

TEST(Startup, WorkingDirectoryBecomesTheProgramFolder) {
    auto reportFolder = []() -> int {
        char cwd[4096];
        if (!getcwd(cwd, sizeof cwd)) return 1;
        return ToUtf8(AppDir()) == cwd && !AppDir().empty() && AppArgs().size() == 1 ? 0 : 2;
    };
    EXPECT_EXIT(
        {
            if (chdir("/") != 0) std::exit(3);
            std::exit(RunEntry(reportFolder));
        },
        testing::ExitedWithCode(0), "");
}

TEST(Startup, ExitFunctionsRunNewestFirstAtExit) {
    EXPECT_EXIT(
        {
            InitRuntimeModule();
            AddExitFunction([] { std::fputs("first\n", stderr); });
            AddExitFunction([] {
                std::fputs("second\n", stderr);
                AddExitFunction([] { std::fputs("late\n", stderr); });
            });
            std::exit(0);
        },
        testing::ExitedWithCode(0), "^second\nlate\nfirst\n$");
}
