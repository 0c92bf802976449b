#include "chimewright/gui/list_window.hpp"

#include "chimewright/app/result_messages.hpp"
#include "chimewright/gui/layout.hpp"
#include "chimewright/gui/window_class.hpp"
#include "platform/win32/wide_text.hpp"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <shellapi.h>
#include <string>

namespace cw::gui {

namespace {

constexpr int maxTitleCharacters = 64;

struct FieldStyle {
    DWORD style;
    int limit; // 0: none
};

constexpr std::array<FieldStyle, columnCount> fieldStyles = {{
    {ES_READONLY | ES_AUTOHSCROLL, 0},
    {ES_AUTOHSCROLL, maxTitleCharacters},
    {ES_AUTOHSCROLL, maxTitleCharacters},
    {ES_NUMBER | ES_RIGHT, 0},
    {ES_READONLY | ES_AUTOHSCROLL, 0},
}};

std::wstring windowText(HWND hwnd, int limit) {
    std::wstring text(static_cast<std::size_t>(limit) + 1, L'\0');
    const int length = ::GetWindowTextW(hwnd, text.data(), limit + 1);
    text.resize(static_cast<std::size_t>(std::max(0, length)));
    return text;
}

void setText(HWND hwnd, const std::string& utf8) {
    ::SetWindowTextW(hwnd, platform::utf8ToWide(utf8).c_str());
}

} // namespace

bool ListWindow::registerClass(HINSTANCE instance, HICON icon) {
    return registerWindowClass(instance, className, procedure, icon, COLOR_WINDOW);
}

ListWindow::ListWindow(cw::FileList& list, std::function<void()> changed)
    : list_(list), changed_(std::move(changed)) {}

HWND ListWindow::create(HWND parent, int lines, HFONT font) {
    fields_.assign(static_cast<std::size_t>(lines), {});
    hwnd_ = ::CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES, className, L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN, 0, listTop,
                              listWidth, listHeight(lines), parent, nullptr,
                              ::GetModuleHandleW(nullptr), this);
    if (!hwnd_) return nullptr;
    for (int k = 0; k < lines; ++k) {
        for (int c = 0; c < columnCount; ++c) {
            const Box box = listField(c, k, 0);
            const FieldStyle& s = fieldStyles[static_cast<std::size_t>(c)];
            HWND field = ::CreateWindowExW(
                WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | s.style, box.x, box.y,
                box.width, box.height, hwnd_,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id::fieldBase + 100 * c + k)),
                ::GetModuleHandleW(nullptr), nullptr);
            ::SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            if (s.limit) ::SendMessageW(field, EM_SETLIMITTEXT, static_cast<WPARAM>(s.limit), 0);
            fields_[static_cast<std::size_t>(k)][static_cast<std::size_t>(c)] = field;
        }
    }
    redrawFrom(0);
    return hwnd_;
}

int ListWindow::lastFirst() const {
    return std::max(0, rowCount() - lines());
}

void ListWindow::storeVisibleRows() {
    for (int k = 0; k < lines(); ++k) {
        const int row = first_ + k;
        if (row >= rowCount()) break;
        const auto& line = fields_[static_cast<std::size_t>(k)];
        cw::FileRow& r = list_.rows[static_cast<std::size_t>(row)];
        r.title = platform::wideToUtf8(windowText(line[titleColumn], maxTitleCharacters));
        r.outputName = platform::wideToUtf8(windowText(line[outputColumn], maxTitleCharacters));
        // Digits only, but as many as the user types: held at the int range.
        const long long interval =
            std::wcstoll(windowText(line[intervalColumn], 32).c_str(), nullptr, 10);
        r.intervalMs = static_cast<int>(std::clamp<long long>(interval, 0, INT_MAX));
    }
}

