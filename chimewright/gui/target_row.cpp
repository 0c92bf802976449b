#include "chimewright/gui/target_row.hpp"

#include "chimewright/driver/targets.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cw::gui {

namespace {

constexpr int labelId = 1; // label = base + 1
constexpr int groupId = 2; // group box = base + 2
constexpr int barId = 4;

struct OptionControl {
    std::uint32_t bit;
    int x;
    int idOffset;
    bool checkBox; // else a radio button
};

// In the order of TargetRow::options_.
constexpr std::array<OptionControl, 8> optionControls = {{
    {cw::option::unlimited, 10, 8, true},
    {cw::option::rate4k, 30, 12, false},
    {cw::option::rate8k, 50, 16, false},
    {cw::option::stereo8k, 70, 20, false},
    {cw::option::rate16k, 90, 24, false},
    {cw::option::rate32k2bit, 110, 28, false},
    {cw::option::stereo16k, 130, 32, false},
    {cw::option::rate32k4bit, 150, 36, false},
}};

// The radio button pressed for a flags word: the first bit that applies, else "8kHz".
constexpr std::uint32_t radioPriority[] = {cw::option::rate4k,      cw::option::stereo8k,
                                           cw::option::rate16k,     cw::option::stereo16k,
                                           cw::option::rate32k2bit, cw::option::rate32k4bit};

int groupWidth(std::uint32_t options) {
    if (options & cw::option::rate32k4bit) return 180;
    if (options & cw::option::stereo16k) return 160;
    if (options & cw::option::rate32k2bit) return 140;
    return 120;
}

HWND child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
           HWND parent, int id, HFONT font) {
    HWND hwnd = ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

bool checked(HWND button) {
    return button && ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void setChecked(HWND button, bool on) {
    if (button) ::SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace

void TargetRow::create(const Setup& setup, double volume, std::uint32_t flags) {
    name_ = setup.name;
    fixed_ = setup.volumeFixed;
    baseId_ = setup.baseId;
    const int x = setup.x, y = setup.y, w = setup.labelWidth;

    create_ = child(L"BUTTON", L"", BS_AUTOCHECKBOX | WS_TABSTOP, x, y, 20, 20, setup.parent,
                    setup.baseId, setup.font);
    label_ = child(L"STATIC", L"", SS_LEFT, x + 20, y, w, 20, setup.parent, setup.baseId + labelId,
                   setup.font);
    bar_ = child(L"SCROLLBAR", L"", SBS_HORZ, x + 20 + w, y, 80, 16, setup.parent,
                 setup.baseId + barId, setup.font);
    ::SetScrollRange(bar_, SB_CTL, 1, 100, FALSE);
    if (fixed_) ::EnableWindow(bar_, FALSE);

    if (setup.options != 0) {
        group_ = child(L"BUTTON", L"", BS_GROUPBOX, x + 20 + w + 80, y, groupWidth(setup.options),
                       20, setup.parent, setup.baseId + groupId, setup.font);
        bool first = true;
        for (std::size_t i = 0; i < optionControls.size(); ++i) {
            const OptionControl& c = optionControls[i];
            if (!(setup.options & c.bit)) continue;
            DWORD style = c.checkBox ? BS_AUTOCHECKBOX : BS_AUTORADIOBUTTON;
            // The radio buttons of a row form one group of their own.
            if (!c.checkBox && first) {
                style |= WS_GROUP;
                first = false;
            }
            options_[i] = child(L"BUTTON", L"", style, c.x, 0, 20, 20, group_,
                                setup.baseId + c.idOffset, setup.font);
        }
    }
    setState(volume, flags);
}

void TargetRow::setState(double volume, std::uint32_t flags) {
    volume_ = volume;
    percent_ = std::min(100, static_cast<int>(std::floor(volume * 100.0 + 0.5)));
    showPercent();
    if (!fixed_) ::SetScrollPos(bar_, SB_CTL, percent_, TRUE);

    const bool on = (flags & cw::option::create) != 0;
    setChecked(create_, on);
    setChecked(options_[0], (flags & cw::option::unlimited) != 0);

    std::uint32_t pressed = cw::option::rate8k;
    for (std::uint32_t bit : radioPriority) {
        if (flags & bit) {
            pressed = bit;
            break;
        }
    }
    for (std::size_t i = 1; i < optionControls.size(); ++i)
        setChecked(options_[i], optionControls[i].bit == pressed);
    enableControls(on);
}

std::uint32_t TargetRow::flags() const {
    std::uint32_t flags = checked(create_) ? 0x220 : 0x20;
    for (std::size_t i = 0; i < optionControls.size(); ++i) {
        if (!options_[i]) continue;
        if (checked(options_[i]))
            flags |= optionControls[i].bit;
        else
            flags &= ~optionControls[i].bit;
    }
    return flags;
}

void TargetRow::onCreateClicked() {
    enableControls(checked(create_));
}

bool TargetRow::onScroll(int code, int position, HWND bar) {
    if (bar != bar_ || fixed_) return false;
    int p = percent_;
    switch (code) {
    case SB_LINELEFT:
        p -= 1;
        break;
    case SB_LINERIGHT:
        p += 1;
        break;
    case SB_PAGELEFT:
        p -= 10;
        break;
    case SB_PAGERIGHT:
        p += 10;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        p = position;
        break;
    default:
        return true;
    }
    p = std::clamp(p, 1, 100);
    if (p != percent_) {
        percent_ = p;
        volume_ = p / 100.0;
        ::SetScrollPos(bar_, SB_CTL, p, TRUE);
        showPercent();
    }
    return true;
}

void TargetRow::showPercent() {
    wchar_t text[96];
    std::swprintf(text, std::size(text), L"%ls(%d%%)", name_.c_str(), percent_);
    ::SetWindowTextW(label_, text);
}

void TargetRow::enableControls(bool enabled) {
    if (!fixed_) ::EnableWindow(bar_, enabled);
    for (HWND option : options_)
        if (option) ::EnableWindow(option, enabled);
}

} // namespace cw::gui
