#!/usr/bin/python3
"""Draws every picture of Varlo Calculator into this folder.

Run with Debian's python3 and python3-pil (Pillow 9.4):

    /usr/bin/python3 assets/draw_artwork.py

The output is the same bytes on every run: no timestamps, fixed encoder
options, no randomness. Rerun this script after any change and commit the
pictures together with it.

Pictures written:
  header.jpg                 487 x 148 baseline JPEG, emblem and wordmark
  banner.jpg                 1128 x 298 baseline JPEG (YCbCr), the letterhead
  cylindrical_tubes.bmp      100 x 90 24-bit bottom-up BMP, button glyph
  conical_tubes.bmp          100 x 95 24-bit bottom-up BMP, button glyph
  varlo.ico                  MAINICON: 48/32 px at 4, 8 and 32 bits per pixel
  icons/hicolor/NxN/apps/varlo-calculator.png   freedesktop icons, RGBA

The glyph buttons draw every pure white (#FFFFFF) pixel of a glyph in the
button face colour and every other pixel as stored. The glyphs therefore carry
a few deliberate near-white marker pixels on the tubes, which a test can probe
(x, y counted from the top-left corner):
  cylindrical_tubes.bmp  (16, 50) = #FEFEFE, (16, 49) and (16, 51) = #F4F4F4
  conical_tubes.bmp      (17, 62) = #FEFEFE, (17, 61) and (17, 63) = #F4F4F4
They form a small glint on the highlight of the red front tube; more
near-white pixels occur naturally along the highlights and edges.
The bottom-left pixel of both glyphs is pure white: it names the transparent
colour.
"""

import io
import math
import struct
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFont

HERE = Path(__file__).resolve().parent
FONT_DIR = Path("/usr/share/fonts/truetype/liberation")

WHITE = (255, 255, 255)
BLUE = (24, 74, 156)  # the Varlo blue of emblem, wordmark and rules
LIGHT_BLUE = (214, 226, 242)

# The cylindrical and conical marker pixels named in the module comment.
CYL_MARKERS = {(16, 49): (244, 244, 244), (16, 50): (254, 254, 254), (16, 51): (244, 244, 244)}
CON_MARKERS = {(17, 61): (244, 244, 244), (17, 62): (254, 254, 254), (17, 63): (244, 244, 244)}

# The 16 colours of the classic VGA palette, in their customary order; index 0
# is black, which the transparent pixels of an icon need in their XOR bitmap.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
VGA_NAVY = (0, 0, 128)


def font(name, size):
    return ImageFont.truetype(str(FONT_DIR / name), size)


# ---------------------------------------------------------------------------
# The emblem: a heater shield with a blue rim, a white field and a blue toothed
# wheel rising across its lower part. Geometry lives in a 100 x 117 unit box.

EMBLEM_W = 100.0
EMBLEM_H = 117.0
SHOULDER = 30.0  # where the straight sides end and the arcs begin
RIM = 7.0  # width of the blue rim
GAP = 4.0  # white gap between rim and wheel
GEAR_CENTRE = (50.0, 80.0)
GEAR_TIP = 38.0
GEAR_ROOT = 30.5
GEAR_HUB = 9.5
GEAR_TEETH = 12


def shield_outline(inset, scale, ox, oy, steps=48):
    """The shield polygon shrunk by `inset` units on every side.

    Each lower side is an arc centred on the opposite upper corner, so insetting
    by d means shrinking the radius by d and the border keeps its width."""
    r = EMBLEM_W - inset
    # Where the two arcs meet on the middle line.
    meet = math.acos((EMBLEM_W / 2) / r)
    pts = [(inset, inset), (EMBLEM_W - inset, inset), (EMBLEM_W - inset, SHOULDER)]
    # Right arc, centred on the left shoulder, from the right side to the tip.
    for i in range(1, steps + 1):
        a = meet * i / steps
        pts.append((r * math.cos(a), SHOULDER + r * math.sin(a)))
    # Left arc, centred on the right shoulder, from the tip back up.
    for i in range(steps - 1, -1, -1):
        a = meet * i / steps
        pts.append((EMBLEM_W - r * math.cos(a), SHOULDER + r * math.sin(a)))
    return [(ox + x * scale, oy + y * scale) for x, y in pts]


