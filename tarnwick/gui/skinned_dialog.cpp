#include "tarnwick/gui/skinned_dialog.hpp"

#include "tarnwick/gui/skin.hpp"

#include <commctrl.h>
#include <windowsx.h>

namespace tarnwick::gui {

namespace {

// The template of `id` in the user's language; the English one when the other is missing.
const DLGTEMPLATE* dialogTemplate(int id, tarnwick::Language language) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    const WORD wanted = language == tarnwick::Language::japanese
                            ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                            : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    HRSRC found = ::FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(id), wanted);
    if (!found)
        found = ::FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(id),
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
}

constexpr UINT_PTR buttonSubclassId = 1;

} // namespace

SkinnedDialog::SkinnedDialog(int templateId, tarnwick::Language language)
    : templateId_(templateId), language_(language) {
    for (const ControlPlace& place : layoutOf(templateId))
        if (place.kind != ControlKind::text) controls_.push_back(Control{place, place.bitmap});
}

SkinnedDialog::~SkinnedDialog() {
    if (backgroundBrush_) ::DeleteObject(backgroundBrush_);
}

INT_PTR SkinnedDialog::run(HWND owner, std::optional<POINT> at) {
    const DLGTEMPLATE* dialog = dialogTemplate(templateId_, language_);
    if (!dialog) return -1;
    startAt_ = at;
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog, owner, procedure,
                                     reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK SkinnedDialog::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<SkinnedDialog*>(lParam)->window_ = window;
    }
    auto* self = reinterpret_cast<SkinnedDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->handle(message, wParam, lParam) : FALSE;
}

