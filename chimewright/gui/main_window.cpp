#include "chimewright/gui/main_window.hpp"

#include "chimewright/app/list_text.hpp"
#include "chimewright/app/presets.hpp"
#include "chimewright/app/settings_file.hpp"
#include "chimewright/gui/control_font.hpp"
#include "chimewright/gui/copyright_dialog.hpp"
#include "chimewright/gui/folder_browser.hpp"
#include "chimewright/gui/layout.hpp"
#include "chimewright/gui/window_class.hpp"
#include "chimewright/gui/window_texts.hpp"
#include "chimewright/gui/window_thread.hpp"
#include "platform/text.hpp"
#include "platform/win32/clipboard.hpp"
#include "platform/win32/wide_text.hpp"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <shellapi.h>

namespace cw::gui {

namespace {

constexpr int minSizeLimit = 10;
constexpr int maxSizeLimit = 800000;

struct KindStyle {
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle;
};

KindStyle styleOf(Kind kind) {
    switch (kind) {
    case Kind::button:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case Kind::defaultButton:
        return {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0};
    case Kind::checkBox:
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case Kind::label:
        return {L"STATIC", SS_LEFT, 0};
    case Kind::centredLabel:
        return {L"STATIC", SS_CENTER, 0};
    case Kind::rightLabel:
        return {L"STATIC", SS_RIGHT, 0};
    case Kind::line:
        return {L"STATIC", SS_BLACKFRAME, 0};
    case Kind::dropDownList:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case Kind::numberField:
        return {L"EDIT", ES_NUMBER | ES_RIGHT | WS_TABSTOP, WS_EX_CLIENTEDGE};
    }
    return {L"STATIC", 0, 0};
}

std::wstring wide(std::string_view utf8) {
    return platform::utf8ToWide(utf8);
}

int clientWidth(HWND hwnd) {
    RECT r{};
    ::GetClientRect(hwnd, &r);
    return r.right - r.left;
}

bool checked(HWND button) {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring windowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(0, got)));
    return text;
}

} // namespace

bool MainWindow::registerClass(HINSTANCE instance, HICON icon) {
    return registerWindowClass(instance, className, procedure, icon, COLOR_BTNFACE);
}

MainWindow::MainWindow(cw::SettingsState settings, platform::Path settingsFile)
    : settings_(std::move(settings)), settingsFile_(std::move(settingsFile)),
      list_(rows_, [this] { listChanged(); }) {
    shared_.publish(settings_);
}

MainWindow::~MainWindow() {
    if (worker_.joinable()) worker_.join();
}

bool MainWindow::create(int showCommand) {
    wchar_t title[64];
    std::swprintf(title, std::size(title), text::titleFormat, text::productName, text::version);
    const int lines = settings_.listLines;
    const int x = (::GetSystemMetrics(SM_CXFULLSCREEN) - 800) / 2;
    const int y = (::GetSystemMetrics(SM_CYFULLSCREEN) - 480) / 2;
    hwnd_ = ::CreateWindowExW(WS_EX_ACCEPTFILES, className, title, WS_OVERLAPPEDWINDOW, x, y,
                              windowWidth, listHeight(lines) + windowHeightBelowList, nullptr,
                              nullptr, ::GetModuleHandleW(nullptr), this);
    if (!hwnd_) return false;
    ::ShowWindow(hwnd_, showCommand);
    ::UpdateWindow(hwnd_);
    return true;
}

