// The file list on screen: a child window with five edit fields per visible line (path,
// title, output name, interval, result) over the rows of the file list, its vertical scroll
// bar, the mouse wheel, the keyboard moves between the fields, and dropped files.
#pragma once

#include "chimewright/app/file_list.hpp"

#include <array>
#include <functional>
#include <vector>
#include <windows.h>

#include <shellapi.h> // after <windows.h>, which it needs

namespace cw::gui {

class ListWindow {
  public:
    static constexpr const wchar_t* className = L"listWClass";
    static bool registerClass(HINSTANCE instance, HICON icon);

    // `changed` runs after the rows were changed by a drop (the main window repaints).
    ListWindow(cw::FileList& list, std::function<void()> changed);

    HWND create(HWND parent, int lines, HFONT font);
    HWND hwnd() const { return hwnd_; }
    int lines() const { return static_cast<int>(fields_.size()); }
    int firstShown() const { return first_; }

    // Titles, output names and intervals typed into the visible lines, back into the rows.
    void storeVisibleRows();
    // Fills the lines with the rows from `first` on.
    void redrawFrom(int first);
    // The client area is `clientWidth` wide: the list spans it, its fields follow.
    void resize(int clientWidth);

    // Adds the dropped files (refused while a batch runs) and releases the drop.
    void acceptDrop(HDROP drop);

    // Up, Down, Tab and Shift+Tab in the title, output-name and interval fields. True when
    // the key was handled and must not be dispatched.
    bool navigate(const MSG& message);

  private:
    cw::FileList& list_;
    std::function<void()> changed_;
    HWND hwnd_ = nullptr;
    std::vector<std::array<HWND, 5>> fields_;
    int first_ = 0;

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    int rowCount() const { return static_cast<int>(list_.rows.size()); }
    int lastFirst() const; // the first shown row of the last full page
    void scrollTo(int first);
    void onScroll(int code, int position);
    void focusField(int line, int column);
};

} // namespace cw::gui
