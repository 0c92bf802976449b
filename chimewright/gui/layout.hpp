// Where every control of the main window and the list window stands. The lower part of the
// main window hangs below the list, so its vertical positions count from L = list lines × 24;
// horizontal positions count from the left edge, the centre or the right edge of the client
// area, which is what keeps them in place when the window is resized.
#pragma once

#include <array>
#include <cstdint>

namespace cw::gui {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

constexpr int lineHeight = 24;
constexpr int listTop = 50;
constexpr int listWidth = 732; // the client width the fixed positions are drawn for
constexpr int windowWidth = 740;
constexpr int windowHeightBelowList = 490;

inline int listHeight(int lines) {
    return lines * lineHeight;
}

// Control identifiers of the main window.
namespace id {
constexpr int makeMld = 2001;
constexpr int clear = 2002;
constexpr int help = 2004;
constexpr int exportList = 2005;
constexpr int importList = 2006;
constexpr int save = 2007;
constexpr int loop = 2008;
constexpr int presetBox = 2009;
constexpr int sizeLimit = 2010;
constexpr int copyright = 2011;
// Texts without an action: labels, the column headers and the line between the rows.
constexpr int firstLabel = 2020;
constexpr int firstHeader = 2030;
// The list window's fields: column c of line k is fieldBase + 100 c + k.
constexpr int fieldBase = 2100;
} // namespace id

enum class Anchor { left, centre, right };
enum class Kind {
    button,
    defaultButton,
    checkBox,
    label,
    centredLabel,
    rightLabel,
    line,
    dropDownList,
    numberField
};

struct ControlSpec {
    int id;
    Kind kind;
    const wchar_t* text;
    Anchor anchor;
    int x;          // from the anchor
    bool belowList; // y counts from L
    int y;
    int width, height;
};

extern const std::array<ControlSpec, 17> mainControls;

Box place(const ControlSpec& entry, int clientWidth, int listLines);

// One control row: the normalisation row (target −1) or a target's row.
struct RowSpec {
    int target; // index into the target tables; −1 for the normalisation row
    int baseId;
    int x, y; // y counts from L
    int labelWidth;
};

constexpr int normalisationRow = -1;
extern const std::array<RowSpec, 27> rowSpecs;

// The list window's five columns: path, title, output name, interval, result.
constexpr int columnCount = 5;
enum Column { pathColumn, titleColumn, outputColumn, intervalColumn, resultColumn };

// A field of line `line` when the client area is `extra` pixels wider than listWidth.
Box listField(int column, int line, int extra);
// A column header above the list.
Box columnHeader(int column, int extra);
extern const std::array<const wchar_t*, columnCount> columnTitles;

} // namespace cw::gui