void SkinnedDialog::fitToSkin() {
    const SIZE size = bitmapSize(backgroundBitmap());
    RECT frame{0, 0, size.cx, size.cy};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    POINT at{0, 0};
    if (startAt_)
        at = *startAt_;
    else
        flags |= SWP_NOMOVE; // where the template put it
    ::SetWindowPos(window_, nullptr, at.x, at.y, frame.right - frame.left, frame.bottom - frame.top,
                   flags);

    for (const ControlPlace& place : layoutOf(templateId_)) {
        HWND child = item(place.id);
        if (!child) continue;
        SIZE extent{place.width, place.height};
        if (place.kind != ControlKind::text) {
            const SIZE bitmap = bitmapSize(skinBitmap(place.bitmap));
            extent = SIZE{bitmap.cx, bitmap.cy / faceCount(place.kind)};
            ::SetWindowSubclass(child, buttonProcedure, buttonSubclassId,
                                reinterpret_cast<DWORD_PTR>(this));
        }
        ::SetWindowPos(child, nullptr, place.x, place.y, extent.cx, extent.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

INT_PTR SkinnedDialog::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    const INT_PTR result = onMessage(message, wParam, lParam, handled);
    if (handled) return result;

    switch (message) {
    case WM_INITDIALOG:
        fitToSkin();
        onInit();
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        // A toggle's click comes back to it: it switches itself, then the dialog may look.
        Control* toggle = control(id);
        if (toggle && toggle->place.kind == ControlKind::toggle &&
            (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
            if (toggle->toggle != toggleLocked)
                setToggleState(id, toggle->toggle == toggleOn ? toggleOff : toggleOn);
        }
        return onCommand(id, code, reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    }
    case WM_ERASEBKGND:
        return TRUE; // the paint covers everything
    case WM_PAINT:
        paint();
        return TRUE;
    case WM_DRAWITEM:
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        // Texts stand on the skin: the background brush, lined up with the child's place.
        HDC dc = reinterpret_cast<HDC>(wParam);
        HWND child = reinterpret_cast<HWND>(lParam);
        if (!backgroundBrush_) backgroundBrush_ = ::CreatePatternBrush(backgroundBitmap());
        POINT origin{0, 0};
        ::MapWindowPoints(child, window_, &origin, 1);
        ::SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(backgroundBrush_);
    }
    case WM_LBUTTONDOWN:
        return startMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) ? TRUE : FALSE;
    case WM_MOUSEMOVE:
        if (moving_) continueMove();
        return FALSE;
    case WM_LBUTTONUP:
        if (moving_) ::ReleaseCapture();
        moving_ = false;
        return FALSE;
    case WM_CAPTURECHANGED:
        moving_ = false;
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR SkinnedDialog::onMessage(UINT, WPARAM, LPARAM, bool&) {
    return FALSE;
}

void SkinnedDialog::close(INT_PTR result) {
    ::GetWindowRect(window_, &closedRect_);
    ::EndDialog(window_, result);
}

SkinnedDialog::Control* SkinnedDialog::control(int id) {
    for (Control& each : controls_)
        if (each.place.id == id) return &each;
    return nullptr;
}

const SkinnedDialog::Control* SkinnedDialog::control(int id) const {
    for (const Control& each : controls_)
        if (each.place.id == id) return &each;
    return nullptr;
}

int SkinnedDialog::toggleState(int id) const {
    const Control* toggle = control(id);
    return toggle ? toggle->toggle : toggleOff;
}

void SkinnedDialog::setToggleState(int id, int state) {
    Control* toggle = control(id);
    if (!toggle) return;
    toggle->toggle = state;
    ::InvalidateRect(item(id), nullptr, FALSE);
}

void SkinnedDialog::setPictureBitmap(int id, int bitmap) {
    Control* picture = control(id);
    if (!picture) return;
    picture->bitmap = bitmap;
    ::InvalidateRect(item(id), nullptr, FALSE);
}

void SkinnedDialog::paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    if (::IsIconic(window_)) {
        RECT client;
        ::GetClientRect(window_, &client);
        const int size = ::GetSystemMetrics(SM_CXICON);
        HICON icon = reinterpret_cast<HICON>(::SendMessageW(window_, WM_GETICON, ICON_BIG, 0));
        if (icon) ::DrawIcon(dc, (client.right - size) / 2, (client.bottom - size) / 2, icon);
    } else {
        drawFace(dc, POINT{0, 0}, backgroundBitmap(), 0, 1);
    }
    ::EndPaint(window_, &paint);
}

void SkinnedDialog::draw(const DRAWITEMSTRUCT& item) {
    const Control* skinned = control(static_cast<int>(item.CtlID));
    if (!skinned) return;
    int face = 0;
    switch (skinned->place.kind) {
    case ControlKind::pushButton:
        face = (item.itemState & ODS_DISABLED)   ? 3
               : (item.itemState & ODS_SELECTED) ? 2
               : skinned->hover                  ? 1
                                                 : 0;
        break;
    case ControlKind::toggle:
        face = skinned->toggle;
        break;
    default:
        break;
    }
    drawFace(item.hDC, POINT{item.rcItem.left, item.rcItem.top}, skinBitmap(skinned->bitmap), face,
             faceCount(skinned->place.kind));
}

LRESULT CALLBACK SkinnedDialog::buttonProcedure(HWND button, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<SkinnedDialog*>(data);
    Control* skinned = self->control(::GetDlgCtrlID(button));
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE; // the face covers the whole control
    case WM_MOUSEMOVE:
        if (skinned && !skinned->hover) {
            skinned->hover = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
            ::TrackMouseEvent(&track);
            ::InvalidateRect(button, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        if (skinned && skinned->hover) {
            skinned->hover = false;
            ::InvalidateRect(button, nullptr, FALSE);
        }
        break;
    case BM_GETCHECK:
        // A toggle tells its state as a check box would: off, on, or locked (indeterminate).
        if (skinned && skinned->place.kind == ControlKind::toggle)
            return skinned->toggle == toggleOn       ? BST_CHECKED
                   : skinned->toggle == toggleLocked ? BST_INDETERMINATE
                                                     : BST_UNCHECKED;
        break;
    case BM_SETCHECK:
        // Only a click switches a toggle: a caller that checks it and then clicks it (as
        // chimewright does) must not switch it twice.
        if (skinned && skinned->place.kind == ControlKind::toggle) return 0;
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(button, buttonProcedure, buttonSubclassId);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(button, message, wParam, lParam);
}

bool SkinnedDialog::startMove(POINT client) {
    if (client.x < 0 || client.y < 0 || client.x >= moveStripRight || client.y >= moveStripBottom)
        return false;
    pressOffset_ = client;
    moving_ = true;
    ::SetCapture(window_);
    return true;
}

void SkinnedDialog::continueMove() {
    // Where the cursor is now, not where a queued move message saw it: a late message must not
    // put the window back.
    POINT cursor;
    if (!::GetCursorPos(&cursor)) return;
    RECT frame;
    ::GetWindowRect(window_, &frame);
    POINT clientOrigin{0, 0};
    ::ClientToScreen(window_, &clientOrigin);
    const int x = cursor.x - pressOffset_.x - (clientOrigin.x - frame.left);
    const int y = cursor.y - pressOffset_.y - (clientOrigin.y - frame.top);
    ::SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace tarnwick::gui
