#!/usr/bin/python3
"""Draws Tesmaro Player's artwork: the program icon and the two skins.

    make_art.py icon OUT.ico      multi-size Windows icon (16..256 px, 32-bit)
    make_art.py skins OUTDIR      skin1.ini, small.ini and their BMP pictures
    make_art.py preview OUTDIR    PNG previews of the faces and window shapes

Each skin is one layout table below (SKIN1, SMALL): the INI file and every
picture are produced from it, so the description and the pictures always agree.
"""

import os
import sys
from collections import namedtuple

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

import art_draw as A

# ------------------------------------------------------------------ layout

# glyph: key of art_draw.GLYPHS; look: 'key' (raised key), 'round' (big round
# key), 'cap' (small title-bar key), 'close' (title-bar key that lights red).
Button = namedtuple('Button', 'name x y w h tip glyph look toggle')
# size: font height as the skin's size field (negative = character height).
Text = namedtuple('Text', 'name bold size colour x y w h text')
Slider = namedtuple('Slider', 'name x y w h position thumb')  # thumb: its width
Skin = namedtuple('Skin', 'ini prefix width height radius buttons texts sliders panels wordmark decor')

DISPLAY = (126, 232, 214)   # cool cyan-green of the display texts
DIM = (78, 160, 150)        # quieter display text (hints)
AMBER = (255, 196, 92)      # playback state word


def B(name, x, y, w, h, tip, glyph, look='key', toggle=False):
    return Button(name, x, y, w, h, tip, glyph, look, toggle)


SKIN1 = Skin(
    ini='skin1.ini', prefix='skin1_', width=460, height=166, radius=22,
    buttons=[
        # title bar
        B('ID_SETUP', 318, 9, 18, 18, 'Settings', 'gear', 'cap'),
        B('ID_WEBSITE', 338, 9, 18, 18, 'Homepage', 'globe', 'cap'),
        B('ID_POPUP_HELP', 358, 9, 18, 18, 'Help', 'help', 'cap'),
        B('ID_CHANGE_SKIN', 386, 9, 18, 18, 'Small player', 'compact', 'cap'),
        B('ID_BUTTON_MINIMIZE', 406, 9, 18, 18, 'Minimise', 'minimise', 'cap'),
        B('ID_FILE_EXIT', 426, 9, 18, 18, 'Exit', 'close', 'close'),
        # playlist and disc keys beside the display
        B('ID_OPEN_PLAYLIST', 316, 36, 30, 24, 'Playlist', 'list'),
        B('IDC_BUTTON1_FILELIST_LOOP', 349, 36, 30, 24, 'Repeat', 'loop', toggle=True),
        B('IDC_BUTTON_CLOSE_PLAYLIST', 382, 36, 30, 24, 'Clear playlist', 'clear'),
        B('ID_PLAY_DISK', 415, 36, 30, 24, 'Play disc', 'disc'),
        # transport row
        B('ID_FILE_SELECTDISC', 16, 130, 32, 28, 'Open files', 'open'),
        B('ID_FILE_EJECT', 51, 130, 32, 28, 'Eject', 'eject'),
        B('ID_PLAYBACK_PREVIOUSCHAPTER', 96, 130, 32, 28, 'Previous', 'prev'),
        B('ID_JUMP_BACKWARD', 131, 130, 32, 28, 'Skip back', 'back'),
        B('ID_PLAYBACK_PLAY', 167, 126, 36, 36, 'Play', 'play', 'round'),
        B('ID_PLAYBACK_PAUSE', 207, 130, 32, 28, 'Pause', 'pause'),
        B('ID_PLAYBACK_STOP', 242, 130, 32, 28, 'Stop', 'stop'),
        B('ID_JUMP_FORWARD', 277, 130, 32, 28, 'Skip forward', 'forward'),
        B('ID_PLAYBACK_NEXTCHAPTER', 312, 130, 32, 28, 'Next', 'next'),
    ],
    texts=[
        Text('ID_SONG_NAME', True, -13, DISPLAY, 26, 40, 270, 17, 'Tesmaro Player'),
        Text('ID_PLAYBACK_TIME', False, -12, DISPLAY, 26, 60, 168, 16, '00:00:00     00:00:00'),
        Text('ID_PLAYBACK_STATUS', True, -11, AMBER, 238, 61, 58, 15, 'STOP'),
        Text('TEXT_HINT', False, -11, DIM, 26, 79, 270, 15, 'Ready'),
    ],
    sliders=[
        Slider('IDC_SLIDER1_PLAYBACK_POSITION', 16, 106, 428, 16, 0, 14),
        Slider('IDC_SLIDER1_VOLUME', 338, 72, 106, 16, 100, 12),
    ],
    panels=[(16, 34, 290, 64)],             # recessed display glass: x, y, w, h
    wordmark=(44, 21, 9),                   # x, baseline, x-height
    decor=[('speaker', 318, 73, 14), ('grille', 356, 131, 88, 26)],
)