def gear_outline(scale, ox, oy, steps_per_tooth=24):
    """A wheel with trapezoid teeth: tip and root arcs joined by straight flanks."""
    cx, cy = GEAR_CENTRE
    pitch = 2 * math.pi / GEAR_TEETH
    pts = []
    for t in range(GEAR_TEETH):
        base = t * pitch - math.pi / 2
        for i in range(steps_per_tooth):
            f = i / steps_per_tooth
            # Within one pitch: tip 0-0.32, flank 0.32-0.5, root 0.5-0.82, flank.
            if f < 0.32:
                rad = GEAR_TIP
            elif f < 0.5:
                rad = GEAR_TIP + (GEAR_ROOT - GEAR_TIP) * (f - 0.32) / 0.18
            elif f < 0.82:
                rad = GEAR_ROOT
            else:
                rad = GEAR_ROOT + (GEAR_TIP - GEAR_ROOT) * (f - 0.82) / 0.18
            a = base + (f - 0.16) * pitch
            pts.append((cx + rad * math.cos(a), cy + rad * math.sin(a)))
    return [(ox + x * scale, oy + y * scale) for x, y in pts]


def emblem_masks(height, supersample=8):
    """Coverage masks (mode L) of the emblem's three layers for a given height.

    Returns (shield, field, wheel): the whole shield, its white field and the
    wheel clipped to the field, drawn large and box-filtered down so that every
    size is antialiased the same way."""
    # Below about 28 pixels the rim would blur into the field and the gap would
    # vanish: small icons get a rim of at least 1.25 pixels and no gap.
    pixel = EMBLEM_H / height
    rim = max(RIM, 1.25 * pixel)
    gap = GAP if height >= 28 else 0.0
    scale = height / EMBLEM_H * supersample
    w = int(math.ceil(EMBLEM_W * height / EMBLEM_H))
    size = (w * supersample, height * supersample)
    ox = (size[0] - EMBLEM_W * scale) / 2

    def layer(draw_fn):
        big = Image.new("L", size, 0)
        draw_fn(ImageDraw.Draw(big))
        return big

    shield = layer(lambda d: d.polygon(shield_outline(0, scale, ox, 0), fill=255))
    field = layer(lambda d: d.polygon(shield_outline(rim, scale, ox, 0), fill=255))
    room = layer(lambda d: d.polygon(shield_outline(rim + gap, scale, ox, 0), fill=255))

    def draw_wheel(d):
        d.polygon(gear_outline(scale, ox, 0), fill=255)
        cx, cy = GEAR_CENTRE
        hub = GEAR_HUB * scale
        d.ellipse([ox + cx * scale - hub, cy * scale - hub,
                   ox + cx * scale + hub, cy * scale + hub], fill=0)

    wheel = ImageChops.multiply(layer(draw_wheel), room)
    return tuple(m.reduce(supersample) for m in (shield, field, wheel))


def emblem_rgba(height, blue=BLUE):
    """The emblem on a transparent background, straight (not premultiplied)."""
    shield, field, wheel = emblem_masks(height)
    size = shield.size
    # Blue everywhere the rim or the wheel covers, white in between: the field
    # mask minus the wheel is the white share of a pixel.
    white_share = ImageChops.subtract(field, wheel)
    colour = Image.composite(Image.new("RGB", size, WHITE), Image.new("RGB", size, blue),
                             white_share)
    # Within the shield a pixel is a mix of blue and white; dividing the white
    # share by the shield coverage gives the straight colour of edge pixels.
    px_col, px_w, px_s = colour.load(), white_share.load(), shield.load()
    for y in range(size[1]):
        for x in range(size[0]):
            s = px_s[x, y]
            if 0 < s < 255:
                share = min(1.0, px_w[x, y] / s)
                px_col[x, y] = tuple(round(b + (255 - b) * share) for b in blue)
    out = colour.convert("RGBA")
    out.putalpha(shield)
    return out


