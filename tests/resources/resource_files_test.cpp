// The image files the resource script compiles into quillmere.exe: the icon's
// set of images and the picture button's four strips, read as Windows reads them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "resources/icon_file.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes readResource(const std::string& name) {
    std::ifstream in(std::string(QM_RESOURCES_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t le(const Bytes& b, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int k = width - 1; k >= 0; --k) v = v << 8 | b.at(at + static_cast<std::size_t>(k));
    return v;
}

std::uint32_t be32(const Bytes& b, std::size_t at) {
    return std::uint32_t{b.at(at)} << 24 | std::uint32_t{b.at(at + 1)} << 16 |
           std::uint32_t{b.at(at + 2)} << 8 | b.at(at + 3);
}

std::size_t rowBytes(int width, int bpp) {
    return static_cast<std::size_t>((width * bpp + 31) / 32 * 4);
}

// --- the application icon ---------------------------------------------------

struct IconImage {
    int size;
    int bpp;
    bool png;
};

const IconImage kIconImages[] = {
    {16, 4, false},  {32, 8, false},  {16, 8, false},  {48, 32, false},
    {32, 32, false}, {24, 32, false}, {16, 32, false}, {256, 32, true},
};

TEST(AppIcon, DirectoryDescribesTheEightImages) {
    const Bytes ico = readResource("app.ico");
    const auto entries = qm::readIconFileDirectory(ico);
    ASSERT_EQ(entries.size(), std::size(kIconImages));
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const IconImage& want = kIconImages[k];
        const qm::IconFileEntry& e = entries[k];
        SCOPED_TRACE(testing::Message()
                     << "image " << k << ": " << want.size << " px, " << want.bpp << " bpp");
        const std::size_t dir = 6 + 16 * k;
        EXPECT_EQ(e.width, want.size);
        EXPECT_EQ(e.height, want.size);
        EXPECT_EQ(e.bitCount, want.bpp);
        EXPECT_EQ(ico[dir + 2], want.bpp == 4 ? 16 : 0) << "colour count";
        EXPECT_EQ(le(ico, dir + 4, 2), 1u) << "planes";
        if (want.png) {
            const Bytes signature(ico.begin() + static_cast<long>(e.offset),
                                  ico.begin() + static_cast<long>(e.offset) + 8);
            EXPECT_EQ(signature, (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}));
            EXPECT_EQ(be32(ico, e.offset + 8), 13u);
            EXPECT_EQ(std::string(ico.begin() + static_cast<long>(e.offset) + 12,
                                  ico.begin() + static_cast<long>(e.offset) + 16),
                      "IHDR");
            EXPECT_EQ(be32(ico, e.offset + 16), 256u);
            EXPECT_EQ(be32(ico, e.offset + 20), 256u);
            EXPECT_EQ(ico.at(e.offset + 24), 8) << "bit depth";
            EXPECT_EQ(ico.at(e.offset + 25), 6) << "RGBA";
            continue;
        }
        // A BITMAPINFOHEADER whose height counts the colour bitmap and the AND mask.
        EXPECT_EQ(le(ico, e.offset, 4), 40u);
        EXPECT_EQ(le(ico, e.offset + 4, 4), static_cast<std::uint32_t>(want.size));
        EXPECT_EQ(le(ico, e.offset + 8, 4), static_cast<std::uint32_t>(2 * want.size));
        EXPECT_EQ(le(ico, e.offset + 12, 2), 1u);
        EXPECT_EQ(le(ico, e.offset + 14, 2), static_cast<std::uint32_t>(want.bpp));
        EXPECT_EQ(le(ico, e.offset + 16, 4), 0u) << "BI_RGB";
        const std::size_t palette = want.bpp <= 8 ? 4u << want.bpp : 0;
        const std::size_t colours =
            rowBytes(want.size, want.bpp) * static_cast<std::size_t>(want.size);
        const std::size_t mask = rowBytes(want.size, 1) * static_cast<std::size_t>(want.size);
        EXPECT_EQ(e.size, 40 + palette + colours + mask);
    }
}

