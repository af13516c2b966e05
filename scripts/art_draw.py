"""Drawing helpers for Tesmaro Player's artwork: gradients, anti-aliased
shapes, the button glyphs, the wordmark lettering, the icon and the ICO file
format. make_art.py decides what goes where; this module only knows how to
draw it.

Everything is drawn from code (no fonts, no input files), so the output is
the same on every machine that has PIL.
"""

import io
import math
import random
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter

SS = 4  # supersampling factor for anti-aliased shapes


# ---------------------------------------------------------------- colours

def hexrgb(text):
    text = text.lstrip('#')
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ramp(stops, t):
    """Colour at t (0..1) along a list of (position, '#rrggbb') stops."""
    stops = [(p, hexrgb(c) if isinstance(c, str) else c) for p, c in stops]
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0)
    return stops[-1][1]


def vgrad(w, h, stops):
    """An RGB picture whose colour runs from top to bottom along stops."""
    col = Image.new('RGB', (1, h))
    for y in range(h):
        col.putpixel((0, y), ramp(stops, y / max(1, h - 1)))
    return col.resize((w, h), Image.NEAREST)


def solid(size, colour, alpha=255):
    c = hexrgb(colour) if isinstance(colour, str) else colour
    return Image.new('RGBA', size, c + (alpha,))


def with_alpha(rgb, mask, opacity=1.0):
    """RGBA layer: colour picture (or colour) rgb seen through mask."""
    if not isinstance(rgb, Image.Image):
        rgb = solid(mask.size, rgb).convert('RGB')
    layer = rgb.convert('RGB').convert('RGBA')
    if opacity != 1.0:
        mask = mask.point(lambda v: round(v * opacity))
    layer.putalpha(mask)
    return layer


def over(dst, layer, xy=(0, 0)):
    """Composite an RGBA layer onto an RGBA picture in place."""
    dst.alpha_composite(layer, dest=(int(xy[0]), int(xy[1])))


# ---------------------------------------------------------------- masks

def hires_mask(w, h, ss=SS):
    """A blank high-resolution coverage mask and its drawing context."""
    m = Image.new('L', (w * ss, h * ss), 0)
    return m, ImageDraw.Draw(m)


def shrink(mask, w, h):
    return mask.resize((w, h), Image.BOX)


def rounded_mask(w, h, r, inset=0.0, ss=SS):
    # built from circles and bars: PIL's own rounded rectangle misdraws
    # radii of half the height (pill shapes)
    m, d = hires_mask(w, h, ss)
    x0 = y0 = inset * ss
    x1, y1 = w * ss - inset * ss, h * ss - inset * ss
    rr = max(0.0, min(r * ss - inset * ss, (x1 - x0) / 2, (y1 - y0) / 2))
    d.rectangle((x0 + rr, y0, x1 - rr - 1, y1 - 1), fill=255)
    d.rectangle((x0, y0 + rr, x1 - 1, y1 - rr - 1), fill=255)
    for cx, cy in ((x0 + rr, y0 + rr), (x1 - rr, y0 + rr), (x0 + rr, y1 - rr), (x1 - rr, y1 - rr)):
        d.ellipse((cx - rr, cy - rr, cx + rr - 1, cy + rr - 1), fill=255)
    return shrink(m, w, h)


def ellipse_mask(w, h, box, ss=SS):
    m, d = hires_mask(w, h, ss)
    d.ellipse([v * ss for v in box], fill=255)
    return shrink(m, w, h)


def erode(mask, n=1):
    """Shrink a mask by n pixels; what lies beyond the picture counts as empty."""
    w, h = mask.size
    big = Image.new('L', (w + 2 * n, h + 2 * n), 0)
    big.paste(mask, (n, n))
    for _ in range(n):
        big = big.filter(ImageFilter.MinFilter(3))
    return big.crop((n, n, n + w, n + h))


def shifted(mask, dx, dy):
    out = Image.new('L', mask.size, 0)
    out.paste(mask, (dx, dy))
    return out


# ---------------------------------------------------------------- texture

