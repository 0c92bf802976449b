// The main window: the file list above, the commands, the preset and size-limit controls and
// one control row per target below; it starts the batch on a worker thread and answers the
// worker's questions.
#pragma once

#include "chimewright/app/batch.hpp"
#include "chimewright/gui/list_window.hpp"
#include "chimewright/gui/target_row.hpp"
#include "chimewright/gui/window_batch_port.hpp"

#include <array>
#include <thread>
#include <windows.h>

namespace cw::gui {

class MainWindow : public BatchDialogs {
  public:
    static constexpr const wchar_t* className = L"mainWClass";
    static bool registerClass(HINSTANCE instance, HICON icon);

    MainWindow(cw::SettingsState settings, platform::Path settingsFile);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    bool create(int showCommand);
    // The list's keyboard moves, tried before a message is dispatched.
    bool navigate(const MSG& message) { return list_.navigate(message); }

    // The worker's questions, on the window thread.
    std::optional<std::string> chooseFolder(const std::string& prompt,
                                            const std::string& preselected) override;
    bool askYesNo(const std::string& question, const char* caption) override;
    void tell(const std::string& text, const char* caption) override;

  private:
    cw::SettingsState settings_; // the window thread's own
    SharedSettings shared_;      // what the worker reads
    platform::Path settingsFile_;
    cw::FileList rows_;
    ListWindow list_;
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr;
    TargetRow normalisation_;
    std::array<TargetRow, cw::targetCount> targets_;

    std::thread worker_;
    BatchProgress progress_;
    std::uint64_t batches_ = 0;
    bool closing_ = false; // closing waits for the running batch

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    void createControls();
    void layOut(int clientWidth);
    void paintPrompt();
    void onCommand(int id, int code);
    void onScroll(int code, int position, HWND bar);

    HWND control(int id) const { return ::GetDlgItem(hwnd_, id); }
    void takeWindowState();
    void takeVolumes();
    void showSettings();
    void storeSizeLimit();
    void listChanged();

    void startBatch();
    void showProgress();
    void batchEnded();
    void exportList();
    void importList();
    void loadSelectedPreset();
    void saveSelectedPreset();
    void editCopyrightText();
    void close();
};

} // namespace cw::gui
