#pragma once
/// \file
/// Whole text files and printed lines.

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// The text of url. A byte-order mark (FE FF, FF FE, EF BB BF) selects UTF-16
/// or UTF-8; without one every byte is a Latin-1 character. Raises
/// TStreamReadException when the url cannot be opened.
///@{
String LoadTextFile(const Ref<TObject>& url);
String LoadTextFile(const String& url);
///@}

/// Writes text to url: as bytes when every character is below 256, else as
/// FF FE and UTF-16LE. Raises TStreamWriteException when the url cannot be
/// opened; returns 1, or 0 when any write, flush or close fails.
///@{
int SaveTextFile(const String& text, const Ref<TObject>& url);
int SaveTextFile(const String& text, const String& url);
///@}

/// Writes text and CR LF to standard output in UTF-8, then flushes.
void PrintLine(const String& text);

}  // namespace vellum
#pragma GCC visibility pop