SMALL = Skin(
    ini='small.ini', prefix='small_', width=352, height=46, radius=23,
    buttons=[
        B('ID_FILE_SELECTDISC', 18, 5, 18, 18, 'Open files', 'open', 'cap'),
        B('ID_PLAYBACK_PREVIOUSCHAPTER', 38, 5, 18, 18, 'Previous', 'prev', 'cap'),
        B('ID_PLAYBACK_PLAY', 58, 4, 20, 20, 'Play', 'play', 'cap'),
        B('ID_PLAYBACK_PAUSE', 80, 5, 18, 18, 'Pause', 'pause', 'cap'),
        B('ID_PLAYBACK_STOP', 100, 5, 18, 18, 'Stop', 'stop', 'cap'),
        B('ID_PLAYBACK_NEXTCHAPTER', 120, 5, 18, 18, 'Next', 'next', 'cap'),
        B('ID_BUTTON_MINIMIZE', 307, 6, 16, 16, 'Minimise', 'minimise', 'cap'),
        B('ID_FILE_EXIT', 325, 6, 16, 16, 'Exit', 'close', 'close'),
        B('ID_CHANGE_SKIN', 307, 24, 34, 16, 'Full player', 'expand', 'cap'),
    ],
    texts=[
        Text('ID_SONG_NAME', True, -11, DISPLAY, 148, 8, 150, 14, 'Tesmaro Player'),
        Text('ID_PLAYBACK_TIME', False, -11, DISPLAY, 148, 24, 154, 14, '00:00:00     00:00:00'),
    ],
    sliders=[
        Slider('IDC_SLIDER1_PLAYBACK_POSITION', 18, 27, 120, 14, 0, 10),
    ],
    panels=[(143, 5, 160, 36)],
    wordmark=None,
    decor=[],
)

SKINS = (SKIN1, SMALL)

# The control names that MainWindow understands (first field of every entry).
KNOWN_NAMES = {
    'ID_PLAYBACK_PLAY', 'ID_FILE_SELECTDISC', 'ID_PLAYBACK_STOP', 'ID_PLAYBACK_NEXTCHAPTER',
    'ID_PLAYBACK_PREVIOUSCHAPTER', 'ID_PLAYBACK_PAUSE', 'ID_FILE_EXIT', 'ID_BUTTON_MINIMIZE',
    'ID_SONG_NAME', 'ID_PLAYBACK_TIME', 'TEXT_POS', 'TEXT_HINT', 'ID_JUMP_FORWARD',
    'ID_JUMP_BACKWARD', 'IDC_BUTTON_CLOSE_PLAYLIST', 'IDC_BUTTON1_FILELIST_LOOP',
    'IDC_SLIDER1_PLAYBACK_POSITION', 'IDC_SLIDER1_VOLUME', 'ID_PLAYBACK_STATUS', 'ID_PLAY_DISK',
    'ID_OPEN_PLAYLIST', 'ID_FILE_EJECT', 'ID_CHANGE_SKIN', 'ID_SETUP', 'ID_WEBSITE', 'ID_POPUP_HELP',
}

FONT_FACE = 'Tahoma'
# A text field scrolls once its text is longer than 2 * width / (width of "W"
# in the system font); 14 px is that width on the systems we run on.
SYSTEM_W_WIDTH = 14
STATES = ('Main', 'Over', 'Selected', 'Disabled')


