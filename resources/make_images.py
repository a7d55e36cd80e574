#!/usr/bin/env python3
"""Draws Quillmere's images and writes them beside this script.

  app.ico           the application icon: 16x16 at 4 bpp, 32x32 and 16x16 at
                    8 bpp, 48x48, 32x32, 24x24 and 16x16 at 32 bpp with alpha,
                    and 256x256 stored as PNG
  collapse.bmp      the picture button's strips, 8 x 198 pixels, 24 bpp:
  collapse_hot.bmp  grey (normal) or blue (hot), with a triangle pointing
  expand.bmp        left (panel shown, a click hides it) or right (panel
  expand_hot.bmp    hidden, a click shows it)

The output is kept in the tree; the build never runs this script. Rerun it by
hand after changing the artwork: python3 resources/make_images.py
Standard library only.
"""

import math
import os
import struct
import zlib

OUT_DIR = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------------------
# The strips of the picture button
# ---------------------------------------------------------------------------

STRIP_W, STRIP_H = 8, 198
TRIANGLE_TOP = 98  # the triangle fills rows 98..105 (from the top)
WHITE = (255, 255, 255)
TRIANGLE_GREY = (129, 129, 129)


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c0, c1, t):
    return tuple(round(lerp(a, b, t)) for a, b in zip(c0, c1))


def grey_strip_pixel(x, y):
    """Darkest at the left edge and in the middle rows; first and last row white."""
    if y == 0 or y == STRIP_H - 1:
        return WHITE
    level = lerp(140, 245, x / (STRIP_W - 1))
    # The last 30 rows towards either end fade towards the light edge colour.
    fade = max(0.0, 1.0 - min(y, STRIP_H - 1 - y) / 30.0) ** 2
    level = lerp(level, 245, fade * 0.6)
    return (round(level),) * 3


BLUE_LEFT = (33, 147, 225)
BLUE_RIGHT = (234, 245, 252)
CORNER_A, CORNER_B = 5.0, 14.0  # half axes of the rounded corners (columns, rows)


def blue_strip_pixel(x, y):
    """Blue to pale blue across; near both ends the right edge rounds into white."""
    colour = mix(BLUE_LEFT, BLUE_RIGHT, x / (STRIP_W - 1))
    end_distance = min(y, STRIP_H - 1 - y) + 0.5
    if end_distance >= CORNER_B:
        return colour
    # Coverage of the pixel by the quarter ellipse, from 4 x 4 sub-samples.
    x0 = STRIP_W - CORNER_A
    inside = 0
    for sy in range(4):
        for sx in range(4):
            px = x + (sx + 0.5) / 4
            py = min(y, STRIP_H - 1 - y) + (sy + 0.5) / 4
            dx = max(0.0, px - x0) / CORNER_A
            dy = (CORNER_B - py) / CORNER_B
            inside += dx * dx + dy * dy <= 1.0
    return mix(WHITE, colour, inside / 16)


def triangle_columns(row, flat, tip):
    """Columns of the triangle in one row: full width in rows 101 and 102,
    one column less per row towards rows 98 and 105."""
    step = min(row - TRIANGLE_TOP, TRIANGLE_TOP + 7 - row)  # 0..3
    if step < 0:
        return range(0)
    direction = 1 if tip > flat else -1
    reach = abs(tip - flat) - (3 - step)
    if reach < 0:
        return range(0)
    end = flat + direction * reach
    return range(min(flat, end), max(flat, end) + 1)


def strip_pixels(background, colour, flat, tip):
    rows = []
    for y in range(STRIP_H):
        row = [background(x, y) for x in range(STRIP_W)]
        for x in triangle_columns(y, flat, tip):
            row[x] = colour
        rows.append(row)
    return rows


