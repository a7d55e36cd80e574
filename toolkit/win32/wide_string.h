// Code page 936 Text as a Windows wide string, through toWide.
#pragma once

#include <cstddef>
#include <string>

#include "toolkit/encoding.h"

namespace qm {

inline std::wstring wideStringOf(const Text& text) {
    const WideText wide = toWide(text, kGbkCodePage);
    std::wstring units;
    units.reserve(wide.size() / 2);
    for (std::size_t i = 0; i + 1 < wide.size(); i += 2) {
        const auto unit = static_cast<wchar_t>(static_cast<unsigned char>(wide[i]) |
                                               (static_cast<unsigned char>(wide[i + 1]) << 8));
        if (unit == 0) break;
        units.push_back(unit);
    }
    return units;
}

}  // namespace qm