def emblem_on(background, box_xy, height, blue=BLUE):
    """Pastes the emblem with its top-left corner at box_xy."""
    art = emblem_rgba(height, blue)
    background.paste(art, box_xy, art)
    return art.size


# ---------------------------------------------------------------------------
# Header and banner.


def text_width(draw, text, fnt):
    left, _, right, _ = draw.textbbox((0, 0), text, font=fnt)
    return right - left


def draw_header():
    img = Image.new("RGB", (487, 148), WHITE)
    d = ImageDraw.Draw(img)
    emblem_w, _ = emblem_on(img, (22, 10), 128)
    x = 22 + emblem_w + 22
    d.text((x, 6), "Varlo", font=font("LiberationSans-Bold.ttf", 92), fill=BLUE)
    # Strokes stay at least 3 px wide: the windows sample this picture down to
    # 266 x 81 by nearest pixel, which drops thinner lines.
    d.rectangle([x + 2, 104, 470, 107], fill=BLUE)
    d.text((x + 2, 113), "Package Density Calculator",
           font=font("LiberationSans-Bold.ttf", 24), fill=BLUE)
    return img


def draw_spaced(d, xy, width, text, fnt):
    """Draws text letter-spaced so that it spans exactly `width` pixels."""
    widths = [d.textlength(ch, font=fnt) for ch in text]
    gap = (width - sum(widths)) / (len(text) - 1)
    x, y = xy
    for ch, w in zip(text, widths):
        d.text((round(x), y), ch, font=fnt, fill=BLUE)
        x += w + gap


def draw_quality_mark(d, x, y):
    """A small round stamp of our own: a ring with a tick and two words."""
    r = 22
    d.ellipse([x, y, x + 2 * r, y + 2 * r], outline=BLUE, width=4)
    d.line([(x + 12, y + 23), (x + 19, y + 31), (x + 33, y + 13)], fill=BLUE, width=5,
           joint="curve")
    bold = font("LiberationSans-Bold.ttf", 19)
    regular = font("LiberationSans-Regular.ttf", 17)
    d.text((x + 2 * r + 12, y + 2), "VARLO QUALITY MARK", font=bold, fill=BLUE)
    d.text((x + 2 * r + 12, y + 24), "checked in our own test room", font=regular, fill=BLUE)


def draw_banner():
    w, h = 1128, 298
    img = Image.new("RGB", (w, h), WHITE)
    d = ImageDraw.Draw(img)
    emblem_w, _ = emblem_on(img, (44, 26), 170)
    x = 44 + emblem_w + 30
    wordmark = font("LiberationSans-Bold.ttf", 128)
    d.text((x, 36), "Varlo", font=wordmark, fill=BLUE)
    left, _, right, _ = d.textbbox((x, 36), "Varlo", font=wordmark)
    draw_spaced(d, (left + 2, 176), right - left - 4, "CALCULATOR",
                font("LiberationSans-Bold.ttf", 28))
    draw_quality_mark(d, 44, 222)

    # The letterhead's right-hand column: a thin divider, then flush-right lines.
    d.rectangle([624, 40, 627, 250], fill=BLUE)
    right = w - 44
    lines = [
        ("LiberationSans-Bold.ttf", 34, "Varlo Calculator", 42),
        ("LiberationSans-Regular.ttf", 25, "Package density for dye houses", 94),
        ("LiberationSans-Regular.ttf", 25, "Cylindrical and conical packages", 132),
        ("LiberationSans-Regular.ttf", 25, "Winding density in g/dm\u00b3", 170),
        ("LiberationSans-Italic.ttf", 23, "Measure \u2013 weigh \u2013 press \u201c=\u201d", 218),
    ]
    for face, size, text, top in lines:
        fnt = font(face, size)
        d.text((right - text_width(d, text, fnt), top), text, font=fnt, fill=BLUE)

    # A ruled foot across the letterhead, the light band above the blue line.
    d.rectangle([0, h - 22, w - 1, h - 15], fill=LIGHT_BLUE)
    d.rectangle([0, h - 14, w - 1, h - 9], fill=BLUE)
    return img