void ListWindow::redrawFrom(int first) {
    for (const auto& line : fields_)
        for (HWND field : line)
            ::SetWindowTextW(field, L"");
    const int rows = rowCount();
    if (rows <= lines()) first = 0;
    first_ = std::clamp(first, 0, lastFirst());

    for (int k = 0; k < lines(); ++k) {
        const int row = first_ + k;
        if (row >= rows) break;
        const auto& line = fields_[static_cast<std::size_t>(k)];
        const cw::FileRow& r = list_.rows[static_cast<std::size_t>(row)];
        setText(line[pathColumn], r.path);
        setText(line[titleColumn], r.title);
        if (r.intervalMs != 0)
            ::SetWindowTextW(line[intervalColumn], std::to_wstring(r.intervalMs).c_str());
        setText(line[outputColumn], r.outputName);
        if (static_cast<std::size_t>(row) < list_.results.size())
            setText(line[resultColumn],
                    cw::showResult(list_.results[static_cast<std::size_t>(row)]));
    }

    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = rows > lines() ? rows - lines() : 0;
    info.nPage = 0;
    info.nPos = first_;
    ::SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
    ::EnableScrollBar(hwnd_, SB_VERT, rows > lines() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void ListWindow::resize(int clientWidth) {
    const int extra = clientWidth - listWidth;
    ::MoveWindow(hwnd_, 0, listTop, clientWidth, listHeight(lines()), TRUE);
    for (int k = 0; k < lines(); ++k) {
        for (int c = 0; c < columnCount; ++c) {
            const Box box = listField(c, k, extra);
            ::MoveWindow(fields_[static_cast<std::size_t>(k)][static_cast<std::size_t>(c)], box.x,
                         box.y, box.width, box.height, TRUE);
        }
    }
}

void ListWindow::scrollTo(int first) {
    storeVisibleRows();
    redrawFrom(first);
}

void ListWindow::onScroll(int code, int position) {
    int first = first_;
    switch (code) {
    case SB_LINEUP:
        first -= 1;
        break;
    case SB_LINEDOWN:
        first += 1;
        break;
    case SB_PAGEUP:
        first -= lines();
        break;
    case SB_PAGEDOWN:
        first += lines();
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        first = position;
        break;
    case SB_TOP:
        first = 0;
        break;
    case SB_BOTTOM:
        first = lastFirst();
        break;
    default:
        return; // the end of a scroll
    }
    scrollTo(std::clamp(first, 0, lastFirst()));
}

void ListWindow::acceptDrop(HDROP drop) {
    storeVisibleRows();
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        if (!path.empty()) paths.push_back(platform::wideToUtf8(path));
    }
    ::DragFinish(drop);
    // While a batch runs its rows stay as they are: the drop is refused.
    if (!cw::addDroppedFiles(list_, paths, cw::batchWorker())) return;
    redrawFrom(0);
    if (changed_) changed_();
}

void ListWindow::focusField(int line, int column) {
    ::SetFocus(fields_[static_cast<std::size_t>(line)][static_cast<std::size_t>(column)]);
}

bool ListWindow::navigate(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    const WPARAM key = message.wParam;
    if (key != VK_UP && key != VK_DOWN && key != VK_TAB) return false;
    int line = -1, column = -1;
    for (int k = 0; k < lines() && line < 0; ++k)
        for (int c = titleColumn; c <= intervalColumn; ++c)
            if (fields_[static_cast<std::size_t>(k)][static_cast<std::size_t>(c)] == message.hwnd) {
                line = k;
                column = c;
            }
    if (line < 0) return false;

    const int last = lines() - 1;
    auto scrollBy = [&](int rows) { scrollTo(std::clamp(first_ + rows, 0, lastFirst())); };
    if (key == VK_DOWN) {
        if (line < last)
            focusField(line + 1, column);
        else
            scrollBy(1);
    } else if (key == VK_UP) {
        if (line > 0)
            focusField(line - 1, column);
        else
            scrollBy(-1);
    } else if (::GetKeyState(VK_SHIFT) < 0) {
        if (column > titleColumn)
            focusField(line, column - 1);
        else if (line > 0)
            focusField(line - 1, intervalColumn);
        else {
            scrollBy(-1);
            focusField(0, intervalColumn);
        }
    } else {
        if (column < intervalColumn)
            focusField(line, column + 1);
        else if (line < last)
            focusField(line + 1, titleColumn);
        else {
            scrollBy(1);
            focusField(last, titleColumn);
        }
    }
    return true;
}

LRESULT CALLBACK ListWindow::procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    ListWindow* self = windowObject(hwnd, message, l, &ListWindow::hwnd_);
    return self ? self->handle(message, w, l) : ::DefWindowProcW(hwnd, message, w, l);
}

LRESULT ListWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_VSCROLL:
        onScroll(LOWORD(w), HIWORD(w));
        return 0;
    case WM_MOUSEWHEEL: {
        const int delta = GET_WHEEL_DELTA_WPARAM(w);
        int notches = delta / WHEEL_DELTA;
        if (notches == 0 && delta != 0) notches = delta > 0 ? 1 : -1;
        // A notch away from the user (positive) shows earlier rows.
        scrollTo(std::clamp(first_ - notches, 0, lastFirst()));
        return 0;
    }
    case WM_DROPFILES:
        acceptDrop(reinterpret_cast<HDROP>(w));
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        break;
    }
    return ::DefWindowProcW(hwnd_, message, w, l);
}

} // namespace cw::gui
