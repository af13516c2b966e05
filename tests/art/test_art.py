"""Reads the generated skins and icon back the way the player reads them and
checks what a user would otherwise only notice on screen: a control outside
the window shape, a gap in the numbering, a button that became two-state by
accident, a text that does not fit.

Run: /usr/bin/python3 -m unittest discover -s tests/art -v
"""

import configparser
import os
import struct
import subprocess
import sys
import tempfile
import unittest

from PIL import Image

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPT = os.path.join(ROOT, 'scripts', 'make_art.py')
WHITE = (255, 255, 255)


def fields(value, count):
    """Split an entry like the skin loader: blanks after a comma are skipped,
    and a missing field repeats the remainder."""
    out, rest = [], value.strip()
    for _ in range(count):
        cut = rest.find(',')
        if cut < 0:
            out.append(rest)
            continue
        out.append(rest[:cut])
        rest = rest[cut + 1:].strip()
    return out


def leading_int(text):
    digits = ''
    for i, ch in enumerate(text):
        if ch.isdigit() or (ch == '-' and i == 0):
            digits += ch
        else:
            break
    return int(digits) if digits.strip('-') else 0


class GeneratedArt(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.skin_dir = os.path.join(cls.tmp.name, 'skin')
        cls.icon = os.path.join(cls.tmp.name, 'tesmaro.ico')
        for args in (['skins', cls.skin_dir], ['icon', cls.icon]):
            subprocess.run([sys.executable, SCRIPT] + args, check=True)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def read_skin(self, name):
        path = os.path.join(self.skin_dir, name)
        with open(path, 'rb') as f:
            raw = f.read()
        raw.decode('ascii')
        self.assertNotIn(b'\n', raw.replace(b'\r\n', b''), 'every line ends with CR LF')
        ini = configparser.ConfigParser(interpolation=None, comment_prefixes=(';',))
        ini.optionxform = str
        ini.read_string(raw.decode('ascii'))
        return ini

    def entries(self, ini, section, count):
        if section not in ini:
            return []
        keys = list(ini[section].keys())
        self.assertEqual(keys, [str(i) for i in range(1, len(keys) + 1)], f'{section} numbered 1..N')
        for key in keys:
            self.assertNotIn(' ,', ini[section][key], 'no blank before a comma')
        return [fields(ini[section][k], count) for k in keys]

    def picture(self, name):
        with Image.open(os.path.join(self.skin_dir, name)) as im:
            return im.convert('RGB')

    def check_skin(self, name, size_range, required):
        ini = self.read_skin(name)
        bg = ini['BACKGROUND']
        files = [bg[k] for k in ('Main', 'Mask', 'Over', 'Selected', 'Disabled')]
        for f in files:
            with open(os.path.join(self.skin_dir, f), 'rb') as fp:
                head = fp.read(30)
            self.assertEqual(head[:2], b'BM')
            self.assertEqual(struct.unpack('<H', head[28:30])[0], 24, f'{f} is a 24-bit bitmap')
        pics = [self.picture(f) for f in files]
        mask = pics[1]
        w, h = mask.size
        (wmin, wmax), (hmin, hmax) = size_range
        self.assertTrue(wmin <= w <= wmax and hmin <= h <= hmax, f'{name} size {w}x{h}')
        self.assertTrue(all(p.size == mask.size for p in pics), 'faces and mask share one size')
        for corner in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
            self.assertEqual(mask.getpixel(corner), WHITE, 'the mask cuts the corners away')
        self.assertNotEqual(mask.getpixel((w // 2, h // 2)), WHITE)

        rects = []
        buttons = self.entries(ini, 'BUTTON', 7)
        for f in buttons:
            self.assertTrue(f[5] and f[6] in ('T', 'F'), f'{f[0]}: tip and toggle given')
            self.assertEqual(f[6] == 'T', f[0] == 'IDC_BUTTON1_FILELIST_LOOP', f'{f[0]}: toggle flag')
            rects.append((f[0], *map(leading_int, f[1:5])))
            x, y, bw, bh = rects[-1][1:]
            main, over, sel, dis = (p.crop((x, y, x + bw, y + bh)) for p in (pics[0], pics[2], pics[3], pics[4]))
            for other in (over, sel, dis):
                self.assertNotEqual(list(main.getdata()), list(other.getdata()), f'{f[0]}: states differ')
        for f in self.entries(ini, 'TEXTINFO', 11):
            self.assertEqual(f[1], 'Tahoma')
            self.assertNotEqual(f[3][:1], 'F', f'{f[0]}: upright text')
            size, colour = leading_int(f[4]), leading_int(f[5])
            self.assertTrue(0 < colour < 1 << 24)
            x, y, tw, th = map(leading_int, f[6:10])
            self.assertGreaterEqual(th, abs(size) + 3, f'{f[0]}: one line fits')
            self.assertTrue(f[10], f'{f[0]}: initial text')
            self.assertLessEqual(len(f[10]), 2 * tw // 14, f'{f[0]}: initial text does not scroll')
            rects.append((f[0], x, y, tw, th))
        for f in self.entries(ini, 'TRACKBARINFO', 9):
            x, y, sw, sh = map(leading_int, f[3:7])
            self.assertEqual(f[7][:1], 'H')
            thumb, down = self.picture(f[1]), self.picture(f[2])
            self.assertEqual(thumb.size, down.size)
            self.assertLessEqual(thumb.size[1], sh, f'{f[0]}: thumb fits the slider')
            self.assertLess(thumb.size[0], sw)
            rects.append((f[0], x, y, sw, sh))
        self.assertEqual(self.entries(ini, 'PROGRESSINFO', 7), [])

        names = [r[0] for r in rects]
        self.assertEqual(len(names), len(set(names)), 'each control once')
        self.assertTrue(required <= set(names), f'missing: {required - set(names)}')
        for n, x, y, rw, rh in rects:
            self.assertTrue(x >= 0 and y >= 0 and x + rw <= w and y + rh <= h, f'{n} inside the picture')
            for yy in range(y, y + rh):
                for xx in range(x, x + rw):
                    self.assertNotEqual(mask.getpixel((xx, yy)), WHITE, f'{n} inside the window shape')
        for i, (n1, x1, y1, w1, h1) in enumerate(rects):
            for n2, x2, y2, w2, h2 in rects[i + 1:]:
                self.assertFalse(x1 < x2 + w2 and x2 < x1 + w1 and y1 < y2 + h2 and y2 < y1 + h1,
                                 f'{n1} overlaps {n2}')
        return ini

    def test_normal_skin(self):
        required = {
            'ID_FILE_SELECTDISC', 'ID_PLAYBACK_PLAY', 'ID_PLAYBACK_PAUSE', 'ID_PLAYBACK_STOP',
            'ID_PLAYBACK_PREVIOUSCHAPTER', 'ID_PLAYBACK_NEXTCHAPTER', 'ID_JUMP_BACKWARD',
            'ID_JUMP_FORWARD', 'ID_OPEN_PLAYLIST', 'IDC_BUTTON1_FILELIST_LOOP',
            'IDC_BUTTON_CLOSE_PLAYLIST', 'ID_PLAY_DISK', 'ID_FILE_EJECT', 'ID_CHANGE_SKIN',
            'ID_SETUP', 'ID_WEBSITE', 'ID_POPUP_HELP', 'ID_BUTTON_MINIMIZE', 'ID_FILE_EXIT',
            'ID_SONG_NAME', 'ID_PLAYBACK_TIME', 'ID_PLAYBACK_STATUS', 'TEXT_HINT',
            'IDC_SLIDER1_PLAYBACK_POSITION', 'IDC_SLIDER1_VOLUME'}
        self.check_skin('skin1.ini', ((420, 480), (140, 170)), required)

    def test_small_skin(self):
        required = {
            'ID_FILE_SELECTDISC', 'ID_PLAYBACK_PLAY', 'ID_PLAYBACK_PAUSE', 'ID_PLAYBACK_STOP',
            'ID_PLAYBACK_PREVIOUSCHAPTER', 'ID_PLAYBACK_NEXTCHAPTER', 'ID_CHANGE_SKIN',
            'ID_BUTTON_MINIMIZE', 'ID_FILE_EXIT', 'ID_SONG_NAME', 'ID_PLAYBACK_TIME',
            'IDC_SLIDER1_PLAYBACK_POSITION'}
        self.check_skin('small.ini', ((260, 380), (36, 56)), required)

    def test_skins_use_their_own_pictures(self):
        used = []
        for name in ('skin1.ini', 'small.ini'):
            ini = self.read_skin(name)
            used.append(set(ini['BACKGROUND'].values())
                        | {f for e in self.entries(ini, 'TRACKBARINFO', 9) for f in e[1:3]})
        self.assertFalse(used[0] & used[1])
        on_disk = {f for f in os.listdir(self.skin_dir) if f.endswith('.bmp')}
        self.assertEqual(on_disk, used[0] | used[1], 'every picture is named by a skin')

    def test_icon_has_every_size_with_alpha(self):
        with open(self.icon, 'rb') as f:
            data = f.read()
        reserved, kind, count = struct.unpack('<HHH', data[:6])
        self.assertEqual((reserved, kind), (0, 1))
        sizes = []
        for i in range(count):
            w, h, _, _, planes, bpp, length, offset = struct.unpack('<BBBBHHII', data[6 + 16 * i:22 + 16 * i])
            sizes.append(w or 256)
            self.assertEqual(bpp, 32)
            self.assertLessEqual(offset + length, len(data))
        self.assertEqual(sorted(sizes), [16, 24, 32, 48, 64, 128, 256])
        with Image.open(self.icon) as icon:
            icon.size = (16, 16)
            small = icon.convert('RGBA')
        self.assertEqual(small.getpixel((8, 8))[3], 255, 'opaque in the middle')
        self.assertLess(small.getpixel((0, 0))[3], 128, 'rounded corners are transparent')


if __name__ == '__main__':
    unittest.main()
