#pragma once
// What the system driver does for a program: pumping the window system's
// messages, moving and showing the pointer, message boxes, pickers and the
// desktop's url opener. Without a platform layer, pumping returns at once
// and requesters answer "cancelled".

#include "runtime/string.h"

#pragma GCC visibility push(default)
namespace vellum {

// Pumps pending system messages; returns at once while a poll or wait is
// already in progress. Returns 1 if the driver was pumped.
int PollSystemEvents();
// Waits for and pumps system messages, with the same guard. Returns 1 if the
// driver waited, 0 if it returned at once (no driver, or already busy).
int WaitSystemEvents();

void MoveMouse(int x, int y);
void ShowMouseCursor();
void HideMouseCursor();
int Notify(const String& text, int serious = 0);
int Confirm(const String& text, int serious = 0);
int Proceed(const String& text, int serious = 0);
String RequestFile(const String& text, const String& extensions = String(), int save = 0,
                   const String& path = String());
String RequestDir(const String& text, const String& path = String());
int OpenURL(const String& url);

// Local date as "%d %b %Y" and local time as "%H:%M:%S".
String CurrentDateText();
String CurrentTimeText();

// Starts the system module: events, random numbers and the system driver slot.
void InitSystemModule();

}  // namespace vellum
#pragma GCC visibility pop
