#include "chimewright/gui/control_font.hpp"

#include <vector>

namespace cw::gui {

namespace {

constexpr const wchar_t* preferredFace = L"ＭＳ Ｐ明朝";

// Mincho faces in the order they are taken when the preferred one is missing. IPA's fixed-
// pitch Mincho comes before its proportional one: its Latin letters are narrower, so a label
// such as "n503(100%)" fits the 80 pixels its row gives it (70 pixels against 84).
constexpr const wchar_t* minchoFaces[] = {L"ＭＳ 明朝",  L"IPA明朝",   L"IPAMincho",  L"IPA P明朝",
                                          L"IPAPMincho", L"IPAex明朝", L"IPAexMincho"};

int CALLBACK collectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM out) {
    reinterpret_cast<std::vector<std::wstring>*>(out)->push_back(font->lfFaceName);
    return 1;
}

std::vector<std::wstring> installedFaces() {
    std::vector<std::wstring> faces;
    HDC dc = ::GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &query, collectFace, reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(nullptr, dc);
    return faces;
}

bool contains(const std::vector<std::wstring>& faces, const std::wstring& face) {
    for (const std::wstring& f : faces)
        if (::CompareStringOrdinal(f.c_str(), -1, face.c_str(), -1, TRUE) == CSTR_EQUAL)
            return true;
    return false;
}

} // namespace

std::wstring controlFontFace() {
    const std::vector<std::wstring> faces = installedFaces();
    if (contains(faces, preferredFace)) return preferredFace;
    for (const wchar_t* face : minchoFaces)
        if (contains(faces, face)) return face;
    // Any other Mincho face, by name.
    for (const std::wstring& face : faces)
        if (face.find(L"Mincho") != std::wstring::npos || face.find(L"明朝") != std::wstring::npos)
            return face;
    return preferredFace; // the system's own substitution decides
}

HFONT createControlFont() {
    LOGFONTW font{};
    font.lfHeight = 15;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = controlFontFace();
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return ::CreateFontIndirectW(&font);
}

} // namespace cw::gui
