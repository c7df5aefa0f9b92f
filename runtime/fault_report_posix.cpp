#include <csignal>
#include <cstring>
#include <initializer_list>
#include <unistd.h>

#include "runtime/startup.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace vellum {

namespace {

constexpr int kFaults[] = {SIGSEGV, SIGFPE, SIGILL, SIGBUS};

// Room for the handler to run when the fault was a stack overflow.
alignas(16) char alternateStack[64 * 1024];

// What each fault signal did before the report took it over: the default
// action, or the sanitizer's own handler in a sanitized build.
struct sigaction previous[sizeof kFaults / sizeof kFaults[0]];

void WriteText(const char* text) {
    ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

void WriteReport(const char* name) {
    WriteText("Windows exception: ");
    WriteText(name);
    WriteText("\n");
}

#if defined(__SANITIZE_ADDRESS__)
// The fault handed on to the sanitizer, reported once its own report is out.
const char* volatile pendingReport = nullptr;

void ReportAfterSanitizer() {
    if (const char* name = pendingReport) WriteReport(name);
}
#endif

void OnFault(int signal, siginfo_t* info, void*) {
    // Only async-signal-safe calls here: no message box, no stdio, no exit handlers.
    const char* name = FaultName(signal, info ? info->si_code : 0);
    int slot = 0;
    while (kFaults[slot] != signal) ++slot;
    const struct sigaction& before = previous[slot];
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer's report, with its stack, comes first; ours follows
    // from its death callback.
    if (before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN)
        pendingReport = name;
    else
        WriteReport(name);
#else
    WriteReport(name);
#endif
    // Then the signal takes the course it had before: the default action
    // ends the process with a core dump where the system keeps them. A
    // processor fault happens again when the handler returns, with its own
    // context; a signal that was sent is sent again.
    sigaction(signal, &before, nullptr);
    if (!info || info->si_code <= 0) raise(signal);
}

}  // namespace

const char* FaultName(int signal, int code) {
    switch (signal) {
    case SIGSEGV:
        return "EXCEPTION_ACCESS_VIOLATION";
    case SIGBUS:
        return code == BUS_ADRALN ? "EXCEPTION_DATATYPE_MISALIGNMENT" : "EXCEPTION_IN_PAGE_ERROR";
    case SIGILL:
        return code == ILL_PRVOPC || code == ILL_PRVREG ? "EXCEPTION_PRIV_INSTRUCTION"
                                                        : "EXCEPTION_ILLEGAL_INSTRUCTION";
    case SIGFPE:
        switch (code) {
        case FPE_INTDIV: return "EXCEPTION_INT_DIVIDE_BY_ZERO";
        case FPE_INTOVF: return "EXCEPTION_INT_OVERFLOW";
        case FPE_FLTDIV: return "EXCEPTION_FLT_DIVIDE_BY_ZERO";
        case FPE_FLTOVF: return "EXCEPTION_FLT_OVERFLOW";
        case FPE_FLTUND: return "EXCEPTION_FLT_UNDERFLOW";
        case FPE_FLTRES: return "EXCEPTION_FLT_INEXACT_RESULT";
        case FPE_FLTSUB: return "EXCEPTION_ARRAY_BOUNDS_EXCEEDED";
        default: return "EXCEPTION_FLT_INVALID_OPERATION";
        }
    default:
        return "EXCEPTION_NONCONTINUABLE_EXCEPTION";
    }
}

void InstallFaultReport() {
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < sizeof kFaults / sizeof kFaults[0]; ++i) {
        struct sigaction before {};
        sigaction(kFaults[i], &action, &before);
        // Installed twice, the report must not hand a fault on to itself.
        if (before.sa_sigaction != OnFault) previous[i] = before;
    }
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(ReportAfterSanitizer);
#endif
}

}  // namespace vellum
