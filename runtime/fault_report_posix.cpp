#include <csignal>
#include <cstring>
#include <initializer_list>
#include <unistd.h>

#include "runtime/startup.h"

namespace vellum {

namespace {

// Room for the handler to run when the fault was a stack overflow.
alignas(16) char alternateStack[64 * 1024];

void WriteText(const char* text) {
    ssize_t ignored = write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

void OnFault(int signal, siginfo_t* info, void*) {
    // Only async-signal-safe calls here: no message box, no stdio, no exit handlers.
    WriteText("Windows exception: ");
    WriteText(FaultName(signal, info ? info->si_code : 0));
    WriteText("\n");
    // A fault is a failure: the exit status says so.
    _exit(255);
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
    for (int signal : {SIGSEGV, SIGFPE, SIGILL, SIGBUS}) sigaction(signal, &action, nullptr);
}

}  // namespace vellum