def bmp_file(rows):
    """An uncompressed 24-bit BMP. Two zero bytes after the pixel array pad the
    file to 4,808 bytes, the size these images have always had."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    trailer = bytes(2)
    offset = 14 + 40
    file_size = offset + len(pixels) + len(trailer)
    header = struct.pack("<2sIHHI", b"BM", file_size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels) + trailer


STRIPS = {
    "collapse.bmp": (grey_strip_pixel, TRIANGLE_GREY, 6, 2),
    "collapse_hot.bmp": (blue_strip_pixel, WHITE, 5, 2),
    "expand.bmp": (grey_strip_pixel, TRIANGLE_GREY, 1, 5),
    "expand_hot.bmp": (blue_strip_pixel, WHITE, 2, 5),
}

# ---------------------------------------------------------------------------
# The icon: an open book with a quill, drawn from signed distance shapes in a
# unit square (x to the right, y down), so every size is drawn afresh rather
# than scaled from another.
# ---------------------------------------------------------------------------


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    ex, ey = px - (ax + t * dx), py - (ay + t * dy)
    return math.hypot(ex, ey)


class Polygon:
    def __init__(self, points):
        self.points = points
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.box = (min(xs), min(ys), max(xs), max(ys))

    def sdf(self, px, py):
        pts = self.points
        inside = False
        best = float("inf")
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                inside = not inside
            best = min(best, segment_distance(px, py, xi, yi, xj, yj))
            j = i
        return -best if inside else best


class Stroke:
    """A polyline with round ends and a given radius."""

    def __init__(self, points, radius):
        self.points = points
        self.radius = radius
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.box = (min(xs) - radius, min(ys) - radius, max(xs) + radius, max(ys) + radius)

    def sdf(self, px, py):
        pts = self.points
        best = min(
            segment_distance(px, py, *pts[i], *pts[i + 1]) for i in range(len(pts) - 1)
        )
        return best - self.radius


class Grown:
    """A shape grown outwards by a margin (an outline beneath the shape)."""

    def __init__(self, shape, margin):
        self.shape = shape
        self.margin = margin
        x0, y0, x1, y1 = shape.box
        self.box = (x0 - margin, y0 - margin, x1 + margin, y1 + margin)

    def sdf(self, px, py):
        return self.shape.sdf(px, py) - self.margin


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes
        self.box = (
            min(s.box[0] for s in shapes),
            min(s.box[1] for s in shapes),
            max(s.box[2] for s in shapes),
            max(s.box[3] for s in shapes),
        )

    def sdf(self, px, py):
        return min(s.sdf(px, py) for s in self.shapes)


def quadratic(p0, p1, p2, n):
    out = []
    for i in range(n + 1):
        t = i / n
        a, b, c = (1 - t) ** 2, 2 * (1 - t) * t, t * t
        out.append((a * p0[0] + b * p1[0] + c * p2[0], a * p0[1] + b * p1[1] + c * p2[1]))
    return out


INK = (32, 36, 58)
COVER = (34, 94, 168)
COVER_DARK = (24, 66, 124)
PAGE = (253, 248, 232)
PAGE_SHADE = (232, 222, 198)
TEXT_LINE = (150, 156, 176)
VANE = (236, 106, 44)
VANE_LIGHT = (250, 170, 84)
SHAFT = (255, 238, 200)

SPINE_X = 0.5
PAGE_TOP, PAGE_BOTTOM = 0.50, 0.88  # at the spine
PAGE_EDGE_TOP, PAGE_EDGE_BOTTOM = 0.44, 0.82  # at the outer edges
PAGE_LEFT = 0.07
TOP_BULGE, BOTTOM_BULGE = 0.37, 0.78  # control points of the curved edges


def page_curves(left_side):
    """Top and bottom edge of one page, from the outer edge to the spine."""
    x_edge = PAGE_LEFT if left_side else 1 - PAGE_LEFT
    x_mid = (x_edge + SPINE_X) / 2
    top = quadratic((x_edge, PAGE_EDGE_TOP), (x_mid, TOP_BULGE), (SPINE_X, PAGE_TOP), 12)
    bottom = quadratic((x_edge, PAGE_EDGE_BOTTOM), (x_mid, BOTTOM_BULGE), (SPINE_X, PAGE_BOTTOM), 12)
    return top, bottom


def page_polygon(left_side):
    top, bottom = page_curves(left_side)
    return Polygon(top + list(reversed(bottom)))


def text_lines(left_side, count, radius):
    """Lines of writing following the curve of the page."""
    top, bottom = page_curves(left_side)
    strokes = []
    for k in range(count):
        t = (k + 1) / (count + 1)
        line = [(lerp(a[0], b[0], t), lerp(a[1], b[1], t)) for a, b in zip(top, bottom)]
        # Keep the lines clear of both page edges.
        strokes.append(Stroke(line[2:-2], radius))
    return strokes


# The quill: its axis runs from the nib on the right page up to the top right.
NIB = (0.58, 0.66)
QUILL_TOP = (0.95, 0.05)


def quill_point(t, offset):
    ax, ay = NIB
    bx, by = QUILL_TOP
    dx, dy = bx - ax, by - ay
    length = math.hypot(dx, dy)
    nx, ny = -dy / length, dx / length  # left of the axis, looking to the top
    return (ax + dx * t + nx * offset, ay + dy * t + ny * offset)


def vane_width(t, start, full):
    if t <= start:
        return 0.0
    u = (t - start) / (1 - start)
    return full * math.sin(math.pi * min(u, 1.0)) ** 0.6 * (1 - 0.25 * u)


def vane_half(side, start, full):
    """One half of the feather's vane: the axis on one side, the curved edge on the other."""
    n = 16
    edge = [quill_point(t, side * vane_width(t, start, full)) for t in
            (start + (1 - start) * i / n for i in range(n + 1))]
    axis = [quill_point(1.0, 0.0), quill_point(start, 0.0)]
    return Polygon(edge + axis)