def colour_value(rgb):
    r, g, b = rgb
    return r + 256 * g + 65536 * b


def picture_names(skin):
    names = {state: f'{skin.prefix}{state.lower()}.bmp' for state in STATES}
    names['Mask'] = f'{skin.prefix}mask.bmp'
    for s in skin.sliders:
        names[s.name] = (f'{skin.prefix}{short(s)}_thumb.bmp', f'{skin.prefix}{short(s)}_thumb_down.bmp')
    return names


def short(slider):
    return 'volume' if slider.name == 'IDC_SLIDER1_VOLUME' else 'position'


# ------------------------------------------------------------------ INI

def ini_text(skin):
    pics = picture_names(skin)
    flag = {True: 'T', False: 'F'}
    lines = ['; Tesmaro Player skin, drawn by scripts/make_art.py - rebuild it rather than editing by hand.',
             '[BACKGROUND]']
    lines += [f'{key}={pics[key]}' for key in ('Main', 'Mask', 'Over', 'Selected', 'Disabled')]
    lines += ['', '[BUTTON]']
    lines += [f'{i}={b.name}, {b.x}, {b.y}, {b.w}, {b.h}, {b.tip}, {flag[b.toggle]}'
              for i, b in enumerate(skin.buttons, 1)]
    lines += ['', '[TEXTINFO]']
    # bold "T"/"N"; the italic field is italic only when it starts with "F", so "N"
    lines += [f'{i}={t.name}, {FONT_FACE}, {"T" if t.bold else "N"}, N, {t.size}, '
              f'{colour_value(t.colour)}, {t.x}, {t.y}, {t.w}, {t.h}, {t.text}'
              for i, t in enumerate(skin.texts, 1)]
    lines += ['', '[TRACKBARINFO]']
    lines += [f'{i}={s.name}, {pics[s.name][0]}, {pics[s.name][1]}, {s.x}, {s.y}, {s.w}, {s.h}, H, {s.position}'
              for i, s in enumerate(skin.sliders, 1)]
    return '\r\n'.join(lines) + '\r\n'


# ------------------------------------------------------------------ faces

def window_mask(skin):
    """Coverage (L) of the window shape; >= 128 counts as inside."""
    return A.rounded_mask(skin.width, skin.height, skin.radius)


def inside(skin):
    return window_mask(skin).point(lambda v: 255 if v >= 128 else 0)


def draw_body(skin):
    w, h = skin.width, skin.height
    shape = inside(skin)
    base = A.vgrad(w, h, [(0, '#4a505c'), (0.12, '#353a44'), (0.55, '#24272e'), (1, '#16181c')])
    face = A.apply_offset(base, A.brushed(w, h, seed=len(skin.prefix) * 7)).convert('RGBA')
    # soft sheen across the upper part
    sheen = A.ellipse_mask(w, h, (-w * 0.2, -h * 1.3, w * 1.2, h * 0.42)).filter(ImageFilter.GaussianBlur(6))
    A.over(face, A.with_alpha('#ffffff', sheen, 0.07))
    # bevelled rim that follows the real window edge
    ring1 = ImageChops.subtract(shape, A.erode(shape, 1))
    ring2 = ImageChops.subtract(A.erode(shape, 1), A.erode(shape, 2))
    top = Image.linear_gradient('L').resize((w, h)).point(lambda v: 255 - v)
    A.over(face, A.with_alpha('#07080a', ring1, 0.95))
    A.over(face, A.with_alpha('#ffffff', ImageChops.multiply(ring2, top), 0.38))
    A.over(face, A.with_alpha('#000000', ImageChops.multiply(ring2, ImageChops.invert(top)), 0.35))
    return face


