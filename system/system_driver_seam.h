#pragma once
// The system driver seam: the one object that pumps the window system's
// messages, moves and shows the pointer and shows message boxes. The
// platform layer installs it; tests install one of their own.

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

}  // namespace vellum