void MainWindow::createControls() {
    font_ = createControlFont();
    const int cx = clientWidth(hwnd_);
    const int lines = settings_.listLines;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    auto make = [&](const wchar_t* cls, const wchar_t* caption, DWORD style, DWORD exStyle,
                    const Box& box, int id) {
        HWND hwnd =
            ::CreateWindowExW(exStyle, cls, caption, WS_CHILD | WS_VISIBLE | style, box.x, box.y,
                              box.width, box.height, hwnd_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return hwnd;
    };

    list_.create(hwnd_, lines, font_);
    for (int c = 0; c < columnCount; ++c)
        make(L"STATIC", columnTitles[static_cast<std::size_t>(c)], SS_CENTER, 0,
             columnHeader(c, cx - listWidth), id::firstHeader + c);
    for (const ControlSpec& entry : mainControls) {
        const KindStyle s = styleOf(entry.kind);
        make(s.cls, entry.text, s.style, s.exStyle, place(entry, cx, lines), entry.id);
    }

    HWND presets = control(id::presetBox);
    for (const char* name : cw::presetNames)
        ::SendMessageW(presets, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(name).c_str()));
    ::SendMessageW(presets, CB_SETCURSEL, 0, 0);

    const int L = listHeight(lines);
    for (const RowSpec& entry : rowSpecs) {
        TargetRow::Setup setup;
        setup.parent = hwnd_;
        setup.x = entry.x;
        setup.y = entry.y + L;
        setup.baseId = entry.baseId;
        setup.font = font_;
        setup.labelWidth = entry.labelWidth;
        if (entry.target == normalisationRow) {
            setup.name = text::normalisationRow;
            normalisation_.create(setup, settings_.normalisationLevel,
                                  settings_.normalisationFlags);
            continue;
        }
        const auto t = static_cast<std::size_t>(entry.target);
        setup.name = wide(cw::targetProfiles[t].rowLabel);
        setup.options = cw::targetProfiles[t].options;
        setup.volumeFixed = !cw::targetTable[t].volumeFromSettings;
        targets_[t].create(setup, setup.volumeFixed ? 1.0 : settings_.volumes[t],
                           settings_.flags[t]);
    }
    showSettings();
}

void MainWindow::layOut(int cx) {
    const int lines = settings_.listLines;
    for (const ControlSpec& entry : mainControls) {
        if (entry.anchor == Anchor::left) continue;
        const Box box = place(entry, cx, lines);
        ::MoveWindow(control(entry.id), box.x, box.y, box.width, box.height, TRUE);
    }
    for (int c = 0; c < columnCount; ++c) {
        const Box box = columnHeader(c, cx - listWidth);
        ::MoveWindow(control(id::firstHeader + c), box.x, box.y, box.width, box.height, TRUE);
    }
    list_.resize(cx);
    // The prompt is centred: the whole width is painted anew, not only what the resize uncovered.
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// The rows, the loop box and the size-limit field from the settings state.
void MainWindow::showSettings() {
    normalisation_.setState(settings_.normalisationLevel, settings_.normalisationFlags);
    for (std::size_t t = 0; t < targets_.size(); ++t)
        targets_[t].setState(targets_[t].volumeFixed() ? 1.0 : settings_.volumes[t],
                             settings_.flags[t]);
    ::SendMessageW(control(id::loop), BM_SETCHECK, settings_.loop ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SetWindowTextW(control(id::sizeLimit), std::to_wstring(settings_.userSizeLimit).c_str());
}

void MainWindow::takeVolumes() {
    settings_.normalisationLevel = normalisation_.volume();
    for (std::size_t t = 0; t < targets_.size(); ++t)
        if (!targets_[t].volumeFixed()) settings_.volumes[t] = targets_[t].volume();
    shared_.publish(settings_);
}

void MainWindow::takeWindowState() {
    settings_.normalisationFlags = normalisation_.flags();
    for (std::size_t t = 0; t < targets_.size(); ++t)
        settings_.flags[t] = targets_[t].flags();
    settings_.loop = checked(control(id::loop)) ? 1 : 0;
    takeVolumes();
}

void MainWindow::storeSizeLimit() {
    HWND field = control(id::sizeLimit);
    // wcstoll holds a long run of digits at its range, so it clamps to the upper end.
    const long long typed = std::wcstoll(windowText(field).c_str(), nullptr, 10);
    const int limit = static_cast<int>(std::clamp<long long>(typed, minSizeLimit, maxSizeLimit));
    settings_.userSizeLimit = limit;
    shared_.publish(settings_);
    if (limit != typed) ::SetWindowTextW(field, std::to_wstring(limit).c_str());
}

void MainWindow::listChanged() {
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::paintPrompt() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd_, &ps);
    if (rows_.rows.empty()) {
        HGDIOBJ old = ::SelectObject(dc, font_);
        const int length = static_cast<int>(std::wcslen(text::dropPrompt));
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text::dropPrompt, length, &size);
        ::SetTextColor(dc, RGB(255, 60, 60));
        ::SetBkColor(dc, RGB(0, 0, 0));
        ::SetBkMode(dc, OPAQUE);
        ::TextOutW(dc, (clientWidth(hwnd_) - size.cx) / 2, 5, text::dropPrompt, length);
        ::SelectObject(dc, old);
    }
    ::EndPaint(hwnd_, &ps);
}

