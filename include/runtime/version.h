#pragma once
/// \file
/// The engine's version, as the library a program runs with reports it.

#pragma GCC visibility push(default)
namespace vellum {

/// The version of the engine in use, "major.minor" (for example "0.2"). A
/// program linked against the shared library gets the version of the library
/// it runs with, not the one it was built with.
const char* VellumVersion();

}  // namespace vellum
#pragma GCC visibility pop
