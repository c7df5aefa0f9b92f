#pragma once
/// \file
/// The running program: its arguments, file, folder and title.

#include <vector>

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The program's command-line arguments, the program's name first.
const std::vector<String>& AppArgs();
/// Absolute path of the program file, and the folder that holds it.
///@{
const String& AppFile();
const String& AppDir();
///@}
/// The application title, "Vellum Application" unless set.
///@{
const String& AppTitle();
void SetAppTitle(const String& title);
///@}

/// Records the arguments and finds the program's file and folder.
void SetAppArgs(int argc, char** argv);

}  // namespace vellum
#pragma GCC visibility pop