void MainWindow::onScroll(int code, int position, HWND bar) {
    normalisation_.onScroll(code, position, bar);
    for (TargetRow& row : targets_)
        row.onScroll(code, position, bar);
    takeVolumes();
}

void MainWindow::onCommand(int id, int code) {
    if (id == id::presetBox) {
        if (code == CBN_SELCHANGE) loadSelectedPreset();
        return;
    }
    if (id == id::sizeLimit) {
        if (code == EN_KILLFOCUS) storeSizeLimit();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case id::makeMld:
        startBatch();
        return;
    case id::clear:
        if (cw::clearList(rows_, cw::batchWorker())) {
            list_.redrawFrom(0);
            listChanged();
        }
        return;
    case id::help:
        ::ShellExecuteW(hwnd_, L"open", text::helpPage, nullptr, nullptr, SW_SHOWNORMAL);
        return;
    case id::exportList:
        exportList();
        return;
    case id::importList:
        importList();
        return;
    case id::save:
        saveSelectedPreset();
        return;
    case id::loop:
        settings_.loop = checked(control(id::loop)) ? 1 : 0;
        shared_.publish(settings_);
        return;
    case id::copyright:
        editCopyrightText();
        return;
    }
    if (id == normalisation_.baseId()) {
        normalisation_.onCreateClicked();
        return;
    }
    for (TargetRow& row : targets_)
        if (id == row.baseId()) row.onCreateClicked();
}

void MainWindow::startBatch() {
    if (cw::batchWorker().busy()) return;
    takeWindowState();
    list_.storeVisibleRows();
    list_.redrawFrom(0);
    if (worker_.joinable()) worker_.join(); // the last batch is past its end already
    if (!cw::batchWorker().claim(++batches_)) return;

    cw::BatchSetup setup;
    setup.settingsFile = settingsFile_;
    setup.workFolder = platform::moduleFolder();
    setup.programFolder = platform::moduleFolder();
    // The worker converts its own copy of the rows; the window keeps editing its own and
    // receives the results.
    worker_ = std::thread([this, setup, rows = rows_]() mutable {
        WindowBatchPort port(hwnd_, shared_, progress_, *this);
        cw::runBatch(rows, port, setup, cw::batchWorker());
        ::PostMessageW(hwnd_, batchEndedMessage, 0, 0);
    });
}

void MainWindow::showProgress() {
    const BatchProgress::Snapshot snapshot = progress_.take();
    rows_.results = snapshot.results;
    rows_.results.resize(std::min(rows_.results.size(), rows_.rows.size()));
    const int row = static_cast<int>(snapshot.row);
    const int lines = list_.lines();
    list_.storeVisibleRows();
    list_.redrawFrom(row < lines ? 0 : row - lines + 1);
}

void MainWindow::batchEnded() {
    if (worker_.joinable()) worker_.join();
    if (closing_) close();
}

std::optional<std::string> MainWindow::chooseFolder(const std::string& prompt,
                                                    const std::string& preselected) {
    if (closing_) return std::nullopt;
    auto folder = browseForFolder(hwnd_, wide(prompt), wide(preselected));
    if (!folder) return std::nullopt;
    return platform::wideToUtf8(*folder);
}

