#!/usr/bin/env python3
"""Draws Plaxor's pictures and writes them beside this script.

    python3 app/resources/draw-pictures.py [preview-dir]

Writes logo.jpg, enabled.jpg, disabled.jpg, glyph.bmp and Plaxor.ico, which are committed; the
build only embeds them and never runs this. Enlarged PNG previews go to preview-dir (default
build/previews under the repository), which stays out of the repository.

Needs ImageMagick 6 (convert) and fontconfig with Liberation Sans. Shapes are drawn as MVG at
eight times the final size and reduced with a box filter, so every edge pixel holds its exact
coverage. The containers (ICO, BMP) are written here byte by byte so that their entries are
exactly the ones the program declares; the JPEG headers are checked and patched here as well.
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SS = 8  # supersampling factor

# Palette shared by the pictures.
NAVY = "#0B3470"
BLUE_LIGHT_TOP, BLUE_LIGHT_BOTTOM = "#4A9BF0", "#1C66D0"
BLUE_DARK_TOP, BLUE_DARK_BOTTOM = "#2470D6", "#0D48A6"
GREEN_EDGE = "#0E6B35"
GREEN_LIGHT_TOP, GREEN_LIGHT_BOTTOM = "#4CCB74", "#1E9C4C"
GREEN_DARK_TOP, GREEN_DARK_BOTTOM = "#2FB35E", "#137F3B"
AMBER_EDGE = "#B4530A"
AMBER_TOP, AMBER_BOTTOM = "#FFB020", "#EE6A06"
TEXT_NAVY = "#10326B"
TEXT_GREY = "#6B7787"


def run(*args):
    subprocess.run(["convert", *args], check=True)


def font_file(pattern):
    out = subprocess.run(["fc-match", "-f", "%{file}", pattern], check=True,
                         capture_output=True, text=True).stdout.strip()
    if "Liberation" not in out:
        sys.exit(f"font {pattern!r} not installed (found {out!r}); install fonts-liberation")
    return out


def rgba_pixels(png):
    """Returns (width, height, bytes) of a PNG as 8-bit RGBA, top row first."""
    size = subprocess.run(["identify", "-format", "%w %h", png], check=True,
                          capture_output=True, text=True).stdout.split()
    data = subprocess.run(["convert", png, "-depth", "8", "rgba:-"], check=True,
                          capture_output=True).stdout
    w, h = int(size[0]), int(size[1])
    assert len(data) == w * h * 4
    return w, h, data


def render(mvg, width, height, out, background="none", overlays=()):
    """Draws MVG given in final pixel units and reduces it to width x height.

    overlays: (png, left, top) pictures composited at the supersampled size, in final pixels.
    """
    args = ["-size", f"{width * SS}x{height * SS}", f"xc:{background}",
            # ImageMagick puts integer coordinates on pixel centres; the shift puts them on edges.
            "-draw", f"translate -0.5,-0.5\nscale {SS},{SS}\n" + mvg]
    for png, left, top in overlays:
        args += [png, "-geometry", f"+{round(left * SS)}+{round(top * SS)}", "-composite"]
    run(*args, "-filter", "Box", "-resize", f"{width}x{height}!", "-depth", "8", out)


def text_picture(text, font, size_px, colour, out, kerning=0.0):
    """Renders text at the supersampled size, cut to its ink; returns its size in final pixels.

    kerning: extra space between letters, in final pixels.
    """
    run("-background", "none", "-fill", colour, "-font", font, "-pointsize", str(size_px * SS),
        "-kerning", str(kerning * SS), f"label:{text}", "-trim", "+repage", out)
    w, h = subprocess.run(["identify", "-format", "%w %h", out], check=True, capture_output=True,
                          text=True).stdout.split()
    return int(w) / SS, int(h) / SS


# --- the shield mark ---------------------------------------------------------------------------

def shield_path(left, right, top, shoulder, side_end, bottom, half=False):
    """A shield: a peaked top edge, straight sides, two curves meeting at the point.

    With half set, only the right half, closed along the centre line.
    """
    mid = (left + right) / 2
    hw = (right - left) / 2
    right_half = (f"M {mid} {top} "
                  f"C {mid + hw * 0.34} {top + (shoulder - top) * 0.75} "
                  f"{right - hw * 0.28} {shoulder} {right} {shoulder} "
                  f"L {right} {side_end} "
                  f"C {right} {side_end + (bottom - side_end) * 0.55} "
                  f"{mid + hw * 0.55} {bottom - (bottom - side_end) * 0.18} {mid} {bottom} ")
    if half:
        return right_half + "Z"
    return right_half + (
        f"C {mid - hw * 0.55} {bottom - (bottom - side_end) * 0.18} "
        f"{left} {side_end + (bottom - side_end) * 0.55} {left} {side_end} "
        f"L {left} {shoulder} "
        f"C {left + hw * 0.28} {shoulder} "
        f"{mid - hw * 0.34} {top + (shoulder - top) * 0.75} {mid} {top} Z")


def shield_mvg(x, y, w, h, outline, colours, tick=True, rim=True, name="s", peak=0.115,
               tick_points=None, tick_width=None):
    """Shield filling the box (x, y, w, h) in pixels; outline in pixels.

    The outline is stroked on a path inset by half its width, so the outer edge lies exactly
    on the box: with whole-pixel boxes the straight sides stay crisp at 16 pixels.
    """
    edge, light_top, light_bottom, dark_top, dark_bottom = colours
    d = outline / 2
    geo = dict(left=x + d, right=x + w - d, top=y + d, shoulder=round(y + h * peak) + d,
               side_end=y + h * 0.45, bottom=y + h - d * 1.4)
    outer = shield_path(**geo)
    mvg = f"""push defs
