#pragma once
/// \file
/// Data embedded in the program, opened through "incbin::path". The build
/// (vellum_incbin in CMake) generates the registration calls.

#include <string_view>

#pragma GCC visibility push(default)
namespace vellum {

/// Makes size bytes at data available under path ("\" counts as "/"). The
/// data must live as long as the program; a second block under the same path
/// replaces the first.
void RegisterIncbin(std::u16string_view path, const void* data, int size);

/// The block registered under path; false when there is none. Any thread may
/// look blocks up while another registers more.
bool FindIncbin(std::u16string_view path, const void*& data, int& size);

}  // namespace vellum
#pragma GCC visibility pop
