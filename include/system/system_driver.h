#pragma once
/// \file
/// What the system driver does for a program: pumping the window system's
/// messages, moving and showing the pointer, message boxes, pickers and the
/// desktop's url opener. Without a platform layer, pumping returns at once
/// and requesters answer "cancelled".

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Pumps pending system messages; returns at once while a poll or wait is
/// already in progress. Returns 1 if the driver was pumped.
int PollSystemEvents();
/// Waits for and pumps system messages, with the same guard. Returns 1 if the
/// driver waited, 0 if it returned at once (no driver, or already busy).
int WaitSystemEvents();

/// Puts the mouse pointer at (x, y) of the active window.
void MoveMouse(int x, int y);
/// Shows or hides the mouse pointer.
///@{
void ShowMouseCursor();
void HideMouseCursor();
///@}
/// A message box: information (serious 0) or a warning, with an OK button;
/// returns 0 without a platform layer.
int Notify(const String& text, int serious = 0);
/// An OK/Cancel box: 1 for OK, else 0.
int Confirm(const String& text, int serious = 0);
/// A Yes/No/Cancel box: 1 Yes, 0 No, -1 otherwise.
int Proceed(const String& text, int serious = 0);
/// A file picker titled text, offering the extensions ("png,jpg"), for
/// saving when save is 1, starting at path; the empty string when cancelled.
String RequestFile(const String& text, const String& extensions = String(), int save = 0,
                   const String& path = String());
/// A folder picker; the empty string when cancelled.
String RequestDir(const String& text, const String& path = String());
/// Opens a document or url with the desktop's program for it; 1 on success.
int OpenURL(const String& url);

/// Local date as "%d %b %Y" and local time as "%H:%M:%S".
///@{
String CurrentDateText();
String CurrentTimeText();
///@}

/// Starts the system module: events, random numbers and the system driver slot.
void InitSystemModule();

}  // namespace vellum
#pragma GCC visibility pop