def brushed(w, h, seed, amount=7):
    """Horizontal brushed-metal streaks as a signed offset picture (L, 128 = 0)."""
    rnd = random.Random(seed)
    cw = max(2, w // 12)
    small = Image.new('L', (cw, h))
    small.putdata([128 + rnd.randint(-amount, amount) for _ in range(cw * h)])
    streaks = small.resize((w, h), Image.BICUBIC)
    fine = Image.new('L', (w, h))
    fine.putdata([128 + rnd.randint(-2, 2) for _ in range(w * h)])
    return ImageChops.add(streaks, fine, 1.0, -128)


def apply_offset(rgb, offset):
    """Add a signed offset picture (128 = no change) to every channel."""
    bands = [ImageChops.add(b, offset, 1.0, -128) for b in rgb.split()]
    return Image.merge('RGB', bands)


# ---------------------------------------------------------------- glyphs
#
# A glyph is drawn into a coverage mask by a function f(pen) in a unit square:
# (0, 0) is the top-left of the glyph box, (1, 1) its bottom-right.

class Pen:
    def __init__(self, draw, box, stroke):
        x0, y0, x1, y1 = box
        self.d, self.x0, self.y0, self.s = draw, x0, y0, x1 - x0
        self.w = stroke * self.s  # stroke in unit-square fractions

    def p(self, x, y):
        return (self.x0 + x * self.s, self.y0 + y * self.s)

    def poly(self, pts, fill=255):
        self.d.polygon([self.p(*q) for q in pts], fill=fill)

    def rect(self, x0, y0, x1, y1, fill=255):
        self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], fill)

    def disc(self, cx, cy, r, fill=255):
        (ax, ay), (bx, by) = self.p(cx - r, cy - r), self.p(cx + r, cy + r)
        self.d.ellipse((ax, ay, bx, by), fill=fill)

    def ring(self, cx, cy, r, fill=255):
        (ax, ay), (bx, by) = self.p(cx - r, cy - r), self.p(cx + r, cy + r)
        self.d.ellipse((ax, ay, bx, by), outline=fill, width=max(1, round(self.w)))

    def path(self, pts, fill=255, width=None):
        w = self.w if width is None else width * self.s
        q = [self.p(*v) for v in pts]
        self.d.line(q, fill=fill, width=max(1, round(w)), joint='curve')
        for x, y in (q[0], q[-1]):
            self.d.ellipse((x - w / 2, y - w / 2, x + w / 2, y + w / 2), fill=fill)