def icon_layers(size):
    """Shapes from the top down, each with its colour; the first that holds a
    point gives that point its colour."""
    px = 1.0 / size
    outline = max(1.0, size / 40.0) * px
    small = size <= 16
    layers = []

    vane_start = 0.26 if not small else 0.18
    vane_full = 0.12 if not small else 0.15
    vane_left = vane_half(1, vane_start, vane_full)
    vane_right = vane_half(-1, vane_start, vane_full)
    nib_tip = quill_point(-0.06, 0.0)
    nib = Polygon([nib_tip, quill_point(0.09, 0.035), quill_point(0.09, -0.035)])
    shaft = Stroke([quill_point(0.02, 0.0), quill_point(0.97, 0.0)], max(0.5 * px, 0.012))

    if size >= 32:
        layers.append((Stroke([quill_point(0.09, 0.0), quill_point(0.95, 0.0)], max(0.5 * px, 0.008)), SHAFT))
    layers.append((nib, INK))
    if size >= 24:
        layers.append((shaft, SHAFT))
    layers.append((vane_left, VANE_LIGHT))
    layers.append((vane_right, VANE))
    layers.append((Grown(Union(vane_left, vane_right, shaft, nib), outline), INK))

    left_page, right_page = page_polygon(True), page_polygon(False)
    if size >= 32:
        line_radius = max(0.5 * px, 0.010)
        for line in text_lines(True, 4, line_radius) + text_lines(False, 4, line_radius):
            layers.append((line, TEXT_LINE))
    spine = Stroke([(SPINE_X, PAGE_TOP), (SPINE_X, PAGE_BOTTOM)], 0.5 * outline)
    layers.append((spine, INK))
    layers.append((left_page, PAGE))
    layers.append((right_page, PAGE_SHADE if small else PAGE))
    layers.append((Grown(Union(left_page, right_page), 0.6 * outline if small else 0.8 * outline), INK))

    # The cover shows below the pages, a little wider and lower.
    cover = Polygon(
        quadratic((0.03, 0.50), (0.26, 0.45), (SPINE_X, 0.56), 12)
        + quadratic((SPINE_X, 0.56), (0.74, 0.45), (0.97, 0.50), 12)
        + quadratic((0.97, 0.89), (0.74, 0.86), (SPINE_X, 0.95), 12)
        + quadratic((SPINE_X, 0.95), (0.26, 0.86), (0.03, 0.89), 12)
    )
    if size >= 32:
        layers.append((Stroke([(SPINE_X, 0.88), (SPINE_X, 0.93)], outline * 0.6), COVER_DARK))
    layers.append((cover, COVER))
    layers.append((Grown(cover, outline), INK))
    return layers


def shade(layers, x, y):
    for shape, colour in layers:
        x0, y0, x1, y1 = shape.box
        if x0 <= x <= x1 and y0 <= y <= y1 and shape.sdf(x, y) <= 0:
            return colour
    return None


