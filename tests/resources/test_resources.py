"""Checks the resources of the built Drivewright.exe: the five dialog
templates control by control, the logo bitmap, the icon, the version record
and which blocks of the message table there are (their texts are checked as
the program loads them, by the unit tests).

Run: python3 tests/resources/test_resources.py [path/to/Drivewright.exe]"""
import os
import re
import struct
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "..", "scenario")]
import pe_resources as pe  # noqa: E402
import dialog_texts as shown  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.append(os.path.join(ROOT, "res"))
import make_images  # noqa: E402
EXE = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(ROOT, "build", "Drivewright.exe")
LANG_EN_US = 1033

# Window, dialog and control styles, by value.
WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CAPTION, WS_BORDER, WS_SYSMENU = 0x00C00000, 0x00800000, 0x00080000
WS_GROUP, WS_TABSTOP = 0x00020000, 0x00010000
DS_3DLOOK, DS_SETFONT, DS_MODALFRAME, DS_SETFOREGROUND, DS_CENTER = 0x4, 0x40, 0x80, 0x200, 0x800
SS_LEFT, SS_CENTER, SS_BITMAP, SS_SUNKEN = 0x0, 0x1, 0xE, 0x1000
BS_PUSHBUTTON, BS_DEFPUSHBUTTON = 0x0, 0x1
ES_AUTOHSCROLL = 0x80
WS_EX_TRANSPARENT, WS_EX_CLIENTEDGE = 0x20, 0x200

# --- Expected dialogs ------------------------------------------------------

INSTALLER_STYLE = (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK
                   | DS_SETFOREGROUND | DS_CENTER | DS_SETFONT)
ABOUT_STYLE = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | DS_SETFONT

