// voxreel's one window: the file name, the title line and the type label of the last play,
// and the "Play" button. Files dropped on it, or named on the command line, are played.
#pragma once

#include "voxreel/gui/paint_record.hpp"
#include "voxreel/player/player_session.hpp"

#include <windows.h>
#include <shellapi.h>

namespace voxreel::gui {

constexpr int playCommandId = 1001;
constexpr int programIconId = 101;

class PlayerWindow {
public:
    PlayerWindow(HINSTANCE instance, voxreel::PlayerSession& session, PaintRecord& paintRecord)
        : instance_(instance), session_(session), paintRecord_(paintRecord) {}
    PlayerWindow(const PlayerWindow&) = delete;
    PlayerWindow& operator=(const PlayerWindow&) = delete;

    // Registers the window class "mainWClass". False when the system refuses it.
    static bool registerClass(HINSTANCE instance);

    // Creates the window, shows it and paints it. False when it could not be created.
    bool create();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void onCreate();
    void onDropFiles(HDROP drop);
    void onCommand(WPARAM wParam);
    void onPaint();
    void onClose();
    void drawLine(HDC dc, int x, int y, const std::string& text);
    void postPlayCommand();

    HINSTANCE instance_;
    voxreel::PlayerSession& session_;
    PaintRecord& paintRecord_;
    HWND window_ = nullptr;
    HFONT displayFont_ = nullptr;
    HWND playButton_ = nullptr;
};

} // namespace voxreel::gui
