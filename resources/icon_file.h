// Reads the directory of an icon file (.ico) held in memory, such as the copy
// of app.ico in the program's data, and picks the image to draw at a size.
//
// The file's directory entries are 16 bytes (ending in the image's offset),
// unlike the 14-byte entries of an icon group resource (ending in a resource
// id) that LookupIconIdFromDirectoryEx expects; so the file is read here and
// the picked image's bytes go straight to CreateIconFromResourceEx.
#ifndef QUILLMERE_RESOURCES_ICON_FILE_H
#define QUILLMERE_RESOURCES_ICON_FILE_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qm {

// One image of an icon file as its directory describes it.
struct IconFileEntry {
    int width = 0;  // 1 to 256
    int height = 0;
    int bitCount = 0;
    std::size_t offset = 0;  // of the image's bytes (a BITMAPINFOHEADER or a PNG) in the file
    std::size_t size = 0;
};

namespace icon_file_detail {
inline std::uint32_t readLittleEndian(std::span<const unsigned char> bytes, std::size_t at,
                                      int width) {
    std::uint32_t value = 0;
    for (int k = width - 1; k >= 0; --k)
        value = value << 8 | bytes[at + static_cast<std::size_t>(k)];
    return value;
}
}  // namespace icon_file_detail

// The directory's entries in file order; empty when the bytes are not an icon
// file or any entry's image lies outside them.
inline std::vector<IconFileEntry> readIconFileDirectory(std::span<const unsigned char> file) {
    using icon_file_detail::readLittleEndian;
    constexpr std::size_t headerSize = 6, entrySize = 16;
    if (file.size() < headerSize || readLittleEndian(file, 0, 2) != 0 ||
        readLittleEndian(file, 2, 2) != 1)
        return {};
    const std::size_t count = readLittleEndian(file, 4, 2);
    const std::size_t imagesStart = headerSize + entrySize * count;
    if (count == 0 || file.size() < imagesStart) return {};
    std::vector<IconFileEntry> entries;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = headerSize + entrySize * k;
        IconFileEntry entry;
        entry.width = file[at] == 0 ? 256 : file[at];  // 0 stands for 256
        entry.height = file[at + 1] == 0 ? 256 : file[at + 1];
        entry.bitCount = static_cast<int>(readLittleEndian(file, at + 6, 2));
        entry.size = readLittleEndian(file, at + 8, 4);
        entry.offset = readLittleEndian(file, at + 12, 4);
        if (entry.size == 0 || entry.offset < imagesStart || entry.offset > file.size() ||
            entry.size > file.size() - entry.offset)
            return {};
        entries.push_back(entry);
    }
    return entries;
}

// The image to draw at size x size pixels: one of that width with the most
// bits per pixel; failing that the nearest larger one (scaled down), failing
// that the largest. Nothing when the bytes are not a well-formed icon file.
inline std::optional<IconFileEntry> pickIconFileImage(std::span<const unsigned char> file,
                                                      int size) {
    std::optional<IconFileEntry> best;
    auto rank = [size](const IconFileEntry& e) {
        // Lower is better: exact size, then larger sizes nearest first, then
        // smaller ones largest first; more colours break ties.
        const int sizeRank = e.width == size  ? 0
                             : e.width > size ? e.width - size
                                              : 1000 + (size - e.width);
        return sizeRank * 64 - e.bitCount;
    };
    for (const IconFileEntry& entry : readIconFileDirectory(file))
        if (!best || rank(entry) < rank(*best)) best = entry;
    return best;
}

}  // namespace qm

#endif
