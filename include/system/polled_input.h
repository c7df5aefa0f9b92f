#pragma once
/// \file
/// Polled input: per-key and per-button state, hit counts, a character queue
/// and the mouse position, kept up to date by a subscriber of the emit hook.
/// Every query first pumps pending system messages, so it sees every input
/// that arrived before it. Key codes are virtual-key codes 1..255; mouse
/// buttons are 1 left, 2 right, 3 middle. Indexes out of range read as 0.

#include "runtime/object.h"

#pragma GCC visibility push(default)
namespace vellum {

/// Key codes of KeyHits, KeyDown and key events: the letters and digits are
/// their upper-case character codes; left and right Shift, Control and Alt
/// have codes of their own besides KEY_SHIFT, KEY_CONTROL and KEY_ALT.
enum : int {
    KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_CLEAR = 12, KEY_RETURN = 13, KEY_ENTER = 13,
    KEY_SHIFT = 16, KEY_CONTROL = 17, KEY_ALT = 18, KEY_PAUSE = 19, KEY_CAPSLOCK = 20,
    KEY_ESCAPE = 27, KEY_SPACE = 32, KEY_PAGEUP = 33, KEY_PAGEDOWN = 34, KEY_END = 35, KEY_HOME = 36,
    KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40,
    KEY_PRINT = 42, KEY_SCREEN = 44, KEY_INSERT = 45, KEY_DELETE = 46,
    KEY_0 = 48, KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_6, KEY_7, KEY_8, KEY_9,
    KEY_A = 65, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
    KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z,
    KEY_LSYS = 91, KEY_RSYS = 92, KEY_MENU = 93,
    KEY_NUM0 = 96, KEY_NUM1, KEY_NUM2, KEY_NUM3, KEY_NUM4, KEY_NUM5, KEY_NUM6, KEY_NUM7, KEY_NUM8, KEY_NUM9,
    KEY_NUMMULTIPLY = 106, KEY_NUMADD = 107, KEY_NUMSUBTRACT = 109, KEY_NUMDECIMAL = 110, KEY_NUMDIVIDE = 111,
    KEY_F1 = 112, KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11, KEY_F12,
    KEY_NUMLOCK = 144, KEY_SCROLLLOCK = 145,
    KEY_LSHIFT = 160, KEY_RSHIFT = 161, KEY_LCONTROL = 162, KEY_RCONTROL = 163, KEY_LALT = 164, KEY_RALT = 165,
    KEY_SEMICOLON = 186, KEY_EQUALS = 187, KEY_COMMA = 188, KEY_MINUS = 189, KEY_PERIOD = 190, KEY_SLASH = 191,
    KEY_TILDE = 192, KEY_OPENBRACKET = 219, KEY_BACKSLASH = 220, KEY_CLOSEBRACKET = 221, KEY_QUOTES = 222,
};

/// The key's presses since the last call (or flush); resets the count.
int KeyHits(int key);
/// 1 while the key is down.
int KeyDown(int key);
/// The next typed character, 0 when none is waiting.
int NextKeyChar();
/// Forgets every key state, hit count and typed character.
void FlushKeys();
/// The mouse position in the window's pixels.
///@{
int MouseX();
int MouseY();
///@}
/// The sum of wheel steps so far.
int MouseWheelPosition();
/// Movement since the previous call for that axis.
///@{
int MouseXDelta();
int MouseYDelta();
int MouseWheelDelta();
///@}
/// The button's presses since the last call (or flush); resets the count.
int MouseHits(int button);
/// 1 while the button is down.
int MouseButtonDown(int button);
/// Forgets button states and hit counts and the wheel position; keeps x and y.
void FlushMouse();
/// Waits for a key press and returns its code.
int WaitKeyHit();
/// Waits for a typed character and returns it.
int WaitKeyChar();
/// Waits for a mouse button press and returns the button.
int WaitMouseHit();
/// 1 while the program has lost the focus to another program.
int AppIsSuspended();
/// 1 once after the user asked to close the program's window.
int AppTerminateRequested();
/// Starts tracking input from source (Null: from every source).
void StartPolledInput(Ref<TObject> source);
/// Stops tracking input and forgets the keys' and buttons' states.
void StopPolledInput();

/// Starts the polled-input module.
void InitPolledInputModule();

}  // namespace vellum
#pragma GCC visibility pop