push gradient '{name}l' linear 0,{y} 0,{y + h}
stop-color '{light_top}' 0
stop-color '{light_bottom}' 1
pop gradient
push gradient '{name}d' linear 0,{y} 0,{y + h}
stop-color '{dark_top}' 0
stop-color '{dark_bottom}' 1
pop gradient
pop defs
push graphic-context
stroke none
fill url(#{name}l)
path '{outer}'
fill url(#{name}d)
path '{shield_path(**geo, half=True)}'
pop graphic-context
"""
    if rim:
        # A thin light line inside the outline gives the large sizes some depth.
        r = outline * 1.9
        inner = shield_path(left=x + r, right=x + w - r, top=y + r * 1.45,
                            shoulder=y + h * peak + r * 1.05, side_end=y + h * 0.45,
                            bottom=y + h - r * 1.85)
        mvg += f"""push graphic-context
fill none
stroke '#FFFFFF'
stroke-opacity 0.35
stroke-width {outline * 0.55}
path '{inner}'
pop graphic-context
"""
    mvg += f"""push graphic-context
fill none
stroke '{edge}'
stroke-width {outline}
stroke-linejoin round
path '{outer}'
pop graphic-context
"""
    if tick:
        t = tick_width or max(w * 0.14, 2.0)
        cx, cy = x + w / 2, y + h * 0.50
        pts = tick_points or [(cx - w * 0.235, cy + h * 0.005), (cx - w * 0.065, cy + h * 0.15),
                              (cx + w * 0.245, cy - h * 0.135)]
        (ax, ay), (bx, by), (ex, ey) = pts
        mvg += f"""push graphic-context
fill none
stroke '#FFFFFF'
stroke-width {t}
stroke-linecap round
stroke-linejoin round
path 'M {ax} {ay} L {bx} {by} L {ex} {ey}'
pop graphic-context
"""
    return mvg


BLUE = (NAVY, BLUE_LIGHT_TOP, BLUE_LIGHT_BOTTOM, BLUE_DARK_TOP, BLUE_DARK_BOTTOM)
GREEN = (GREEN_EDGE, GREEN_LIGHT_TOP, GREEN_LIGHT_BOTTOM, GREEN_DARK_TOP, GREEN_DARK_BOTTOM)


# --- the icon ---------------------------------------------------------------------------------

# Shield box (left, top, width, height) and outline width per icon size, in whole pixels where
# it matters: at 16 and 24 the straight sides fall on pixel edges.
ICON_BOXES = {
    256: (32, 14, 192, 228, 8),
    128: (16, 7, 96, 114, 4),
    72: (9, 4, 54, 64, 2.5),
    48: (6, 2, 36, 44, 2),
    32: (4, 1, 24, 30, 2),
    24: (3, 1, 18, 22, 1),
    16: (1, 0, 14, 16, 1),
}
# At the two smallest sizes the tick is drawn pixel by pixel (vertex x, bottom row, short and
# long leg in rows, thickness) and the top edge rises by a single pixel, so both stay sharp.
SMALL_TICKS = {
    24: ((9, 15, 4, 7, 3), 0.07),
    16: ((6, 10, 3, 5, 2), 0.07),
}


def pixel_tick(xv, yb, short, long, thick):
    """A tick of whole pixels: each row is `thick` pixels wide and steps one pixel per row."""
    rows = {}
    for k in range(short + 1):
        rows.setdefault(yb - k, set()).update(range(xv - k, xv - k + thick))
    for k in range(long + 1):
        rows.setdefault(yb - k, set()).update(range(xv + k, xv + k + thick))
    mvg = "push graphic-context\nstroke none\nfill '#FFFFFF'\n"
    for y, xs in sorted(rows.items()):
        for x in sorted(xs):
            mvg += f"rectangle {x},{y} {x + 1},{y + 1}\n"
    return mvg + "pop graphic-context\n"


def render_icon_image(size, out):
    x, y, w, h, outline = ICON_BOXES[size]
    if size in SMALL_TICKS:
        tick, peak = SMALL_TICKS[size]
        mvg = shield_mvg(x, y, w, h, outline, BLUE, tick=False, rim=False, peak=peak)
        mvg += pixel_tick(*tick)
    else:
        mvg = shield_mvg(x, y, w, h, outline, BLUE, rim=size >= 48)
    render(mvg, size, size, out)


# --- the state pictures -----------------------------------------------------------------------

def usb_stick_mvg():
    """An upright USB stick, left of centre, leaving the lower right for a badge."""
    return """push defs
push gradient 'metal' linear 20,0 38,0
stop-color '#F2F4F7' 0
stop-color '#AEB7C2' 1
pop gradient
push gradient 'body' linear 14,0 44,0
stop-color '#5E6B7C' 0
stop-color '#2C3440' 1
pop gradient
pop defs
push graphic-context
stroke '#6E7987'
stroke-width 1
fill url(#metal)
rectangle 19.5,5.5 38.5,22
pop graphic-context
push graphic-context
stroke none
fill '#4A5563'
rectangle 23,10 27,14
rectangle 31,10 35,14
pop graphic-context
push graphic-context
stroke '#1E242C'
stroke-width 1
fill url(#body)
roundrectangle 13.5,19.5 44.5,63.5 5,5
pop graphic-context
push graphic-context
stroke none
fill '#FFFFFF'
fill-opacity 0.16
roundrectangle 16,22 21,61 2.5,2.5
fill-opacity 1
fill '#8B97A6'
roundrectangle 23,27 38,53 2,2
fill '#3F4957'
roundrectangle 24,28 37,52 1.5,1.5
pop graphic-context
"""


def play_badge_mvg(cx, cy, r):
    """AutoRun on: an amber disc with a play arrow, ringed in white to stand off the stick."""
    t = r * 0.42
    return f"""push defs
push gradient 'amber' linear 0,{cy - r} 0,{cy + r}
stop-color '{AMBER_TOP}' 0
stop-color '{AMBER_BOTTOM}' 1
pop gradient
pop defs
push graphic-context
stroke none
fill '#FFFFFF'
circle {cx},{cy} {cx + r + 2.5},{cy}
stroke '{AMBER_EDGE}'
stroke-width 1
fill url(#amber)
circle {cx},{cy} {cx + r - 0.5},{cy}
pop graphic-context
push graphic-context
stroke '#FFFFFF'
stroke-width 1.2
stroke-linejoin round
fill '#FFFFFF'
polygon {cx - t * 0.7},{cy - t} {cx - t * 0.7},{cy + t} {cx + t * 1.05},{cy}
pop graphic-context
"""


def shield_badge_mvg(x, y, w, h):
    """AutoRun off: a green shield with a tick, haloed in white like the play badge."""
    halo = shield_path(left=x - 2.5, right=x + w + 2.5, top=y - 2.5,
                       shoulder=y + h * 0.115 - 2, side_end=y + h * 0.45, bottom=y + h + 3)
    return (f"push graphic-context\nstroke none\nfill '#FFFFFF'\npath '{halo}'\n"
            "pop graphic-context\n"
            + shield_mvg(x, y, w, h, 1.5, GREEN, rim=False, name="g"))


def render_state_picture(enabled, out):
    # Everything moves a little left so that stick and badge together sit in the middle.
    mvg = "translate -3,0\n" + usb_stick_mvg()
    if enabled:
        mvg += play_badge_mvg(51, 50, 15)
    else:
        mvg += shield_badge_mvg(37, 31, 30, 36)
    render(mvg, 72, 72, out, background="white")


# --- the logo ---------------------------------------------------------------------------------

def render_logo(out, work):
    bold = font_file("Liberation Sans:bold")
    regular = font_file("Liberation Sans")
    name_png = os.path.join(work, "name.png")
    tag_png = os.path.join(work, "tag.png")
    name_w, name_h = text_picture("Plaxor", bold, 40, TEXT_NAVY, name_png)
    tag = "AUTORUN GUARD"
    tag_w, tag_h = text_picture(tag, regular, 9.5, TEXT_GREY, tag_png)
    # The tag line is spaced out to the width of the name beneath it.
    tag_w, tag_h = text_picture(tag, regular, 9.5, TEXT_GREY, tag_png,
                                kerning=(name_w - 1 - tag_w) / (len(tag) - 1))
    shield_h = 46
    shield_w = round(shield_h * 192 / 228)
    gap = 9
    total = shield_w + gap + max(name_w, tag_w)
    left = round((220 - total) / 2)
    top = (60 - shield_h) / 2
    text_left = left + shield_w + gap
    overlays = [(name_png, text_left, top + 1), (tag_png, text_left + 1, top + shield_h - tag_h - 1)]
    render(shield_mvg(left, top, shield_w, shield_h, 1.6, BLUE, rim=False), 220, 60, out,
           background="white", overlays=overlays)


# --- the web-site glyph -----------------------------------------------------------------------

# A globe, drawn pixel by pixel: 16 x 16 is too small for anything but hand-placed pixels. The
# button takes the lower-left pixel's colour (magenta) as transparent, so no pixel may blend
# into the background: every edge is hard.
GLYPH = """\
.....OOOOO......
...OOHHWHBOO....
..OHHWHWBWBBO...
.OWWWWWWWWWWWO..
.OHHWHHWBBWBBO..
OHHWHHHWBBBWBBO.
OHHWHHBWBBBWDBO.
OWWWWWWWWWWWWWO.
OHBWBBBWBBBWDDO.
OBBWBBBWBBDWDDO.
.OBBWBBWBDWDDO..
.OWWWWWWWWWWWO..
..OBBWBWDWDDO...
...OOBBWDDOO....
.....OOOOO......
................"""
GLYPH_COLOURS = {
    ".": (255, 0, 255),
    "O": (0x1A, 0x4A, 0x8A),  # rim
    "H": (0x6F, 0xB2, 0xF2),  # lit side
    "B": (0x3C, 0x8D, 0xE0),
    "D": (0x2A, 0x6C, 0xC0),  # shaded side
    "W": (0xDC, 0xEE, 0xFF),  # meridians and parallels
}


def glyph_bmp():
    rows = GLYPH.split("\n")
    assert len(rows) == 16 and all(len(r) == 16 for r in rows)
    pixels = b""
    for row in reversed(rows):  # bottom-up
        for c in row:
            r, g, b = GLYPH_COLOURS[c]
            pixels += bytes((b, g, r))
    assert len(pixels) == 768
    info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


# --- containers -------------------------------------------------------------------------------

def png_rgba(w, h, rgba):
    """A plain 8-bit RGBA PNG with no ancillary chunks, so the bytes never change between runs."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    def paeth(a, b, c):
        p = a + b - c
        pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
        return a if pa <= pb and pa <= pc else (b if pb <= pc else c)

    stride = w * 4
    raw = b""
    prev = bytes(stride)
    for y in range(h):
        row = rgba[y * stride:(y + 1) * stride]
        # Paeth prediction suits smooth gradients best.
        out = bytes((row[i] - paeth(row[i - 4] if i >= 4 else 0, prev[i],
                                    prev[i - 4] if i >= 4 else 0)) & 0xFF for i in range(stride))
        raw += b"\x04" + out
        prev = row
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def and_mask(w, h, transparent):
    """The 1-bit mask of an icon image, bottom-up, rows padded to 32 bits; 1 = transparent."""
    stride = (w + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(h)):
        row = bytearray(stride)
        for x in range(w):
            if transparent(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def dib_32(w, h, rgba):
    """32-bit icon image: BGRA bottom-up with its AND mask. Transparent pixels are black, so
    even a mask-only drawer leaves the background untouched."""
    xor = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b, a = rgba[(y * w + x) * 4:(y * w + x) * 4 + 4]
            xor += bytes((b, g, r, a)) if a else bytes(4)
    mask = and_mask(w, h, lambda x, y: rgba[(y * w + x) * 4 + 3] == 0)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    return info + bytes(xor) + mask


def dib_8(w, h, rgba, work):
    """256-colour icon image with an AND mask: a pixel is drawn when at least half covered;
    palette entry 0 is black and holds every transparent pixel."""
    opaque = [rgba[i * 4 + 3] >= 128 for i in range(w * h)]
    rgb = b"".join(rgba[i * 4:i * 4 + 3] for i in range(w * h))
    src = os.path.join(work, f"q{w}.rgb")
    with open(src, "wb") as f:
        f.write(rgb)
    quant = subprocess.run(["convert", "-size", f"{w}x{h}", "-depth", "8", f"rgb:{src}",
                            "+dither", "-colors", "255", "-depth", "8", "rgb:-"],
                           check=True, capture_output=True).stdout
    colours = {}
    index = []
    for i in range(w * h):
        if not opaque[i]:
            index.append(0)
            continue
        c = quant[i * 3:i * 3 + 3]
        if c not in colours:
            colours[c] = len(colours) + 1
        index.append(colours[c])
    assert len(colours) <= 255
    palette = bytearray(256 * 4)
    for c, i in colours.items():
        palette[i * 4:i * 4 + 3] = bytes((c[2], c[1], c[0]))
    stride = (w + 3) // 4 * 4
    xor = bytearray()
    for y in reversed(range(h)):
        xor += bytes(index[y * w:(y + 1) * w]) + bytes(stride - w)
    mask = and_mask(w, h, lambda x, y: not opaque[y * w + x])
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 8, 0, 0, 0, 0, 0, 0)
    return info + bytes(palette) + bytes(xor) + mask


# The icon group, in this order: size, bits per pixel.
ICON_ENTRIES = [(256, 32), (128, 32), (72, 32), (48, 32), (32, 32), (24, 32), (16, 32),
                (48, 8), (32, 8), (24, 8), (16, 8)]


def icon_file(work):
    images = {}
    for size in sorted({s for s, _ in ICON_ENTRIES}):
        png = os.path.join(work, f"icon{size}.png")
        render_icon_image(size, png)
        w, h, px = rgba_pixels(png)
        px = bytearray(px)
        for i in range(0, len(px), 4):
            if px[i + 3] < 8:  # rasteriser dust outside the shape
                px[i:i + 4] = bytes(4)
        images[size] = bytes(px)
    blobs = []
    for size, bits in ICON_ENTRIES:
        px = images[size]
        if size == 256:
            blobs.append(png_rgba(size, size, px))
        elif bits == 32:
            blobs.append(dib_32(size, size, px))
        else:
            blobs.append(dib_8(size, size, px, work))
    out = struct.pack("<HHH", 0, 1, len(ICON_ENTRIES))
    offset = 6 + 16 * len(ICON_ENTRIES)
    for (size, bits), blob in zip(ICON_ENTRIES, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def write_jpeg(png, out, dpi):
    """Baseline JPEG, 8-bit, three components at full resolution (no chroma subsampling keeps
    the edges of the small pictures clean), JFIF 1.02 with the density in dots per inch."""
    run(png, "-alpha", "off", "-type", "TrueColor", "-sampling-factor", "1x1", "-quality", "90",
        "-density", str(dpi), "-units", "PixelsPerInch", "-strip", "-interlace", "none", out)
    data = bytearray(open(out, "rb").read())
    assert data[:4] == b"\xff\xd8\xff\xe0" and data[6:11] == b"JFIF\0", "JFIF header expected"
    assert data[13] == 1 and struct.unpack(">HH", data[14:18]) == (dpi, dpi), "density"
    data[11:13] = b"\x01\x02"  # libjpeg writes 1.01
    pos, seen = 2, []
    while True:
        marker = data[pos + 1]
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        seen.append(marker)
        if marker == 0xC0:
            comps = data[pos + 9]
            assert data[pos + 4] == 8 and comps == 3, "8-bit, three components"
            assert all(data[pos + 11 + 3 * i] == 0x11 for i in range(comps)), "no subsampling"
        if marker == 0xDA:
            break
        pos += 2 + length
    assert 0xC0 in seen and not any(0xC1 <= m <= 0xCF and m not in (0xC4, 0xCC) for m in seen)
    assert not any(0xE1 <= m <= 0xEF for m in seen), "no other application segments"
    with open(out, "wb") as f:
        f.write(data)


# --- previews ---------------------------------------------------------------------------------

def previews(out_dir, work):
    """Enlarged PNGs of the written files (decoded from them, not from the drawings)."""
    os.makedirs(out_dir, exist_ok=True)
    p = lambda name: os.path.join(out_dir, name)
    src = lambda name: os.path.join(HERE, name)
    run(src("logo.jpg"), "-bordercolor", "#C8C8C8", "-border", "1", p("logo.png"))
    run(p("logo.png"), "-filter", "point", "-resize", "300%", p("logo-x3.png"))
    run(src("enabled.jpg"), src("disabled.jpg"), "-bordercolor", "#C8C8C8", "-border", "1",
        "+append", p("states.png"))
    run(p("states.png"), "-filter", "point", "-resize", "400%", p("states-x4.png"))
    # The glyph as the button shows it: magenta taken out, on the button face.
    run("-size", "23x22", "xc:#F0F0F0", "(", src("glyph.bmp"), "-transparent", "#FF00FF", ")",
        "-geometry", "+3+3", "-composite", p("glyph.png"))
    run(p("glyph.png"), "-filter", "point", "-resize", "800%", p("glyph-x8.png"))
    # Every icon image, on white and on a dark task bar, at real size and doubled.
    frames = [f"{src('Plaxor.ico')}[{i}]" for i in range(1, len(ICON_ENTRIES))]
    strips = []
    for name, bg in (("light", "white"), ("dark", "#202020")):
        strip = os.path.join(work, f"strip-{name}.png")
        run("-background", bg, *frames, "-bordercolor", "none", "-border", "4", "-gravity",
            "south", "+append", "-alpha", "remove", "-alpha", "off", strip)
        strips.append(strip)
    run(*strips, "-append", p("icons.png"))
    run(p("icons.png"), "-filter", "point", "-resize", "200%", p("icons-x2.png"))
    run(f"{src('Plaxor.ico')}[0]", "-background", "#E8E8E8", "-alpha", "remove", p("icon-256.png"))


def main():
    preview_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "previews")
    work = tempfile.mkdtemp(prefix="plaxor-pictures-")
    try:
        drawing = os.path.join(work, "logo.png")
        render_logo(drawing, work)
        write_jpeg(drawing, os.path.join(HERE, "logo.jpg"), 200)
        for enabled, name in ((True, "enabled.jpg"), (False, "disabled.jpg")):
            drawing = os.path.join(work, name + ".png")
            render_state_picture(enabled, drawing)
            write_jpeg(drawing, os.path.join(HERE, name), 96)
        bmp = glyph_bmp()
        assert len(bmp) == 822
        with open(os.path.join(HERE, "glyph.bmp"), "wb") as f:
            f.write(bmp)
        with open(os.path.join(HERE, "Plaxor.ico"), "wb") as f:
            f.write(icon_file(work))
        previews(preview_dir, work)
        print(f"pictures written to {HERE}; previews in {preview_dir}")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