def recess(face, x, y, w, h, r, stops, gloss=True):
    """A sunken panel: dark border, lit lower lip, inner shadow and glass gloss."""
    W, H = face.size
    lip = A.rounded_mask(w + 2, h + 2, r + 1)
    A.over(face, A.with_alpha('#ffffff', lip, 0.10), (x - 1, y))
    A.over(face, A.with_alpha('#050607', A.rounded_mask(w, h, r)), (x, y))
    inner = A.rounded_mask(w, h, r, inset=1)
    A.over(face, A.with_alpha(A.vgrad(w, h, stops), inner), (x, y))
    shadow = ImageChops.subtract(inner, A.shifted(inner, 0, 3)).filter(ImageFilter.GaussianBlur(1.2))
    A.over(face, A.with_alpha('#000000', ImageChops.multiply(shadow, inner), 0.8), (x, y))
    if gloss:
        g = A.ellipse_mask(w, h, (-w * 0.1, -h * 0.9, w * 1.1, h * 0.45))
        A.over(face, A.with_alpha('#bfefff', ImageChops.multiply(g, inner), 0.05), (x, y))


def draw_panel(face, x, y, w, h):
    recess(face, x, y, w, h, 6, [(0, '#0d2228'), (0.5, '#0a171c'), (1, '#081115')])
    lines = Image.new('L', (w, h), 0)
    d = ImageDraw.Draw(lines)
    for yy in range(2, h - 2, 2):
        d.line((3, yy, w - 4, yy), fill=12)
    A.over(face, A.with_alpha('#000000', lines), (x, y))


