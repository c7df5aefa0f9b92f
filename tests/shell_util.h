#pragma once
// Running a shell command from a test and reading what it printed.

#include <cstdio>
#include <string>

namespace testutil {

// Runs a shell command and returns its standard output, without the final newlines.
inline std::string Shell(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buf[512];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) output.append(buf, n);
        pclose(pipe);
    }
    while (!output.empty() && output.back() == '\n') output.pop_back();
    return output;
}

}  // namespace testutil
