#pragma once
/// \file
/// Process start-up and failure reporting, shared by every program built on
/// the engine:
///   int main(int argc, char** argv) { return vellum::RunProgram(argc, argv, GameMain); }

#pragma GCC visibility push(default)
namespace vellum {

/// Starts the runtime, installs the processor-fault report, makes the
/// program's folder the working directory and runs entry. An exception that
/// nothing caught writes its message to standard error and ends the process
/// with status 255 (-1). Otherwise returns entry's status.
int RunProgram(int argc, char** argv, int (*entry)());

/// Reports processor faults (SIGSEGV, SIGFPE, SIGILL, SIGBUS) on standard
/// error as "Windows exception: " and the exception's name; then the signal
/// takes the course it had before: the default one (the process ends with a
/// core dump where the system keeps them), or in a build with
/// AddressSanitizer the sanitizer's report, after which this line follows.
void InstallFaultReport();

/// The name a processor fault is reported under, such as
/// "EXCEPTION_ACCESS_VIOLATION".
const char* FaultName(int signal, int code);

/// Initialises the runtime once: exit functions then run at process exit.
void InitRuntimeModule();

}  // namespace vellum
#pragma GCC visibility pop
