#include "platform/win32/win32_text.h"

#include <cstring>
#include <vector>

#include "toolkit/encoding.h"

namespace qm::win32 {

std::wstring wideOf(const Text& text) {
    const char* bytes = text.c_str();
    const int length = static_cast<int>(std::strlen(bytes));
    if (length == 0) return {};
    const int units = MultiByteToWideChar(kGbkCodePage, 0, bytes, length, nullptr, 0);
    if (units <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, bytes, length, wide.data(), units);
    return wide;
}

Text textOf(const wchar_t* wide, int length) {
    if (wide == nullptr || length <= 0) return {};
    const int bytes =
        WideCharToMultiByte(kGbkCodePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    Text text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(kGbkCodePage, 0, wide, length, text.data(), bytes, nullptr, nullptr);
    return text.substr(0, std::strlen(text.c_str()));
}

Text windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, buffer.data(), length + 1);
    return textOf(buffer.data(), got);
}

Text leadingBytes(const Text& text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const auto lead = static_cast<unsigned char>(text[end]);
        const std::size_t width = (lead >= 0x81 && lead <= 0xFE && end + 1 < text.size()) ? 2 : 1;
        if (end + width > maxBytes) break;
        end += width;
    }
    return text.substr(0, end);
}

}  // namespace qm::win32