def draw_slider_bed(face, s):
    """Groove under a slider; every column of the slider's rectangle is alike
    (except at the rounded groove ends) so the thumb picture blends in anywhere."""
    recess(face, s.x - 3, s.y, s.w + 6, s.h, s.h // 2, [(0, '#101316'), (1, '#1a1e23')], gloss=False)
    gy, gh = s.y + s.h // 2 - 2, 4
    groove = A.rounded_mask(s.w - 10, gh, 2)
    A.over(face, A.with_alpha('#020303', groove), (s.x + 5, gy))
    A.over(face, A.with_alpha(A.vgrad(s.w - 12, gh - 2, [(0, '#0c1a1d'), (1, '#1f5b57')]),
                              A.rounded_mask(s.w - 12, gh - 2, 1)), (s.x + 6, gy + 1))
    # flatten: every column in the middle of the bed equals the middle column
    mid = face.crop((s.x + s.w // 2, s.y, s.x + s.w // 2 + 1, s.y + s.h))
    for xx in range(s.x + 8, s.x + s.w - 8):
        face.paste(mid, (xx, s.y))


def draw_wordmark(face, x, baseline, xh):
    w, h = face.size
    m = A.wordmark_mask('Tesmaro', w, h, x, baseline, xh)
    A.over(face, A.with_alpha('#000000', A.shifted(m, 0, 1), 0.6))
    A.over(face, A.with_alpha(A.vgrad(w, h, [(0, '#f4f7fb'), (0.15, '#aab3c0')]), m))
    # the badge in front of the name: a tiny version of the program icon
    badge = A.icon_image(16)
    face.alpha_composite(badge, (x - 22, baseline - 14))


def draw_decor(face, kind, x, y, w, h=None):
    if kind == 'speaker':
        m = A.glyph_mask('speaker', face.size[0], face.size[1], (x, y, w), stroke=0.12)
        A.over(face, A.with_alpha('#000000', A.shifted(m, 0, 1), 0.5))
        A.over(face, A.with_alpha('#8d96a3', m))
    elif kind == 'grille':  # speaker holes at the right of the transport row
        holes = Image.new('L', (w * 4, h * 4), 0)
        d = ImageDraw.Draw(holes)
        for row in range(4):
            for col in range(14):
                cx = (3 + col * 6 + (3 if row % 2 else 0)) * 4
                cy = (4 + row * 6) * 4
                if cx < (w - 3) * 4:
                    d.ellipse((cx - 5, cy - 5, cx + 5, cy + 5), fill=255)
        holes = holes.resize((w, h), Image.BOX)
        A.over(face, A.with_alpha('#ffffff', A.shifted(holes, 0, 1), 0.10), (x, y))
        A.over(face, A.with_alpha('#050607', holes, 0.9), (x, y))


# ------------------------------------------------------------------ buttons

KEY_COLOURS = {   # state: (gradient top, bottom, border, glyph)
    'Main': ('#4a515e', '#2b2f37', '#0d0f12', '#d3d9e2'),
    'Over': ('#5a6374', '#363d4a', '#1e8f86', '#9afbef'),
    'Selected': ('#1b1e24', '#2c3038', '#06070a', '#5fe3d0'),
    'Disabled': ('#33363d', '#2a2d33', '#16181c', '#5a5f68'),
}
GLOW, CLOSE_GLOW = '#42e8d4', '#ff5050'
CLOSE_HOVER = ('#6a3a3e', '#402226', '#a83a3a', '#ffd0d0')


def key_shape(b, inset):
    if b.look == 'round':
        return A.ellipse_mask(b.w, b.h, (inset, inset, b.w - inset, b.h - inset))
    r = 5 if b.look == 'key' else 4
    return A.rounded_mask(b.w, b.h, r, inset=inset)


def draw_button(face, b, state):
    top, bottom, border, ink = KEY_COLOURS[state]
    if b.look == 'close' and state == 'Over':
        top, bottom, border, ink = CLOSE_HOVER
    tile = face.crop((b.x, b.y, b.x + b.w, b.y + b.h))
    flat = b.look in ('cap', 'close') and state in ('Main', 'Disabled')
    outer, inner = key_shape(b, 0), key_shape(b, 1)
    if not flat:
        A.over(tile, A.with_alpha(border, outer, 0.95))
        A.over(tile, A.with_alpha(A.vgrad(b.w, b.h, [(0, top), (1, bottom)]), inner))
        if state in ('Main', 'Over'):   # lit top edge
            edge = ImageChops.subtract(inner, A.shifted(inner, 0, 1))
            A.over(tile, A.with_alpha('#ffffff', edge, 0.30 if state == 'Over' else 0.18))
        if state == 'Selected':         # pressed in: shadow from the top
            sh = ImageChops.subtract(inner, A.shifted(inner, 0, 3)).filter(ImageFilter.GaussianBlur(1))
            A.over(tile, A.with_alpha('#000000', ImageChops.multiply(sh, inner), 0.7))
    if b.look == 'round' and state != 'Disabled':
        ring = ImageChops.subtract(key_shape(b, 1), key_shape(b, 2.2))
        A.over(tile, A.with_alpha('#3fd6c4', ring, 0.85 if state == 'Over' else 0.45))

    size = min(b.w, b.h) * (0.5 if b.look in ('key', 'round') else 0.62)
    if b.look == 'round':
        size = b.h * 0.44
    gx, gy = (b.w - size) / 2, (b.h - size) / 2
    if b.glyph == 'play':
        gx += size * 0.06
    if state == 'Selected':
        gx, gy = gx + 1, gy + 1
    stroke = 0.16 if size < 12 else 0.13
    g = A.glyph_mask(b.glyph, b.w, b.h, (gx, gy, size), stroke=stroke)
    if state == 'Over':
        glow = g.filter(ImageFilter.GaussianBlur(1.6))
        A.over(tile, A.with_alpha(CLOSE_GLOW if b.look == 'close' else GLOW, glow, 0.9))
    elif state == 'Main':
        A.over(tile, A.with_alpha('#000000', A.shifted(g, 0, 1), 0.6))
    if b.look in ('cap', 'close') and state == 'Main':
        ink = '#aab2be'
    A.over(tile, A.with_alpha(ink, g))
    face.paste(tile, (b.x, b.y))


# ------------------------------------------------------------------ thumbs

def thumb_pictures(face, s):
    """Normal and pressed thumb: a knob over a copy of the slider's own bed."""
    tw = s.thumb
    bed = face.crop((s.x + s.w // 2, s.y, s.x + s.w // 2 + 1, s.y + s.h)).resize((tw, s.h))
    out = []
    for pressed in (False, True):
        t = bed.copy()
        body = A.rounded_mask(tw, s.h, tw // 2 - 1, inset=1)
        A.over(t, A.with_alpha('#000000', A.shifted(body, 0, 1), 0.6))
        A.over(t, A.with_alpha('#0a0b0d', body))
        face_colours = ([(0, '#c9f7ef'), (0.5, '#5fe3d0'), (1, '#2a9d90')] if pressed
                        else [(0, '#f3f6fa'), (0.5, '#c2c9d3'), (1, '#8a93a0')])
        knob = A.rounded_mask(tw, s.h, tw // 2 - 2, inset=2)
        A.over(t, A.with_alpha(A.vgrad(tw, s.h, face_colours), knob))
        grip = Image.new('L', (tw, s.h), 0)
        ImageDraw.Draw(grip).line((tw // 2, 4, tw // 2, s.h - 5), fill=255)
        A.over(t, A.with_alpha('#0c3d39' if pressed else '#1fb5a5', grip, 0.9))
        out.append(t.convert('RGB'))
    return out


# ------------------------------------------------------------------ skins

def build_skin(skin):
    """All pictures of a skin: {'Main': img, ..., 'Mask': img, slider name: (thumb, pressed)}."""
    base = draw_body(skin)
    for p in skin.panels:
        draw_panel(base, *p)
    for s in skin.sliders:
        draw_slider_bed(base, s)
    if skin.wordmark:
        draw_wordmark(base, *skin.wordmark)
    for d in skin.decor:
        draw_decor(base, *d)
    shape = inside(skin)
    pics = {}
    for state in STATES:
        face = base.copy()
        for b in skin.buttons:
            draw_button(face, b, state)
        # outside the window nothing is shown; keep it quiet and never pure white
        outside = Image.new('RGBA', face.size, (24, 26, 30, 255))
        pics[state] = Image.composite(face, outside, shape).convert('RGB')
    pics['Mask'] = Image.merge('RGB', [ImageChops.invert(shape)] * 3)
    for s in skin.sliders:
        pics[s.name] = thumb_pictures(base, s)
    return pics


def controls(skin):
    return ([(b.name, b.x, b.y, b.w, b.h) for b in skin.buttons]
            + [(t.name, t.x, t.y, t.w, t.h) for t in skin.texts]
            + [(s.name, s.x, s.y, s.w, s.h) for s in skin.sliders])


def check_skin(skin, pics):
    """Refuse a layout that the player would show wrongly."""
    errors = []
    mask = pics['Mask']
    W, H = mask.size
    for state in STATES:
        if pics[state].size != (W, H):
            errors.append(f'{state} picture size differs from the mask')
    for c in ((0, 0), (W - 1, 0), (0, H - 1), (W - 1, H - 1)):
        if mask.getpixel(c) != (255, 255, 255):
            errors.append(f'mask corner {c} is not cut away')
    rects = controls(skin)
    names = [r[0] for r in rects]
    for name, x, y, w, h in rects:
        if name not in KNOWN_NAMES:
            errors.append(f'{name}: unknown control name')
        if x < 0 or y < 0 or x + w > W or y + h > H:
            errors.append(f'{name}: rectangle leaves the picture')
        elif any(mask.getpixel((xx, yy)) == (255, 255, 255)
                 for xx in range(x, x + w) for yy in range(y, y + h)):
            errors.append(f'{name}: rectangle reaches outside the window shape')
    for i, (n1, x1, y1, w1, h1) in enumerate(rects):
        for n2, x2, y2, w2, h2 in rects[i + 1:]:
            if x1 < x2 + w2 and x2 < x1 + w1 and y1 < y2 + h2 and y2 < y1 + h1:
                errors.append(f'{n1} overlaps {n2}')
    if len(set(names)) != len(names):
        errors.append('a control name is used twice')
    for t in skin.texts:
        if t.h < abs(t.size) + 3:
            errors.append(f'{t.name}: too low for its font')
        if len(t.text) > 2 * t.w // SYSTEM_W_WIDTH:
            errors.append(f'{t.name}: initial text would scroll')
        if not t.text or ',' in t.text or t.text != t.text.strip():
            errors.append(f'{t.name}: initial text must be a plain non-empty field')
    for b in skin.buttons:
        if ',' in b.tip or not b.tip:
            errors.append(f'{b.name}: tooltip must be a plain non-empty field')
    for s in skin.sliders:
        thumb, down = pics[s.name]
        if thumb.size[1] > s.h or thumb.size != down.size:
            errors.append(f'{s.name}: thumb taller than the slider or thumbs differ')
    if errors:
        sys.exit(f'{skin.ini}: ' + '; '.join(errors))


def write_skins(outdir):
    os.makedirs(outdir, exist_ok=True)
    for skin in SKINS:
        pics = build_skin(skin)
        check_skin(skin, pics)
        names = picture_names(skin)
        for key, img in pics.items():
            files = names[key]
            if isinstance(img, (tuple, list)):
                for f, i in zip(files, img):
                    i.save(os.path.join(outdir, f), 'BMP')
            else:
                img.save(os.path.join(outdir, files), 'BMP')
        with open(os.path.join(outdir, skin.ini), 'wb') as f:
            f.write(ini_text(skin).encode('ascii'))


def write_icon(path):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    A.write_ico(path, [A.icon_image(s) for s in A.ICON_SIZES])


# ------------------------------------------------------------------ preview

def preview_font(size, bold):
    """Tahoma when Wine's copy is around, else a look-alike; previews only."""
    px = abs(size) if size < 0 else round(size * 0.82)
    for path in (f'/usr/share/wine/fonts/tahoma{"bd" if bold else ""}.ttf',
                 f'/usr/share/fonts/truetype/dejavu/DejaVuSans{"-Bold" if bold else ""}.ttf'):
        if os.path.exists(path):
            return ImageFont.truetype(path, px)
    return ImageFont.load_default()


def checkerboard(w, h, cell=8):
    im = Image.new('RGB', (w, h), (200, 200, 200))
    d = ImageDraw.Draw(im)
    for y in range(0, h, cell):
        for x in range((y // cell % 2) * cell, w, 2 * cell):
            d.rectangle((x, y, x + cell - 1, y + cell - 1), fill=(236, 236, 236))
    return im


def window_preview(skin, pics, state='Main'):
    """The window as the player shows it: face, thumbs and texts, cut by the mask."""
    face = pics[state].copy()
    for s in skin.sliders:
        thumb = pics[s.name][0]
        margin = 8 + thumb.size[0] // 2     # about where the track bar puts its ends
        cx = s.x + margin + (s.w - 2 * margin) * s.position // 100
        face.paste(thumb, (cx - thumb.size[0] // 2, s.y))
    d = ImageDraw.Draw(face)
    for t in skin.texts:
        d.text((t.x, t.y), t.text, font=preview_font(t.size, t.bold), fill=t.colour)
    W, H = face.size
    out = checkerboard(W + 24, H + 24)
    keep = pics['Mask'].convert('L').point(lambda v: 0 if v == 255 else 255)
    out.paste(face, (12, 12), keep)
    return out


def write_preview(outdir):
    os.makedirs(outdir, exist_ok=True)
    for skin in SKINS:
        pics = build_skin(skin)
        check_skin(skin, pics)
        stem = skin.prefix.rstrip('_')
        for key in STATES + ('Mask',):
            pics[key].save(os.path.join(outdir, f'{stem}_{key.lower()}.png'))
        win = window_preview(skin, pics)
        win.save(os.path.join(outdir, f'{stem}_window.png'))
        states = [window_preview(skin, pics, st) for st in STATES]
        sheet = Image.new('RGB', (win.size[0], win.size[1] * 4))
        for i, im in enumerate(states):
            sheet.paste(im, (0, i * win.size[1]))
        sheet.resize((sheet.size[0] * 2, sheet.size[1] * 2), Image.NEAREST).save(
            os.path.join(outdir, f'{stem}_states_x2.png'))
    icons = [A.icon_image(s) for s in A.ICON_SIZES]
    strip = Image.new('RGBA', (sum(i.size[0] + 12 for i in icons) + 12, 280), (236, 236, 236, 255))
    x = 12
    for i in icons:
        strip.alpha_composite(i, (x, 12))
        x += i.size[0] + 12
    strip.save(os.path.join(outdir, 'icon_sizes.png'))


# ------------------------------------------------------------------ main

def main(argv):
    commands = {'icon': write_icon, 'skins': write_skins, 'preview': write_preview}
    if len(argv) != 3 or argv[1] not in commands:
        sys.exit(__doc__)
    commands[argv[1]](argv[2])


if __name__ == '__main__':
    main(sys.argv)
