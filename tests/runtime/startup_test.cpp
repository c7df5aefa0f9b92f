#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
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

}  // namespace

TEST(Startup, UncaughtErrorReportsItsMessageAndStatus255) {
    EXPECT_EXIT(RunEntry([]() -> int { throw TRuntimeException(u"Image 'ROCK' was not found"); }),
                testing::ExitedWithCode(255), "^Image 'ROCK' was not found\n$");
}

TEST(Startup, ProcessorFaultIsReportedAsAFailure) {
    auto touchForbiddenPage = []() -> int {
        void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return *static_cast<volatile int*>(page);
    };
    EXPECT_EXIT(RunEntry(touchForbiddenPage), testing::ExitedWithCode(255),
                "Windows exception: EXCEPTION_ACCESS_VIOLATION");
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