# Control kinds: (class, style).
LOGO = ("STATIC", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_SUNKEN)
CENTRED = ("STATIC", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER)
LEFT = ("STATIC", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT)
DEFAULT = ("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON)
BUTTON = ("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON)
PATH = ("EDIT", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL)

FREE_TEXT = object()  # any non-empty text: the maker's notice line

# One row per control in template order: id, kind, text, (x, y, w, h), extended style.
# The logo is the same in all four installer dialogs; its text is bitmap 102.
LOGO_ROW = (-1, LOGO, 102, (46, 7, 137, 49), WS_EX_CLIENTEDGE)
LABELS = shown.LABELS
CONTROLS = {
    105: [  # main dialog
        LOGO_ROW,
        (shown.QUESTION, CENTRED, shown.QUESTION_TEXT, (23, 65, 187, 30), WS_EX_TRANSPARENT),
        (shown.STEP, LEFT, "", (20, 65, 190, 10), 0),
        (shown.STEPFILE, LEFT, "", (20, 76, 190, 10), 0),
        (shown.STEP2, LEFT, "", (20, 87, 190, 10), 0),
        (shown.STEPFILE2, LEFT, "", (20, 98, 190, 10), 0),
        (shown.YES, DEFAULT, LABELS[shown.YES], (25, 125, 50, 20), 0),
        (shown.NO, BUTTON, LABELS[shown.NO], (90, 125, 50, 20), 0),
        (shown.ABOUT_BUTTON, BUTTON, LABELS[shown.ABOUT_BUTTON], (155, 125, 50, 20), 0),
    ],
    103: [  # finish dialog
        LOGO_ROW,
        (shown.FINISHMSG, CENTRED, shown.FINISH_TEXT, (20, 65, 190, 30), 0),
        (shown.SHUTDOWN, BUTTON, LABELS[shown.SHUTDOWN], (25, 125, 50, 20), 0),
        (shown.RESTART, DEFAULT, LABELS[shown.RESTART], (90, 125, 50, 20), 0),
        (shown.CANCEL, BUTTON, LABELS[shown.CANCEL], (155, 125, 50, 20), 0),
    ],
    107: [  # driver-path prompt
        LOGO_ROW,
        (shown.PATHMSG, CENTRED, shown.PATHMSG_TEXT, (20, 65, 190, 30), 0),
        (shown.PATH, PATH, "", (20, 100, 190, 14), WS_EX_CLIENTEDGE),
        (shown.OK, DEFAULT, LABELS[shown.OK], (58, 125, 50, 20), 0),
        (shown.CANCEL, BUTTON, LABELS[shown.CANCEL], (123, 125, 50, 20), 0),
    ],
    108: [  # insert-CD prompt
        LOGO_ROW,
        (shown.CDMSG, CENTRED, shown.CD_TEXT, (20, 65, 190, 36), 0),
        (shown.OK, DEFAULT, LABELS[shown.OK], (58, 125, 50, 20), 0),
        (shown.CANCEL, BUTTON, LABELS[shown.CANCEL], (123, 125, 50, 20), 0),
    ],
    104: [  # About box: classic template, no logo
        (shown.OK, DEFAULT, LABELS[shown.OK], (70, 50, 50, 20), 0),
        (-1, CENTRED, shown.PRODUCT, (10, 12, 170, 10), 0),
        (-1, CENTRED, FREE_TEXT, (10, 23, 170, 10), 0),
        (-1, CENTRED, shown.ABOUT_VERSION, (10, 34, 170, 10), 0),
    ],
}

# Dialog frames: extended?, style, (x, y, w, h), caption, (points, weight, italic, charset, face).
# A classic template carries neither weight, italic nor character set.
INSTALLER_FRAME = (True, INSTALLER_STYLE, (0, 0, 230, 160), shown.MAIN_TITLE,
                   (8, 0, 0, 1, "MS Sans Serif"))
FRAMES = {
    103: INSTALLER_FRAME, 105: INSTALLER_FRAME, 107: INSTALLER_FRAME, 108: INSTALLER_FRAME,
    104: (False, ABOUT_STYLE, (0, 0, 190, 80), shown.ABOUT_TITLE, (8, None, None, None, "MS Sans Serif")),
}

IDB_LOGO, IDI_MAIN, ICON_IMAGE, VERSION_ID = 102, 106, 1, 1

VERSION_STRINGS = [  # None: the maker's free text, which must not be empty
    ("CompanyName", None),
    ("FileDescription", "Drivewright"),
    ("FileVersion", "0.2 Beta"),
    ("InternalName", "Drivewright"),
    ("LegalCopyright", None),
    ("OriginalFilename", "Drivewright.exe"),
    ("ProductName", shown.PRODUCT),
    ("ProductVersion", "0.2 Beta"),
]

# The standard 16-colour palette, index order, as (red, green, blue).
VGA_PALETTE = [
    (0, 0, 0), (0x80, 0, 0), (0, 0x80, 0), (0x80, 0x80, 0),
    (0, 0, 0x80), (0x80, 0, 0x80), (0, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0, 0), (0, 0xFF, 0), (0xFF, 0xFF, 0),
    (0, 0, 0xFF), (0xFF, 0, 0xFF), (0, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


# --- The message table's numbers ---------------------------------------------

def string_numbers():
    """The numbers of the IDS_ entries, as res/resource.h gives them."""
    with open(os.path.join(ROOT, "res", "resource.h"), encoding="ascii") as f:
        return [int(n) for n in re.findall(r"^#define\s+IDS_\w+\s+(\d+)", f.read(), re.M)]


# --- Tests -----------------------------------------------------------------

class Resources(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.all = pe.read_resources(EXE)

    def resource(self, rtype, name):
        data = self.all.get((rtype, name, LANG_EN_US))
        self.assertIsNotNone(data, "resource type %d number %r missing" % (rtype, name))
        return data

    def dialog(self, number):
        return pe.parse_dialog(self.resource(pe.RT_DIALOG, number))

    def test_every_resource_is_us_english(self):
        self.assertEqual([], [k for k in self.all if k[2] != LANG_EN_US])

    def test_resource_set_is_exactly_the_programs(self):
        blocks = {n // 16 + 1 for n in string_numbers()}
        expected = ({(pe.RT_DIALOG, n) for n in FRAMES}
                    | {(pe.RT_BITMAP, IDB_LOGO), (pe.RT_GROUP_ICON, IDI_MAIN),
                       (pe.RT_ICON, ICON_IMAGE), (pe.RT_VERSION, VERSION_ID)}
                    | {(pe.RT_STRING, b) for b in blocks})
        found = [(t, n) for t, n, _ in self.all]
        self.assertEqual(len(found), len(set(found)), "a resource in several languages")
        self.assertEqual(sorted(expected, key=str), sorted(set(found), key=str))

    def test_dialog_frames(self):
        for number, (extended, style, rect, caption, font) in FRAMES.items():
            with self.subTest(dialog=number):
                d = self.dialog(number)
                self.assertEqual(extended, d.extended, "dialog %d: extended template" % number)
                self.assertEqual(0 if extended else None, d.help_id, "dialog %d: help id" % number)
                self.assertEqual(hex(style), hex(d.style), "dialog %d: style" % number)
                self.assertEqual(0, d.ex_style, "dialog %d: extended style" % number)
                self.assertEqual(rect, (d.x, d.y, d.cx, d.cy), "dialog %d: rectangle" % number)
                self.assertIsNone(d.menu, "dialog %d: menu" % number)
                self.assertIsNone(d.window_class, "dialog %d: window class" % number)
                self.assertEqual(caption, d.title, "dialog %d: caption" % number)
                self.assertEqual(font, (d.point_size, d.weight, d.italic, d.charset, d.typeface),
                                 "dialog %d: font" % number)
                self.assertEqual(len(CONTROLS[number]), len(d.controls),
                                 "dialog %d: number of controls" % number)
                self.assertLessEqual(len(self.resource(pe.RT_DIALOG, number)) - d.end, 3,
                                     "dialog %d: data after the last control" % number)

    def test_dialog_controls(self):
        for number, rows in CONTROLS.items():
            d = self.dialog(number)
            id_mask = 0xFFFFFFFF if d.extended else 0xFFFF
            for index, (cid, (cls, style), text, rect, ex_style) in enumerate(rows, 1):
                if index > len(d.controls):
                    self.fail("dialog %d: control %d missing" % (number, index))
                c = d.controls[index - 1]
                where = "dialog %d control %d (id %d)" % (number, index, cid)
                with self.subTest(dialog=number, control=index):
                    self.assertEqual(cid & id_mask, c.id, where + ": id")
                    self.assertEqual(cls, c.cls, where + ": class")
                    self.assertEqual(hex(style), hex(c.style), where + ": style")
                    self.assertEqual(hex(ex_style), hex(c.ex_style), where + ": extended style")
                    self.assertEqual(0 if d.extended else None, c.help_id, where + ": help id")
                    self.assertEqual(rect, (c.x, c.y, c.cx, c.cy), where + ": rectangle")
                    self.assertEqual(b"", c.extra, where + ": creation data")
                    if text is FREE_TEXT:
                        self.assertIsInstance(c.text, str, where + ": text")
                        self.assertNotEqual("", c.text.strip(), where + ": text")
                    else:
                        self.assertEqual(text, c.text, where + ": text")

    def test_logo_bitmap_shows_the_picture_drawn(self):
        """Plain pixels with the full table of 256 colours: 40 + 1,024 +
        73 rows of 200 bytes (a multiple of 4, so no fill) = 15,664 bytes."""
        dib = self.resource(pe.RT_BITMAP, IDB_LOGO)
        self.assertEqual(15664, len(dib))
        self.assertEqual((40, 200, 73, 1, 8, 0, 14600, 0, 0, 0, 0),
                         struct.unpack_from("<IiiHHIIiiII", dib),
                         "size, width, height, planes, bits, compression (BI_RGB), image size, "
                         "resolution x/y, colours used/important")
        table = dib[40:40 + 1024]
        _, _, palette, drawn = make_images.draw_logo()
        self.assertEqual(256, len(palette))
        self.assertEqual(b"".join(bytes((b, g, r, 0)) for r, g, b in palette).hex(), table.hex(),
                         "colour table: blue, green, red and a zero byte for each of the 256")
        pixels = dib[40 + 1024:]
        shown = [pixels[200 * y:200 * (y + 1)] for y in range(73)][::-1]   # bottom-up
        self.assertEqual(len(drawn), len(shown), "rows")
        for y, (got, expected) in enumerate(zip(shown, drawn)):
            self.assertEqual(expected.hex(), got.hex(), "row %d from the top" % y)

    def test_icon_group(self):
        group = self.resource(pe.RT_GROUP_ICON, IDI_MAIN)
        self.assertEqual(6 + 14, len(group))
        self.assertEqual((0, 1, 1), struct.unpack_from("<HHH", group), "reserved, type, count")
        self.assertEqual((32, 32, 16, 0, 1, 4, 744, ICON_IMAGE),
                         struct.unpack_from("<BBBBHHIH", group, 6),
                         "width, height, colours, reserved, planes, bits, bytes, id")

    def test_icon_image(self):
        image = self.resource(pe.RT_ICON, ICON_IMAGE)
        self.assertEqual(744, len(image))
        self.assertEqual((40, 32, 64, 1, 4), struct.unpack_from("<IiiHH", image),
                         "header size, width, height, planes, bits")
        palette = [tuple(image[40 + 4 * i:44 + 4 * i]) for i in range(16)]
        self.assertEqual([(b, g, r, 0) for r, g, b in VGA_PALETTE], palette)

    def version(self):
        return pe.parse_version(self.resource(pe.RT_VERSION, VERSION_ID))

    def test_version_fixed_info(self):
        v = self.version()
        self.assertEqual("VS_VERSION_INFO", v["key"])
        self.assertIsNotNone(v["fixed"], "no fixed file info")
        self.assertEqual(dict(signature=0xFEEF04BD, file_version_ms=0, file_version_ls=0x00010000,
                              product_version_ms=0, product_version_ls=0x00010000,
                              file_flags_mask=0x3F, file_flags=0, file_os=0x00040004,
                              file_type=1, file_subtype=0, file_date_ms=0, file_date_ls=0),
                         {k: val for k, val in v["fixed"].items() if k != "struc_version"})

    def test_version_strings(self):
        v = self.version()
        self.assertEqual(["040904b0"], [name for name, _ in v["string_tables"]])
        strings = v["string_tables"][0][1]
        self.assertEqual([k for k, _ in VERSION_STRINGS], [k for k, _ in strings])
        for (key, expected), (_, value) in zip(VERSION_STRINGS, strings):
            with self.subTest(key=key):
                if expected is None:
                    self.assertTrue(value and value.strip(), "%s is empty" % key)
                else:
                    self.assertEqual(expected, value, key)

    def test_version_translation(self):
        v = self.version()
        self.assertEqual([(0x0409, 1200)], v["translations"])
        self.assertEqual([], v["other_blocks"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
