#include "platform/win32/fonts.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/win32/win32_text.h"

namespace qm::win32 {

namespace {

void setFaceName(LOGFONTW& font, const Text& name) {
    const std::wstring face = wideOf(name);
    const std::size_t units = std::min(face.size(), std::size(font.lfFaceName) - 1);
    std::copy_n(face.data(), units, font.lfFaceName);
    font.lfFaceName[units] = L'\0';
}

}  // namespace

LOGFONTW logFontOf(const PaneLogFont& wanted) {
    LOGFONTW font{};
    font.lfHeight = wanted.height;
    font.lfWidth = wanted.width;
    font.lfEscapement = wanted.escapement;
    font.lfOrientation = wanted.orientation;
    font.lfWeight = wanted.weight;
    font.lfItalic = wanted.italic ? TRUE : FALSE;
    font.lfUnderline = wanted.underline ? TRUE : FALSE;
    font.lfStrikeOut = wanted.strikeOut ? TRUE : FALSE;
    font.lfCharSet = static_cast<BYTE>(wanted.charSet);
    font.lfOutPrecision = static_cast<BYTE>(wanted.outPrecision);
    font.lfClipPrecision = static_cast<BYTE>(wanted.clipPrecision);
    font.lfQuality = static_cast<BYTE>(wanted.quality);
    font.lfPitchAndFamily = static_cast<BYTE>(wanted.pitchAndFamily);
    setFaceName(font, wanted.faceName);
    return font;
}

LOGFONTW logFontOf(const FontSpec& wanted) {
    LOGFONTW font{};
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    // A negative height asks for the character height, as point sizes mean.
    font.lfHeight = -MulDiv(wanted.size, dpi, 72);
    font.lfEscapement = wanted.angle * 10;
    font.lfOrientation = wanted.angle * 10;
    font.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = wanted.italic ? TRUE : FALSE;
    font.lfUnderline = wanted.underline ? TRUE : FALSE;
    font.lfStrikeOut = wanted.strikeOut ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    setFaceName(font, wanted.name);
    return font;
}

HFONT createFont(const LOGFONTW& font) {
    return CreateFontIndirectW(&font);
}

}  // namespace qm::win32