def arc(cx, cy, rx, ry, a0, a1, n=24):
    """Points along an ellipse, angles in degrees, 0 = right, 90 = down."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
            for i in range(n + 1)]


def g_play(p):
    p.poly([(0.22, 0.08), (0.92, 0.5), (0.22, 0.92)])


def g_pause(p):
    p.rect(0.18, 0.12, 0.40, 0.88)
    p.rect(0.60, 0.12, 0.82, 0.88)


def g_stop(p):
    p.rect(0.16, 0.16, 0.84, 0.84)


def g_prev(p):
    p.rect(0.12, 0.16, 0.27, 0.84)
    p.poly([(0.88, 0.16), (0.30, 0.5), (0.88, 0.84)])


def g_next(p):
    p.poly([(0.12, 0.16), (0.70, 0.5), (0.12, 0.84)])
    p.rect(0.73, 0.16, 0.88, 0.84)


def g_back(p):
    p.poly([(0.52, 0.2), (0.04, 0.5), (0.52, 0.8)])
    p.poly([(0.96, 0.2), (0.48, 0.5), (0.96, 0.8)])


def g_forward(p):
    p.poly([(0.04, 0.2), (0.52, 0.5), (0.04, 0.8)])
    p.poly([(0.48, 0.2), (0.96, 0.5), (0.48, 0.8)])


def g_open(p):
    # an open folder: the back with its tab, the front flap tilted towards us
    p.poly([(0.04, 0.14), (0.36, 0.14), (0.44, 0.24), (0.84, 0.24), (0.84, 0.5), (0.04, 0.86)])
    p.poly([(0.22, 0.36), (1.04, 0.36), (0.86, 0.94), (-0.02, 0.94)], fill=0)
    p.poly([(0.24, 0.46), (0.98, 0.46), (0.82, 0.86), (0.04, 0.86)])


def g_eject(p):
    p.poly([(0.5, 0.12), (0.88, 0.58), (0.12, 0.58)])
    p.rect(0.12, 0.70, 0.88, 0.86)


def g_list(p):
    for y in (0.22, 0.5, 0.78):
        p.disc(0.14, y, 0.075)
        p.path([(0.34, y), (0.9, y)])


def g_clear_list(p):
    for y, x1 in ((0.2, 0.9), (0.45, 0.9), (0.7, 0.5)):
        p.path([(0.1, y), (x1, y)])
    p.path([(0.64, 0.58), (0.92, 0.86)])
    p.path([(0.92, 0.58), (0.64, 0.86)])


def g_loop(p):
    top = [(0.16, 0.56)] + arc(0.34, 0.42, 0.18, 0.18, 180, 270, 8) + [(0.70, 0.24)]
    bottom = [(0.84, 0.44)] + arc(0.66, 0.58, 0.18, 0.18, 0, 90, 8) + [(0.30, 0.76)]
    p.path(top)
    p.path(bottom)
    p.poly([(0.66, 0.06), (0.92, 0.24), (0.66, 0.42)])
    p.poly([(0.34, 0.58), (0.08, 0.76), (0.34, 0.94)])


def g_disc(p):
    p.disc(0.5, 0.5, 0.44)
    p.disc(0.5, 0.5, 0.13, fill=0)
    p.path(arc(0.5, 0.5, 0.30, 0.30, 200, 250, 8), fill=0, width=0.06)


def g_compact(p):
    # two arrows pressing onto a bar: fold the window up
    p.rect(0.08, 0.44, 0.92, 0.56)
    p.poly([(0.24, 0.0), (0.76, 0.0), (0.5, 0.32)])
    p.poly([(0.24, 1.0), (0.76, 1.0), (0.5, 0.68)])


def g_expand(p):
    # two arrows leaving a bar: unfold the full window
    p.rect(0.08, 0.44, 0.92, 0.56)
    p.poly([(0.5, 0.0), (0.76, 0.32), (0.24, 0.32)])
    p.poly([(0.5, 1.0), (0.76, 0.68), (0.24, 0.68)])


def g_gear(p, teeth=8):
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * (i - 0.5) / (teeth * 4)
        r = 0.48 if (i % 4) in (1, 2) else 0.34
        pts.append((0.5 + r * math.cos(a), 0.5 + r * math.sin(a)))
    p.poly(pts)
    p.disc(0.5, 0.5, 0.14, fill=0)


def g_globe(p):
    thin = p.w / p.s * 0.75
    p.ring(0.5, 0.5, 0.46)
    p.path(arc(0.5, 0.5, 0.17, 0.44, 0, 360, 24), width=thin)
    p.path([(0.06, 0.5), (0.94, 0.5)], width=thin)


def g_help(p):
    p.path(arc(0.5, 0.32, 0.24, 0.22, 190, 360, 14) + arc(0.5, 0.42, 0.24, 0.14, 0, 70, 6)
           + [(0.5, 0.60), (0.5, 0.66)])
    p.disc(0.5, 0.88, 0.09)


def g_minimise(p):
    p.rect(0.14, 0.72, 0.86, 0.90)


def g_close(p):
    p.path([(0.18, 0.18), (0.82, 0.82)])
    p.path([(0.82, 0.18), (0.18, 0.82)])


def g_speaker(p):
    p.poly([(0.06, 0.36), (0.26, 0.36), (0.52, 0.12), (0.52, 0.88), (0.26, 0.64), (0.06, 0.64)])
    p.path(arc(0.52, 0.5, 0.20, 0.22, -50, 50, 8), width=p.w / p.s * 0.7)
    p.path(arc(0.52, 0.5, 0.38, 0.40, -50, 50, 10), width=p.w / p.s * 0.7)


GLYPHS = {
    'play': g_play, 'pause': g_pause, 'stop': g_stop, 'prev': g_prev, 'next': g_next,
    'back': g_back, 'forward': g_forward, 'open': g_open, 'eject': g_eject,
    'list': g_list, 'clear': g_clear_list, 'loop': g_loop, 'disc': g_disc,
    'compact': g_compact, 'expand': g_expand, 'gear': g_gear, 'globe': g_globe,
    'help': g_help, 'minimise': g_minimise, 'close': g_close, 'speaker': g_speaker,
}


def glyph_mask(name, w, h, box, stroke=0.13, ss=SS):
    """Coverage mask (w x h) of a glyph drawn into box (x0, y0, size) of that area."""
    m, d = hires_mask(w, h, ss)
    x0, y0, size = box
    GLYPHS[name](Pen(d, (x0 * ss, y0 * ss, (x0 + size) * ss, (y0 + size) * ss), stroke))
    return shrink(m, w, h)


# ---------------------------------------------------------------- wordmark
#
# A small geometric lettering for the product name, so the face needs no font
# files. Units: x-height 1, baseline y = 1, cap top y = -0.45.

def _letters():
    o = arc(0.48, 0.5, 0.48, 0.5, 0, 360, 32)
    return {
        'T': (0.86, [[(0.0, -0.45), (0.86, -0.45)], [(0.43, -0.45), (0.43, 1.0)]]),
        'e': (0.96, [[(0.02, 0.5), (0.94, 0.5)] + arc(0.48, 0.5, 0.46, 0.5, 0, -300, 28)]),
        's': (0.74, [arc(0.37, 0.26, 0.32, 0.25, -20, -270, 14)
                     + arc(0.37, 0.74, 0.32, 0.25, -90, 160, 16)]),
        'm': (1.36, [[(0.0, 0.0), (0.0, 1.0)],
                     [(0.0, 0.42)] + arc(0.34, 0.36, 0.34, 0.36, 180, 360, 12) + [(0.68, 1.0)],
                     [(0.68, 0.42)] + arc(1.02, 0.36, 0.34, 0.36, 180, 360, 12) + [(1.36, 1.0)]]),
        'a': (1.0, [o[:], [(0.96, 0.0), (0.96, 1.0)]]),
        'r': (0.6, [[(0.0, 0.0), (0.0, 1.0)],
                    [(0.0, 0.55)] + arc(0.48, 0.5, 0.48, 0.46, 180, 270, 10) + [(0.58, 0.04)]]),
        'o': (0.96, [o]),
    }


def wordmark_mask(text, w, h, x, baseline, xheight, stroke=0.16, track=0.30, ss=8):
    """Coverage mask of text set in the geometric lettering at x, baseline."""
    letters = _letters()
    m, d = hires_mask(w, h, ss)
    u = xheight * ss
    sw = max(1, round(stroke * u))
    cx = x * ss
    for ch in text:
        adv, strokes = letters[ch]
        for s in strokes:
            pts = [(cx + px * u, baseline * ss - (1 - py) * u) for px, py in s]
            d.line(pts, fill=255, width=sw, joint='curve')
            for qx, qy in (pts[0], pts[-1]):
                d.ellipse((qx - sw / 2, qy - sw / 2, qx + sw / 2, qy + sw / 2), fill=255)
        cx += (adv + track) * u
    return shrink(m, w, h)


# ---------------------------------------------------------------- icon

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


def icon_image(size):
    """The program icon at one size, drawn for that size (RGBA)."""
    ss = 16 if size <= 32 else 4
    n = size * ss
    small = size <= 24
    margin = 0 if small else size * 0.04
    radius = size * (0.20 if small else 0.22)

    shape = Image.new('L', (n, n), 0)
    m0 = margin * ss
    ImageDraw.Draw(shape).rounded_rectangle((m0, m0, n - 1 - m0, n - 1 - m0),
                                            radius=radius * ss, fill=255)

    # diagonal indigo -> blue -> teal gradient
    stops = [(0, '#2a1b78'), (0.5, '#2450b0'), (1, '#11b5a4')]
    g = Image.new('RGB', (64, 64))
    g.putdata([ramp(stops, (x + y) / 126) for y in range(64) for x in range(64)])
    tile = g.resize((n, n), Image.BILINEAR).convert('RGBA')
    tile.putalpha(shape)

    c = n / 2
    if size >= 48:  # a faint disc: grooves and a rim
        for r, a in ((0.40, 46), (0.33, 26), (0.27, 20)):
            ring = Image.new('L', (n, n), 0)
            ImageDraw.Draw(ring).ellipse((c - r * n, c - r * n, c + r * n, c + r * n),
                                         outline=a, width=max(1, round(n * 0.012)))
            tile.alpha_composite(with_alpha('#ffffff', ImageChops.multiply(ring, shape)))

    # gloss over the upper half
    gloss = Image.new('L', (n, n), 0)
    ImageDraw.Draw(gloss).ellipse((-0.3 * n, -0.95 * n, 1.3 * n, 0.46 * n), fill=34)
    gloss = gloss.filter(ImageFilter.GaussianBlur(n * 0.03))
    tile.alpha_composite(with_alpha('#ffffff', ImageChops.multiply(gloss, shape)))

    # play triangle, optically centred, with rounded corners and a soft shadow
    tw = 0.50 if small else 0.42
    cx0 = c + 0.04 * n
    h2 = tw * n * 0.58
    tri = [(cx0 - tw * n * 0.42, c - h2), (cx0 + tw * n * 0.58, c), (cx0 - tw * n * 0.42, c + h2)]
    tmask = Image.new('L', (n, n), 0)
    td = ImageDraw.Draw(tmask)
    rr = n * (0.02 if small else 0.035)
    td.polygon(tri, fill=255)
    for (ax, ay), (bx, by) in zip(tri, tri[1:] + tri[:1]):
        td.line((ax, ay, bx, by), fill=255, width=round(2 * rr))
        td.ellipse((ax - rr, ay - rr, ax + rr, ay + rr), fill=255)
    if not small:
        sh = tmask.filter(ImageFilter.GaussianBlur(n * 0.02))
        tile.alpha_composite(with_alpha('#0b0a30', shifted(sh, 0, round(n * 0.015)), 0.55))
    tile.alpha_composite(with_alpha('#ffffff', tmask))

    # a thin light rim on top and a darker one at the bottom give the tile an edge
    if not small:
        inner = shape.filter(ImageFilter.MinFilter(2 * (ss // 2) + 1))
        edge = ImageChops.subtract(shape, inner)
        top = Image.linear_gradient('L').resize((n, n)).point(lambda v: 255 - v)
        tile.alpha_composite(with_alpha('#ffffff', ImageChops.multiply(edge, top), 0.35))
        tile.alpha_composite(with_alpha('#050520', ImageChops.multiply(edge, ImageChops.invert(top)), 0.45))

    out = tile.convert('RGBa').resize((size, size), Image.LANCZOS if size >= 48 else Image.BOX)
    out = out.convert('RGBA')
    if small:
        out = out.filter(ImageFilter.UnsharpMask(radius=0.6, percent=60, threshold=0))
    return out


def _ico_dib(img):
    """A 32-bit DIB icon entry (colour rows bottom-up, then the AND mask)."""
    w, h = img.size
    rows = []
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = img.getpixel((x, y))
            rows.append(struct.pack('<4B', b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if img.getpixel((x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(rows) * 4 + len(mask), 0, 0, 0, 0)
    return header + b''.join(rows) + bytes(mask)


def write_ico(path, images):
    """Write a Windows icon: DIB entries below 256 px, a PNG entry at 256 px."""
    blobs = []
    for img in images:
        if img.size[0] >= 256:
            buf = io.BytesIO()
            img.save(buf, 'PNG')
            blobs.append(buf.getvalue())
        else:
            blobs.append(_ico_dib(img))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        w = img.size[0]
        out += struct.pack('<BBBBHHII', w % 256, w % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))
