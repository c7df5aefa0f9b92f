#pragma once
// File and folder pickers and opening documents, through the desktop's own
// tools (zenity or kdialog, xdg-open) when it has them.

#include "runtime/string.h"

namespace vellum {

// A file picker; the chosen path, or "" when cancelled or unavailable.
// extensions is a comma-separated list such as "png,jpg".
String DesktopRequestFile(const String& text, const String& extensions, int save, const String& path);
// A folder picker; the chosen path, or "" when cancelled or unavailable.
String DesktopRequestDir(const String& text, const String& path);
// Opens a document or URL with the desktop's preferred program; 1 on success.
int DesktopOpenURL(const String& url);

}  // namespace vellum