def save_jpeg(img, name):
    # Baseline (optimised Huffman tables are still baseline), fixed quality and
    # 4:2:0 subsampling; Pillow adds no timestamp.
    img.save(HERE / name, "JPEG", quality=85, subsampling=2, optimize=True,
             progressive=False, dpi=(96, 96))


# ---------------------------------------------------------------------------
# Button glyphs: perforated dye tubes, rendered per pixel at four times the
# size and box-filtered down.

GLYPH_SS = 4
ELLIPSE_RATIO = 0.30  # how flat the tube ends look from the chosen viewpoint


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def shade(colour, phi):
    """Colour of a tube surface point at angle phi (0 faces the viewer).

    Light comes from the upper left; the highlight stays below pure white so
    that no tube pixel can read as the transparent colour."""
    diffuse = max(0.0, math.cos(phi + 0.6))
    c = tuple(ch * (0.38 + 0.62 * diffuse) for ch in colour)
    highlight = 0.78 * math.exp(-((phi + 0.42) / 0.17) ** 2)
    return mix(c, (246, 246, 246), highlight)


class Tube:
    """A standing tube: a cylinder when top and bottom radii agree, else a cone.

    cx, top: screen position of the centre of the top end; length: its height on
    screen; r_top, r_bottom: radii; colour: the plastic's base colour."""

    def __init__(self, cx, top, length, r_top, r_bottom, colour):
        s = GLYPH_SS
        self.cx, self.top, self.length = cx * s, top * s, length * s
        self.r_top, self.r_bottom = r_top * s, r_bottom * s
        self.colour = colour

    def radius(self, h):
        return self.r_top + (self.r_bottom - self.r_top) * h / self.length

    def surface(self, x, y):
        """(h, phi) of the front surface point seen at (x, y), or None."""
        h = y - self.top
        for _ in range(4):  # the ellipse bulge depends on h itself on a cone
            r = self.radius(min(max(h, 0.0), self.length))
            u = (x - self.cx) / r
            if abs(u) > 1:
                return None
            h = y - self.top - ELLIPSE_RATIO * r * math.sqrt(1 - u * u)
        if h < 0 or h > self.length:
            return None
        return h, math.asin(u)

    def hole_at(self, h, phi):
        """True where the perforation shows: staggered rows of round holes,
        with a solid band at either end of the tube."""
        s = GLYPH_SS
        band = 5.0 * s
        if h < band or h > self.length - band:
            return False
        pitch = 4.6 * s
        row = round((h - band) / pitch)
        hh = band + row * pitch
        if hh > self.length - band:
            return False
        arc = phi * self.radius(hh) + (pitch / 2 if row % 2 else 0.0)
        da = arc - round(arc / pitch) * pitch
        return da * da + (h - hh) ** 2 < (1.05 * s) ** 2

    def paint(self, px, size):
        s = GLYPH_SS
        rmax = max(self.r_top, self.r_bottom)
        x0, x1 = int(self.cx - rmax) - 1, int(self.cx + rmax) + 2
        y0 = int(self.top - ELLIPSE_RATIO * self.r_top) - 1
        y1 = int(self.top + self.length + ELLIPSE_RATIO * self.r_bottom) + 2
        dark = tuple(c * 0.22 for c in self.colour)
        rim = mix(self.colour, (240, 240, 240), 0.35)
        inside_r = self.r_top - 1.9 * s
        for y in range(max(0, y0), min(size[1], y1)):
            for x in range(max(0, x0), min(size[0], x1)):
                xc, yc = x + 0.5, y + 0.5
                colour = None
                hit = self.surface(xc, yc)
                if hit:
                    h, phi = hit
                    colour = shade(self.colour, phi)
                    if self.hole_at(h, phi):
                        colour = mix(dark, colour, 0.15)
                # The open top end: a lit rim around the dark bore.
                dx, dy = xc - self.cx, yc - self.top
                ry = ELLIPSE_RATIO * self.r_top
                if (dx / self.r_top) ** 2 + (dy / ry) ** 2 <= 1:
                    iry = ELLIPSE_RATIO * inside_r
                    if (dx / inside_r) ** 2 + (dy / iry) ** 2 <= 1:
                        # The far inner wall catches some light at its back.
                        colour = mix(dark, self.colour, 0.25 * max(0.0, -dy / iry))
                    else:
                        colour = rim
                if colour is not None:
                    px[x, y] = tuple(min(250, round(c)) for c in colour)


