// The control row of one target (or of the normalisation setting): its "Create" box, the
// label with the volume in percent, the volume scroll bar and the option controls the target
// offers, inside a group box.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <windows.h>

namespace cw::gui {

class TargetRow {
  public:
    struct Setup {
        HWND parent = nullptr;
        int x = 0, y = 0;
        int baseId = 0;
        HFONT font = nullptr;
        std::wstring name;
        std::uint32_t options = 0; // option bits whose controls the row has
        bool volumeFixed = false;
        int labelWidth = 80;
    };

    void create(const Setup& setup, double volume, std::uint32_t flags);
    void setState(double volume, std::uint32_t flags);
    std::uint32_t flags() const;
    void onCreateClicked();
    // True when the message was for this row's scroll bar.
    bool onScroll(int code, int position, HWND bar);

    double volume() const { return volume_; }
    int baseId() const { return baseId_; }
    bool volumeFixed() const { return fixed_; }

  private:
    HWND create_ = nullptr;
    HWND label_ = nullptr;
    HWND bar_ = nullptr;
    HWND group_ = nullptr;
    // "Unlimited", "4kHz", "8kHz", "8kStereo", "16kHz", "32kHz(2bit)", "16kStereo",
    // "32kHz(4bit)"; null where the row lacks the control.
    std::array<HWND, 8> options_{};
    std::wstring name_;
    double volume_ = 1.0;
    int percent_ = 100;
    bool fixed_ = false;
    int baseId_ = 0;

    void showPercent();
    void enableControls(bool enabled);
};

} // namespace cw::gui
