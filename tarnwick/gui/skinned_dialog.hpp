// The base of tarnwick's four dialogs: a modal dialog from the template of the user's
// language, sized to the skin's background and painted with it, its controls placed from
// the skin layout, owner-drawn buttons with hover faces, toggles, and moving the window by
// its top strip. Each dialog adds its own commands.
#pragma once

#include "tarnwick/engine/messages.hpp"
#include "tarnwick/gui/skin_layout.hpp"

#include <optional>
#include <vector>
#include <windows.h>

namespace tarnwick::gui {

// A toggle's states; a click switches off and on and leaves a locked toggle as it is.
enum ToggleState { toggleOff = 0, toggleOn = 1, toggleLocked = 2 };

// What a dialog ends with when its "Power" button was pressed: the program ends.
constexpr INT_PTR powerPressed = 1015;

class SkinnedDialog {
  public:
    SkinnedDialog(int templateId, tarnwick::Language language);
    virtual ~SkinnedDialog();
    SkinnedDialog(const SkinnedDialog&) = delete;
    SkinnedDialog& operator=(const SkinnedDialog&) = delete;

    // Runs the dialog modally, owned by `owner` (none for the main window), with its top-left
    // corner at `at` when given. Returns what close() was given, or -1 when the dialog could
    // not be made.
    INT_PTR run(HWND owner, std::optional<POINT> at = std::nullopt);

    tarnwick::Language language() const { return language_; }
    // The window's rectangle (screen) when it closed.
    RECT closedRect() const { return closedRect_; }

  protected:
    virtual void onInit() {}
    // A command from a control or a posted one; true when handled.
    virtual bool onCommand(int id, int code, HWND control) = 0;
    // Any other message; set `handled` to keep the default handling out.
    virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    // Remembers the window's rectangle and ends the dialog.
    void close(INT_PTR result);
    HWND window() const { return window_; }
    HWND item(int id) const { return ::GetDlgItem(window_, id); }

    int toggleState(int id) const;
    void setToggleState(int id, int state);
    // Draws the picture control `id` with another bitmap.
    void setPictureBitmap(int id, int bitmap);

  private:
    struct Control {
        ControlPlace place;
        int bitmap;
        int toggle = toggleOff;
        bool hover = false;
    };

    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK buttonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR data);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Sizes the window to the background and places the controls.
    void fitToSkin();
    Control* control(int id);
    const Control* control(int id) const;
    void paint();
    void draw(const DRAWITEMSTRUCT& item);
    bool startMove(POINT client);
    void continueMove();

    int templateId_;
    tarnwick::Language language_;
    std::optional<POINT> startAt_;
    HWND window_ = nullptr;
    HBRUSH backgroundBrush_ = nullptr;
    std::vector<Control> controls_;
    RECT closedRect_{};
    bool moving_ = false;
    POINT pressOffset_{};
};

} // namespace tarnwick::gui