// Where Windows draws a 32-bit image with its alpha, older paths use the AND
// mask: the two must agree pixel by pixel (same rows, same orientation), and
// the image must be neither empty nor a full square.
TEST(AppIcon, AlphaAndMaskAgreeIn32BitImages) {
    const Bytes ico = readResource("app.ico");
    const auto entries = qm::readIconFileDirectory(ico);
    ASSERT_EQ(entries.size(), std::size(kIconImages));
    for (const qm::IconFileEntry& e : entries) {
        if (e.bitCount != 32 || e.width == 256) continue;
        SCOPED_TRACE(testing::Message() << e.width << " px");
        const std::size_t colours = e.offset + 40;
        const std::size_t mask =
            colours + rowBytes(e.width, 32) * static_cast<std::size_t>(e.width);
        int opaque = 0, clear = 0, disagreeing = 0;
        for (int row = 0; row < e.height; ++row) {
            for (int x = 0; x < e.width; ++x) {
                const unsigned alpha =
                    ico.at(colours + static_cast<std::size_t>(row * e.width + x) * 4 + 3);
                const bool masked =
                    ico.at(mask + static_cast<std::size_t>(row) * rowBytes(e.width, 1) +
                           static_cast<std::size_t>(x / 8)) &
                    (0x80 >> (x % 8));
                opaque += alpha == 255;
                clear += alpha == 0;
                disagreeing += masked != (alpha < 128);
            }
        }
        EXPECT_GT(opaque, e.width * e.height / 4);
        EXPECT_GT(clear, 0);
        EXPECT_EQ(disagreeing, 0);
    }
}

TEST(IconFile, PicksTheImageToDrawAtASize) {
    const Bytes ico = readResource("app.ico");
    const struct {
        int asked, width, bpp;
    } cases[] = {
        {16, 16, 32}, {24, 24, 32},  {32, 32, 32},   {48, 48, 32},
        {20, 24, 32}, {64, 256, 32}, {512, 256, 32}, {8, 16, 32},
    };
    for (const auto& c : cases) {
        const auto picked = qm::pickIconFileImage(ico, c.asked);
        ASSERT_TRUE(picked) << c.asked;
        EXPECT_EQ(picked->width, c.width) << c.asked;
        EXPECT_EQ(picked->bitCount, c.bpp) << c.asked;
    }
}

TEST(IconFile, RejectsMalformedFiles) {
    const Bytes ico = readResource("app.ico");
    ASSERT_GT(ico.size(), 200u);
    auto patched = [&](std::size_t at, unsigned char value) {
        Bytes b = ico;
        b[at] = value;
        return b;
    };
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"header only", Bytes(ico.begin(), ico.begin() + 6)},
        {"directory cut short", Bytes(ico.begin(), ico.begin() + 6 + 16 * 7)},
        {"last image cut short", Bytes(ico.begin(), ico.end() - 1)},
        {"a cursor file", patched(2, 2)},
        {"no images", patched(4, 0)},
        {"image offset inside the directory", patched(6 + 12, 10)},
        {"image size beyond the file", patched(6 + 16 * 7 + 11, 0x7f)},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(qm::readIconFileDirectory(c.bytes).empty()) << c.what;
        EXPECT_FALSE(qm::pickIconFileImage(c.bytes, 16)) << c.what;
    }
}

// --- the picture button's strips -------------------------------------------

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

constexpr int kStripWidth = 8, kStripHeight = 198;

// The pixel in column x of row y counted from the top; the file's rows run bottom-up.
Rgb stripPixel(const Bytes& bmp, int x, int y) {
    const std::size_t at =
        54 + static_cast<std::size_t>((kStripHeight - 1 - y) * kStripWidth * 3 + x * 3);
    return {bmp.at(at + 2), bmp.at(at + 1), bmp.at(at)};
}

bool near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

constexpr Rgb kWhite{255, 255, 255}, kTriangleGrey{129, 129, 129};

struct Strip {
    const char* file;
    bool blue;
    Rgb triangle;
    int flat, tip;  // the triangle's columns: flat side and tip
};

