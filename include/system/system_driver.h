#pragma once
// The system driver: the one object that pumps the window system's messages,
// moves and shows the pointer and shows message boxes. The platform layer
// installs it; without one, pumping returns at once and requesters answer
// "cancelled".

#include "runtime/string.h"

namespace vellum {

class TSystemDriver : public TObject {
public:
    // Processes every pending window-system message.
    virtual void Poll() = 0;
    // Blocks until at least one message or input is available, then polls.
    virtual void Wait() = 0;
    // Puts the pointer at client coordinates of the active window.
    virtual void MoveMouse(int x, int y) = 0;
    virtual void SetMouseVisible(int visible) = 0;
    // Information (serious 0) or warning box with an OK button.
    virtual int Notify(const String& text, int serious) = 0;
    // OK/Cancel box: 1 for OK, else 0.
    virtual int Confirm(const String& text, int serious) = 0;
    // Yes/No/Cancel box: 1 Yes, 0 No, -1 otherwise.
    virtual int Proceed(const String& text, int serious) = 0;
    // File picker; the empty string when cancelled.
    virtual String RequestFile(const String& text, const String& extensions, int save, const String& path) = 0;
    // Folder picker; the empty string when cancelled.
    virtual String RequestDir(const String& text, const String& path) = 0;
    // Opens a document or URL with the desktop; 1 on success.
    virtual int OpenURL(const String& url) = 0;
};

// Installs the system driver (Null removes it).
void SetSystemDriver(Ref<TSystemDriver> driver);
const Ref<TSystemDriver>& SystemDriver();

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
