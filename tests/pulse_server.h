#pragma once
// A PulseAudio server of a test's own: its own runtime folder, one null
// sink ("out") and the native protocol, nothing else. Making one points this
// process's environment at it (XDG_RUNTIME_DIR, a client configuration that
// never starts a server by itself), so it must come before the first sound
// client of the process opens; child processes inherit it.

#include <sys/types.h>

#include <chrono>
#include <string>

namespace testutil {

class PulseServer {
public:
    PulseServer();
    // Ends a running server and removes the folder.
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // pulseaudio and pactl are installed.
    static bool Installed();

    // Starts a server and waits (at most 20 s) until it answers; whether it did.
    bool Start();
    // Ends the server and waits for it to be gone.
    void Stop();
    bool Running() const { return _pid > 0; }

    // Streams playing into the server now; -1 when it does not answer.
    int SinkInputs() const;
    // Waits at most timeout for at least count streams; whether they came.
    bool WaitForSinkInputs(int count, std::chrono::milliseconds timeout) const;

    // The folder, for files a test keeps beside the server's.
    const std::string& Folder() const { return _dir; }

private:
    std::string _dir;
    pid_t _pid = -1;
};

// CPU seconds (user and system) that process pid has used so far; -1 when
// it is gone.
double CpuSeconds(pid_t pid);

}  // namespace testutil