const Strip kStrips[] = {
    {"collapse.bmp", false, kTriangleGrey, 6, 2},
    {"collapse_hot.bmp", true, kWhite, 5, 2},
    {"expand.bmp", false, kTriangleGrey, 1, 5},
    {"expand_hot.bmp", true, kWhite, 2, 5},
};

TEST(ButtonStrips, AreUncompressed24BitBottomUpBitmaps) {
    for (const Strip& s : kStrips) {
        SCOPED_TRACE(s.file);
        const Bytes bmp = readResource(s.file);
        ASSERT_EQ(bmp.size(), 4808u);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(le(bmp, 2, 4), 4808u) << "file size";
        EXPECT_EQ(le(bmp, 10, 4), 54u) << "pixels right after the header";
        EXPECT_EQ(le(bmp, 14, 4), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(le(bmp, 18, 4), 8u);
        EXPECT_EQ(le(bmp, 22, 4), 198u) << "positive height: bottom-up rows";
        EXPECT_EQ(le(bmp, 26, 2), 1u);
        EXPECT_EQ(le(bmp, 28, 2), 24u);
        EXPECT_EQ(le(bmp, 30, 4), 0u) << "BI_RGB";
        EXPECT_EQ(le(bmp, 46, 4), 0u) << "no palette";
    }
}

TEST(ButtonStrips, TriangleSitsInRows98To105PointingItsWay) {
    for (const Strip& s : kStrips) {
        SCOPED_TRACE(s.file);
        const Bytes bmp = readResource(s.file);
        ASSERT_EQ(bmp.size(), 4808u);
        const int towardsTip = s.tip < s.flat ? -1 : 1;
        for (int row : {101, 102}) {
            EXPECT_EQ(stripPixel(bmp, s.tip, row), s.triangle) << "tip, row " << row;
            EXPECT_NE(stripPixel(bmp, s.tip + towardsTip, row), s.triangle) << "beyond the tip";
            EXPECT_NE(stripPixel(bmp, s.flat - towardsTip, row), s.triangle)
                << "behind the flat side";
        }
        for (int row : {98, 105}) {
            EXPECT_EQ(stripPixel(bmp, s.flat, row), s.triangle) << "flat side, row " << row;
            EXPECT_NE(stripPixel(bmp, s.tip, row), s.triangle) << "tapered, row " << row;
        }
        for (int row : {97, 106})
            for (int x = 0; x < kStripWidth; ++x)
                EXPECT_NE(stripPixel(bmp, x, row), s.triangle)
                    << "outside, row " << row << " column " << x;
    }
}

TEST(ButtonStrips, StripColoursRunFromLeftToRight) {
    for (const Strip& s : kStrips) {
        SCOPED_TRACE(s.file);
        const Bytes bmp = readResource(s.file);
        ASSERT_EQ(bmp.size(), 4808u);
        const Rgb left = s.blue ? Rgb{33, 147, 225} : Rgb{140, 140, 140};
        const Rgb right = s.blue ? Rgb{234, 245, 252} : Rgb{245, 245, 245};
        for (int row : {60, 140}) {
            EXPECT_PRED3(near, stripPixel(bmp, 0, row), left, 8) << "row " << row;
            EXPECT_PRED3(near, stripPixel(bmp, 7, row), right, 8) << "row " << row;
        }
        if (s.blue) {
            // The right edge rounds into white at both ends.
            EXPECT_EQ(stripPixel(bmp, 7, 0), kWhite);
            EXPECT_EQ(stripPixel(bmp, 7, kStripHeight - 1), kWhite);
            EXPECT_PRED3(near, stripPixel(bmp, 0, 0), left, 8);
        } else {
            for (int x = 0; x < kStripWidth; ++x) {
                EXPECT_EQ(stripPixel(bmp, x, 0), kWhite) << "first row, column " << x;
                EXPECT_EQ(stripPixel(bmp, x, kStripHeight - 1), kWhite) << "last row, column " << x;
            }
        }
    }
}

}  // namespace