bool MainWindow::askYesNo(const std::string& question, const char* caption) {
    if (closing_) return false;
    return ::MessageBoxW(hwnd_, wide(question).c_str(), wide(caption).c_str(),
                         MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void MainWindow::tell(const std::string& message, const char* caption) {
    if (closing_) return;
    ::MessageBoxW(hwnd_, wide(message).c_str(), wide(caption).c_str(), MB_OK | MB_ICONINFORMATION);
}

void MainWindow::exportList() {
    if (::MessageBoxW(hwnd_, text::exportQuestion, text::listCaption, MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    list_.storeVisibleRows();
    list_.redrawFrom(0);
    if (rows_.rows.empty() ||
        !platform::setClipboardAnsiText(hwnd_, platform::utf8ToCp932(cw::listExportText(rows_))))
        ::MessageBoxW(hwnd_, text::noData, text::messageCaption, MB_OK | MB_ICONINFORMATION);
}

void MainWindow::importList() {
    // A paste would replace the rows of the running batch.
    if (cw::batchWorker().busy()) return;
    if (::MessageBoxW(hwnd_, text::importQuestion, text::listCaption, MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    cw::clearList(rows_, cw::batchWorker());
    const std::optional<std::string> clipboard = platform::clipboardAnsiText(hwnd_);
    if (clipboard)
        cw::replaceRows(rows_, cw::parseListText(platform::cp932ToUtf8(*clipboard)),
                        cw::batchWorker());
    list_.redrawFrom(0);
    listChanged();
    if (!clipboard)
        ::MessageBoxW(hwnd_, text::noData, text::messageCaption, MB_OK | MB_ICONINFORMATION);
}

void MainWindow::loadSelectedPreset() {
    const LRESULT selected = ::SendMessageW(control(id::presetBox), CB_GETCURSEL, 0, 0);
    if (selected < 0 || selected >= static_cast<LRESULT>(cw::presetNames.size())) return;
    cw::loadPreset(settings_, settingsFile_, cw::presetNames[static_cast<std::size_t>(selected)]);
    showSettings();
    shared_.publish(settings_);
}

void MainWindow::saveSelectedPreset() {
    const LRESULT selected = ::SendMessageW(control(id::presetBox), CB_GETCURSEL, 0, 0);
    if (selected <= 0 || selected >= static_cast<LRESULT>(cw::presetNames.size())) return;
    takeWindowState();
    cw::savePreset(settings_, settingsFile_, cw::presetNames[static_cast<std::size_t>(selected)]);
}

void MainWindow::editCopyrightText() {
    auto edited = editCopyright(hwnd_, wide(settings_.copyright));
    if (!edited) return;
    cw::setCopyright(settings_, platform::wideToUtf8(*edited));
    cw::storeUserCopyright(settings_, settingsFile_);
    shared_.publish(settings_);
}

void MainWindow::close() {
    storeSizeLimit();
    takeWindowState();
    cw::saveSettings(settings_, settingsFile_, "");
    ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK MainWindow::procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    MainWindow* self = windowObject(hwnd, message, l, &MainWindow::hwnd_);
    return self ? self->handle(message, w, l) : ::DefWindowProcW(hwnd, message, w, l);
}

LRESULT MainWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_CREATE:
        createControls();
        return 0;
    case WM_SIZE:
        if (w != SIZE_MINIMIZED) layOut(LOWORD(l));
        return 0;
    case WM_PAINT:
        paintPrompt();
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(w), HIWORD(w));
        return 0;
    case WM_HSCROLL:
        onScroll(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
        return 0;
    case WM_MOUSEWHEEL:
        return ::SendMessageW(list_.hwnd(), WM_MOUSEWHEEL, w, l);
    case WM_DROPFILES:
        list_.acceptDrop(reinterpret_cast<HDROP>(w));
        return 0;
    case runOnWindowThreadMessage:
        runPostedCall(l);
        return 0;
    case batchProgressMessage:
        showProgress();
        return 0;
    case batchEndedMessage:
        batchEnded();
        return 0;
    case WM_CLOSE:
        // A running batch ends its pass first: its outputs are never cut off.
        if (cw::batchWorker().busy())
            closing_ = true;
        else
            close();
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        if (font_) ::DeleteObject(font_);
        font_ = nullptr;
        return 0;
    }
    return ::DefWindowProcW(hwnd_, message, w, l);
}

} // namespace cw::gui