def render_icon(size):
    """RGBA rows, top row first. A pixel is sampled once when no shape edge
    comes near it, and 4 x 4 times otherwise."""
    layers = icon_layers(size)
    half = 0.75 / size  # a little more than half the pixel's diagonal
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            cx, cy = (i + 0.5) / size, (j + 0.5) / size
            colour = None
            uniform = True
            for shape, c in layers:
                x0, y0, x1, y1 = shape.box
                if not (x0 - half <= cx <= x1 + half and y0 - half <= cy <= y1 + half):
                    continue
                d = shape.sdf(cx, cy)
                if d < -half:
                    colour = c
                    break
                if d <= half:
                    uniform = False
                    break
            if uniform:
                row.append((*colour, 255) if colour else (0, 0, 0, 0))
                continue
            hits = []
            for sy in range(4):
                for sx in range(4):
                    c = shade(layers, (i + (sx + 0.5) / 4) / size, (j + (sy + 0.5) / 4) / size)
                    if c:
                        hits.append(c)
            if not hits:
                row.append((0, 0, 0, 0))
                continue
            mean = tuple(round(sum(h[k] for h in hits) / len(hits)) for k in range(3))
            row.append((*mean, round(255 * len(hits) / 16)))
        rows.append(row)
    return rows


# --- icon file encoding -----------------------------------------------------


def png_file(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for pixel in row:
            raw += bytes(pixel)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda k: sum((a - b) ** 2 for a, b in zip(palette[k], colour)))


def make_palette(rows_list, base, count):
    """The artwork's own colours first, then the most frequent others."""
    palette = list(dict.fromkeys(base))
    frequency = {}
    for rows in rows_list:
        for row in rows:
            for r, g, b, a in row:
                if a >= 128 and (r, g, b) not in palette:
                    frequency[(r, g, b)] = frequency.get((r, g, b), 0) + 1
    for colour, _ in sorted(frequency.items(), key=lambda kv: -kv[1]):
        if len(palette) >= count:
            break
        palette.append(colour)
    palette += [(0, 0, 0)] * (count - len(palette))
    return palette


def and_mask(rows):
    """1 bit per pixel, set where the pixel is transparent; rows bottom-up."""
    width = len(rows[0])
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if pixel[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def bmp_icon_image(rows, bpp, palette=None):
    """A BITMAPINFOHEADER image as icon files hold it: the height counts the
    colour bitmap and the AND mask together."""
    size = len(rows)
    out = bytearray()
    xor = bytearray()
    stride = ((size * bpp + 31) // 32) * 4
    for row in reversed(rows):
        line = bytearray()
        if bpp == 32:
            for r, g, b, a in row:
                line += bytes((b, g, r, a) if a else (0, 0, 0, 0))
        else:
            indices = [0 if a < 128 else nearest(palette, (r, g, b)) for r, g, b, a in row]
            if bpp == 8:
                line += bytes(indices)
            else:  # 4 bpp, the high nibble first
                for k in range(0, size, 2):
                    line.append(indices[k] << 4 | indices[k + 1])
        xor += line + bytes(stride - len(line))
    mask = and_mask(rows)
    out += struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0, len(xor) + len(mask), 0, 0, 0, 0)
    if palette:
        for r, g, b in palette:
            out += bytes((b, g, r, 0))
    return bytes(out + xor + mask)


def ico_file(images):
    """images: (size, bpp, data) in directory order."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory = bytearray()
    body = bytearray()
    for size, bpp, data in images:
        colours = 1 << bpp if bpp < 8 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp,
                                 len(data), offset + len(body))
        body += data
    return header + bytes(directory) + bytes(body)


def build_icon():
    art = {size: render_icon(size) for size in (16, 24, 32, 48, 256)}
    base = [(0, 0, 0), INK, COVER, COVER_DARK, PAGE, PAGE_SHADE, TEXT_LINE, VANE, VANE_LIGHT, SHAFT,
            (255, 255, 255)]
    palette16 = make_palette([art[16]], base, 16)
    palette256 = make_palette([art[16], art[32]], base, 256)
    images = [
        (16, 4, bmp_icon_image(art[16], 4, palette16)),
        (32, 8, bmp_icon_image(art[32], 8, palette256)),
        (16, 8, bmp_icon_image(art[16], 8, palette256)),
        (48, 32, bmp_icon_image(art[48], 32)),
        (32, 32, bmp_icon_image(art[32], 32)),
        (24, 32, bmp_icon_image(art[24], 32)),
        (16, 32, bmp_icon_image(art[16], 32)),
        (256, 32, png_file(art[256])),
    ]
    return ico_file(images)


def write(name, data):
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(data)
    print(f"{name}: {len(data)} bytes")


def main():
    for name, (background, colour, flat, tip) in STRIPS.items():
        write(name, bmp_file(strip_pixels(background, colour, flat, tip)))
    write("app.ico", build_icon())


if __name__ == "__main__":
    main()
