#include "chimewright/gui/layout.hpp"

namespace cw::gui {

namespace {

constexpr int L = 0; // marks positions below the list in the tables; place() adds the real L

} // namespace

const std::array<ControlSpec, 17> mainControls = {{
    {id::makeMld, Kind::defaultButton, L"make MLD", Anchor::centre, -100, true, L + 60, 90, 24},
    {id::clear, Kind::button, L"Clear", Anchor::centre, 10, true, L + 60, 90, 24},
    {id::help, Kind::button, L"Help", Anchor::right, -50, false, 0, 50, 22},
    {id::copyright, Kind::button, L"Copyright", Anchor::right, -130, false, 0, 76, 22},
    {id::loop, Kind::checkBox, L"Loop(i-Appli)", Anchor::left, 20, true, L + 50, 130, 24},
    {id::exportList, Kind::button, L"Exp.", Anchor::right, -120, true, L + 60, 50, 24},
    {id::importList, Kind::button, L"Imp.", Anchor::right, -60, true, L + 60, 50, 24},
    {id::firstLabel, Kind::label,
     L"Folder Option(Create,Volume,Unlimited,4kHz,8kHz,8kStereo,16kHz,"
     L"32kHz(2bit),16kStereo,32kHz(4bit))",
     Anchor::left, 20, true, L + 128, 750, 20},
    {id::firstLabel + 1, Kind::centredLabel, L"Preset", Anchor::left, 20, true, L + 103, 50, 20},
    {id::presetBox, Kind::dropDownList, L"", Anchor::left, 70, true, L + 100, 100, 200},
    {id::save, Kind::button, L"Save", Anchor::left, 175, true, L + 101, 50, 22},
    {id::firstLabel + 2, Kind::rightLabel, L"Unlimited MaxSize", Anchor::left, 280, true, L + 100,
     160, 20},
    {id::sizeLimit, Kind::numberField, L"", Anchor::left, 450, true, L + 98, 80, 20},
    {id::firstLabel + 3, Kind::label, L"(default 100000 bytes)", Anchor::left, 540, true, L + 100,
     180, 20},
    {id::firstLabel + 4, Kind::label, L"4k,8k,St,16", Anchor::left, 230, true, L + 145, 150, 20},
    {id::firstLabel + 5, Kind::label, L"4k,8k,8S,16,32,16S,32 kHz", Anchor::left, 550, true,
     L + 145, 200, 20},
    {id::firstLabel + 6, Kind::line, L"", Anchor::left, 10, true, L + 403, 700, 1},
}};

Box place(const ControlSpec& entry, int clientWidth, int listLines) {
    int x = entry.x;
    if (entry.anchor == Anchor::centre) x += clientWidth / 2;
    if (entry.anchor == Anchor::right) x += clientWidth;
    const int y = entry.y + (entry.belowList ? listHeight(listLines) : 0);
    return {x, y, entry.width, entry.height};
}

const std::array<RowSpec, 27> rowSpecs = {{
    {normalisationRow, 3010, 20, L + 78, 105},
    {1, 3020, 20, L + 160, 80},   // n503
    {2, 3030, 20, L + 180, 80},   // n504
    {3, 3040, 340, L + 160, 80},  // n505
    {4, 3050, 20, L + 200, 80},   // f503
    {5, 3060, 20, L + 220, 80},   // f504
    {6, 3070, 340, L + 180, 80},  // f505
    {9, 3080, 340, L + 200, 80},  // p900
    {7, 3090, 20, L + 240, 80},   // p211
    {8, 3100, 340, L + 220, 80},  // p505
    {10, 3110, 20, L + 260, 80},  // d211
    {11, 3130, 340, L + 240, 80}, // d505
    {12, 3140, 20, L + 280, 80},  // sh251
    {13, 3150, 340, L + 260, 80}, // sh505
    {14, 3160, 340, L + 280, 80}, // sh252
    {15, 3170, 20, L + 300, 80},  // so504
    {16, 3180, 340, L + 300, 80}, // so505
    {0, 3190, 20, L + 320, 80},   // mmf
    {18, 3200, 20, L + 340, 80},  // qcp
    {17, 3210, 340, L + 320, 80}, // so505iS
    {19, 3220, 340, L + 340, 80}, // sa700
    {20, 3230, 340, L + 360, 80}, // sa702
    {22, 3240, 20, L + 360, 80},  // L600
    {23, 3250, 20, L + 380, 80},  // N600
    {24, 3270, 340, L + 380, 80}, // m702
    {21, 3260, 340, L + 405, 80}, // p903
    {25, 3280, 340, L + 425, 80}, // Andr
}};

namespace {

struct ColumnGeometry {
    int fieldX, fieldWidth, headerX, headerWidth;
};

constexpr std::array<ColumnGeometry, columnCount> columns = {{
    {0, 360, 0, 360},
    {360, 152, 360, 162},
    {512, 112, 522, 100},
    {624, 50, 622, 52},
    {674, 40, 674, 50},
}};

// The path column takes 0.4 of the extra width, the result column the other 0.6; the
// columns between them move by the path column's share.
struct Share {
    int move, grow;
};

Share shareOf(int column, int extra) {
    const int left = static_cast<int>(0.4 * extra);
    const int right = static_cast<int>(0.6 * extra);
    if (column == pathColumn) return {0, left};
    if (column == resultColumn) return {left, right};
    return {left, 0};
}

} // namespace

const std::array<const wchar_t*, columnCount> columnTitles = {L"ファイル名", L"タイトル", L"出力名",
                                                              L"間隔ms", L"結果"};

Box listField(int column, int line, int extra) {
    const ColumnGeometry& c = columns[static_cast<std::size_t>(column)];
    const Share s = shareOf(column, extra);
    return {c.fieldX + s.move, line * lineHeight, c.fieldWidth + s.grow, lineHeight};
}

Box columnHeader(int column, int extra) {
    const ColumnGeometry& c = columns[static_cast<std::size_t>(column)];
    const Share s = shareOf(column, extra);
    return {c.headerX + s.move, 30, c.headerWidth + s.grow, 20};
}

} // namespace cw::gui
