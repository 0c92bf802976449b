// Input from outside the program: commands, clicks, typing, keys, scrolling, focus and window
// drags, as messages to the target's windows. Posted messages return at once; "send" forms
// wait until the target has handled the message (never use them for a step that opens a
// modal dialog: the send would return only when the dialog closes).
#pragma once

#include <string>
#include <windows.h>

namespace gui_test {

// WM_COMMAND(id, code) to `window`, with `control` as lParam.
void postCommand(HWND window, int id, int code = BN_CLICKED, HWND control = nullptr);
LRESULT sendCommand(HWND window, int id, int code = BN_CLICKED, HWND control = nullptr);
// BM_CLICK, posted: the button presses itself and notifies its parent.
void clickButton(HWND button);

// A left click at a point of the window's client area: WM_MOUSEMOVE, WM_LBUTTONDOWN,
// WM_LBUTTONUP; the cursor is moved there too. `keys` adds MK_SHIFT / MK_CONTROL to the button
// state.
void clickAt(HWND window, POINT client, WPARAM keys = 0);
// The same for a right click and a double click.
void rightClickAt(HWND window, POINT client);
void doubleClickAt(HWND window, POINT client);
// Presses at `from` (client coordinates of `window`), moves in `steps` to `to` and releases,
// as a user drags a window by a point of it: the messages are sent one after the other, so
// they arrive in order; the moves carry MK_LBUTTON.
void dragBy(HWND window, POINT from, POINT to, int steps = 4);

// Real mouse input (SendInput) at screen points: it reaches whatever window is under the
// pointer, through hit-testing, as a user's mouse does. For what posted messages cannot do:
// dragging by a caption or by a strip that answers WM_NCHITTEST with HTCAPTION, where the
// system's own move loop follows the pointer.
void mouseClick(POINT screen);
void mouseDrag(POINT screenFrom, POINT screenTo, int steps = 6);

// Typing: one posted WM_CHAR per UTF-16 unit, so an edit's text limit applies.
void typeText(HWND window, const std::wstring& text);
// WM_SETTEXT, sent (ignores an edit's limit).
void setText(HWND window, const std::wstring& text);

enum Modifier : unsigned { noModifier = 0, shift = 1, control = 2, alt = 4 };

// A key press (VK_UP, VK_TAB, 'A'...). Without modifiers: WM_KEYDOWN and WM_KEYUP posted to
// `window`, in order with other posted input. With modifiers: `window` gets the focus and the
// keys are typed as real input (SendInput), so GetKeyState in the target shows Shift (Ctrl,
// Alt) held while it handles the key, and the target's message loop sees it first, as with a
// user's keyboard.
void pressKey(HWND window, UINT virtualKey, unsigned modifiers = noModifier);

// A scroll request (SB_LINEDOWN, SB_THUMBPOSITION with `position`...) from the scroll-bar
// control `bar` to its parent: WM_HSCROLL or WM_VSCROLL by the bar's SBS_VERT style, posted.
void scrollBar(HWND bar, int code, int position = 0);
// A window's own scroll bar (WS_VSCROLL / WS_HSCROLL): `vertical` picks WM_VSCROLL.
void scrollWindow(HWND window, bool vertical, int code, int position = 0);
// WM_MOUSEWHEEL with `clicks` notches (positive: away from the user) at a client point.
void wheel(HWND window, int clicks, POINT client = {0, 0});

// Moves the keyboard focus to `window` (in another process): the control that had it gets
// WM_KILLFOCUS, as when the user clicks elsewhere.
void setFocus(HWND window);
// The window that has the focus in the thread of `anyWindowOfThread`; nullptr if none.
HWND focusedWindow(HWND anyWindowOfThread);

// Waits (up to two seconds) until the thread of `window` has handled everything posted to
// it so far: a sent message is answered only when the thread looks at its queue, and the
// queue is then checked empty by the thread's own idle state.
// Gives the thread of `window` a moment: returns once it has answered a sent message and Wine
// reports it idle (at most about six seconds). Messages posted to it may still be waiting
// (measured: after 26 posted keys, often a few were), so check a step's effect with waitUntil.
void settle(HWND window);

} // namespace gui_test