def shadow(px, size, cx, y, rx, ry):
    """A flat grey contact shadow under a tube, offset away from the light."""
    s = GLYPH_SS
    cx, y, rx, ry = cx * s, y * s, rx * s, ry * s
    for yy in range(int(y - ry), int(y + ry) + 1):
        for xx in range(int(cx - rx), int(cx + rx) + 1):
            if 0 <= xx < size[0] and 0 <= yy < size[1]:
                if ((xx + 0.5 - cx) / rx) ** 2 + ((yy + 0.5 - y) / ry) ** 2 <= 1:
                    px[xx, yy] = (212, 214, 218)


def draw_tubes(size, tubes, markers):
    big_size = (size[0] * GLYPH_SS, size[1] * GLYPH_SS)
    big = Image.new("RGB", big_size, WHITE)
    px = big.load()
    for t in tubes:
        s = GLYPH_SS
        bottom = (t.top + t.length) / s
        shadow(px, big_size, t.cx / s + 3, bottom + 1, t.r_bottom / s + 3,
               ELLIPSE_RATIO * t.r_bottom / s + 2)
    for t in tubes:  # back to front
        t.paint(px, big_size)
    img = big.reduce(GLYPH_SS)
    out = img.load()
    for (x, y), colour in markers.items():
        # A marker sits on a tube, not on the background.
        assert out[x, y] != WHITE, (x, y)
        out[x, y] = colour
    assert out[0, size[1] - 1] == WHITE
    return img


def draw_cylindrical_glyph():
    tubes = [
        Tube(33, 8, 46, 11, 11, (40, 150, 60)),     # back row: green,
        Tube(61, 6, 46, 11, 11, (40, 90, 200)),     # blue,
        Tube(84, 12, 44, 10, 10, (140, 70, 170)),   # violet
        Tube(21, 30, 48, 11.5, 11.5, (215, 40, 35)),   # front row: red,
        Tube(47, 31, 48, 11.5, 11.5, (240, 190, 20)),  # yellow,
        Tube(73, 33, 47, 11.5, 11.5, (40, 90, 200)),   # blue
    ]
    return draw_tubes((100, 90), tubes, CYL_MARKERS)


def draw_conical_glyph():
    tubes = [
        Tube(34, 8, 50, 7, 12, (40, 150, 60)),
        Tube(63, 6, 50, 7, 12, (40, 90, 200)),
        Tube(22, 32, 52, 7.5, 13, (215, 40, 35)),
        Tube(50, 34, 52, 7.5, 13, (240, 190, 20)),
        Tube(78, 35, 51, 7.5, 13, (140, 70, 170)),
    ]
    return draw_tubes((100, 95), tubes, CON_MARKERS)


def save_bmp(img, name):
    path = HERE / name
    img.save(path, "BMP")
    data = path.read_bytes()
    # Windows BMP: BITMAPINFOHEADER, 24 bpp, BI_RGB, bottom-up rows.
    (bf_type,) = struct.unpack_from("<2s", data, 0)
    bi_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    assert bf_type == b"BM" and bi_size == 40 and planes == 1, name
    assert (width, height) == img.size and height > 0, name
    assert bits == 24 and compression == 0, name


# ---------------------------------------------------------------------------
# The icon file, written by hand: Pillow cannot store 4 and 8 bpp entries.


def ico_entry(rgba, bpp, palette_fn=None):
    """One classic ICO image: BITMAPINFOHEADER (height doubled), palette, XOR
    bitmap bottom-up, AND mask (1 = transparent) with rows padded to 32 bits."""
    w, h = rgba.size
    alpha = rgba.getchannel("A")
    a = alpha.load()
    if bpp == 32:
        # Fully transparent pixels carry no colour, as every icon editor writes them.
        transparent = [[a[x, y] == 0 for x in range(w)] for y in range(h)]
    else:
        transparent = [[a[x, y] < 128 for x in range(w)] for y in range(h)]

    xor_rows = []
    palette = b""
    if bpp == 32:
        px = rgba.load()
        for y in range(h - 1, -1, -1):
            row = bytearray()
            for x in range(w):
                r, g, b, al = px[x, y]
                row += bytes((b, g, r, al)) if al else bytes(4)
            xor_rows.append(bytes(row))
    else:
        colours, indices = palette_fn(rgba)
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
        assert len(colours) == 1 << bpp
        ix = indices.load()
        for y in range(h - 1, -1, -1):
            values = [0 if transparent[y][x] else ix[x, y] for x in range(w)]
            if bpp == 8:
                row = bytes(values)
            else:
                row = bytes((values[i] << 4) | values[i + 1] for i in range(0, w, 2))
            xor_rows.append(row + bytes(-len(row) % 4))

    and_rows = []
    for y in range(h - 1, -1, -1):
        bits = bytearray((w + 31) // 32 * 4)
        for x in range(w):
            if transparent[y][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(bits))

    pixels = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0, len(pixels), 0, 0,
                         (1 << bpp) if bpp < 32 else 0, 0)
    return header + palette + pixels


def opaque_rgb(rgba):
    return rgba.convert("RGB")


def vga_palette(rgba):
    pal = Image.new("P", (1, 1))
    flat = [c for rgb in VGA16 for c in rgb]
    pal.putpalette(flat + flat[-3:] * (256 - 16))
    indices = opaque_rgb(rgba).quantize(palette=pal, dither=Image.Dither.NONE)
    return VGA16, indices


def adaptive_palette(rgba):
    """Black at index 0 for the transparent pixels, then up to 255 colours of
    the drawing itself."""
    rgb = opaque_rgb(rgba)
    q = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    raw = q.getpalette()[: 255 * 3]
    raw += [0] * (255 * 3 - len(raw))
    colours = [(0, 0, 0)] + [tuple(raw[i:i + 3]) for i in range(0, 255 * 3, 3)]
    shifted = q.point(lambda i: min(i + 1, 255))
    return colours, shifted


def icon_image(size, blue=BLUE):
    """The emblem centred in a square, with a one-pixel margin at the top."""
    margin = max(1, size // 24)
    art = emblem_rgba(size - 2 * margin, blue)
    square = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    square.paste(art, ((size - art.size[0]) // 2, margin))
    return square


def write_ico(name):
    images = [
        ico_entry(icon_image(48, VGA_NAVY), 4, vga_palette),
        ico_entry(icon_image(32, VGA_NAVY), 4, vga_palette),
        ico_entry(icon_image(48), 8, adaptive_palette),
        ico_entry(icon_image(32), 8, adaptive_palette),
        ico_entry(icon_image(48), 32),
        ico_entry(icon_image(32), 32),
    ]
    sizes_bpp = [(48, 4), (32, 4), (48, 8), (32, 8), (48, 32), (32, 32)]
    out = io.BytesIO()
    out.write(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (size, bpp), data in zip(sizes_bpp, images):
        colour_count = 16 if bpp == 4 else 0
        out.write(struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bpp, len(data),
                              offset))
        offset += len(data)
    for data in images:
        out.write(data)
    (HERE / name).write_bytes(out.getvalue())


def write_hicolor_icons():
    for size in (16, 24, 32, 48, 64, 128, 256):
        folder = HERE / "icons" / "hicolor" / f"{size}x{size}" / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        icon_image(size).save(folder / "varlo-calculator.png", "PNG", optimize=False,
                              compress_level=9)


def main():
    save_jpeg(draw_header(), "header.jpg")
    save_jpeg(draw_banner(), "banner.jpg")
    save_bmp(draw_cylindrical_glyph(), "cylindrical_tubes.bmp")
    save_bmp(draw_conical_glyph(), "conical_tubes.bmp")
    write_ico("varlo.ico")
    write_hicolor_icons()


if __name__ == "__main__":
    main()
