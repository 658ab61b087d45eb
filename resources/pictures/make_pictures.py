#!/usr/bin/python3
"""Draws the resource module's pictures (resource type 256).

    make_pictures.py <out-dir>

writes one 24-bit BMP per picture into out-dir, pure red (255, 0, 0) marking
the transparent pixels, and pictures_generated.rc, which names them for the
resource script. Each picture is a small drawing function below, so that one
can be changed and the module rebuilt. Needs Pillow (Debian: python3-pil).
"""
import os
import sys

from PIL import Image, ImageDraw

KEY = (255, 0, 0)          # transparent
INK = (40, 40, 40)         # outlines and text lines
PAPER = (255, 255, 255)
SHADE = (200, 200, 200)
ACCENT = (30, 90, 200)     # staples, holes, arrows, folds
METAL = (110, 110, 120)

COLOURS = {
    "cyan": (0, 170, 230), "magenta": (220, 0, 140), "yellow": (250, 210, 0),
    "red": (210, 30, 30), "blue": (30, 60, 200), "black": (30, 30, 30),
}


def canvas(w=32, h=32):
    img = Image.new("RGB", (w, h), KEY)
    return img, ImageDraw.Draw(img)


def sheet(d, box, lines=True, fill=PAPER):
    """A sheet of paper with a folded corner and, optionally, text lines."""
    x0, y0, x1, y1 = box
    c = max(3, (x1 - x0) // 5)
    d.polygon([(x0, y0), (x1 - c, y0), (x1, y0 + c), (x1, y1), (x0, y1)], fill=fill, outline=INK)
    d.line([(x1 - c, y0), (x1 - c, y0 + c), (x1, y0 + c)], fill=INK)
    if lines:
        for y in range(y0 + c + 2, y1 - 2, 3):
            d.line([(x0 + 3, y), (x1 - 3, y)], fill=SHADE)


def portrait(d):
    sheet(d, (7, 2, 24, 29))


def landscape(d):
    sheet(d, (2, 7, 29, 24))


def numbered_grid(d, box, cols, rows, order):
    """A sheet split into cols x rows cells; order lists the cells in print order."""
    x0, y0, x1, y1 = box
    d.rectangle(box, fill=PAPER, outline=INK)
    cw, ch = (x1 - x0) / cols, (y1 - y0) / rows
    for i, (cx, cy) in enumerate(order):
        l, t = x0 + cx * cw + 1, y0 + cy * ch + 1
        d.rectangle([l, t, l + cw - 2, t + ch - 2], outline=SHADE)
        # The first cell is dark, the last light: the reading order shows.
        g = int(40 + 170 * i / max(1, len(order) - 1))
        d.rectangle([l + 2, t + 2, l + 4, t + 4], fill=(g, g, g))


def grid_order(cols, rows, across, right_to_left):
    cells = []
    if across:
        for r in range(rows):
            for c in range(cols):
                cells.append((cols - 1 - c if right_to_left else c, r))
    else:
        for c in range(cols):
            for r in range(rows):
                cells.append((cols - 1 - c if right_to_left else c, r))
    return cells


def n_up(n, across, rtl, portrait_sheet):
    cols, rows = {2: (2, 1), 4: (2, 2), 8: (4, 2)}[n]
    box = (6, 3, 25, 28)
    if portrait_sheet:
        cols, rows = rows, cols
        if n == 2:
            cols, rows = 1, 2
    else:
        box = (2, 7, 29, 24)

    def draw(d):
        numbered_grid(d, box, cols, rows, grid_order(cols, rows, across, rtl))
    return draw


def poster(n, portrait_sheet):
    def draw(d):
        cols, rows = {2: (2, 1), 4: (2, 2), 8: (4, 2)}[n]
        if portrait_sheet:
            cols, rows = rows, cols
        w, h = 28 // cols, 28 // rows
        for c in range(cols):
            for r in range(rows):
                d.rectangle([2 + c * w, 2 + r * h, c * w + w, r * h + h], fill=PAPER, outline=INK)
        d.ellipse([9, 9, 22, 22], outline=ACCENT, width=2)
    return draw


def booklet(side):
    def draw(d):
        d.polygon([(16, 6), (3, 3), (3, 27), (16, 29)], fill=PAPER, outline=INK)
        d.polygon([(16, 6), (29, 3), (29, 27), (16, 29)], fill=PAPER, outline=INK)
        if side == "top":
            d.line([(3, 3), (29, 3)], fill=ACCENT, width=2)
        else:
            d.line([(16, 6), (16, 29)], fill=ACCENT, width=2)
        d.polygon(([(19, 16), (25, 13), (25, 19)] if side == "right" else [(13, 16), (7, 13), (7, 19)]), fill=ACCENT)
    return draw


def rotation(angle):
    def draw(d):
        portrait(d)
        d.arc([8, 8, 23, 23], 0, angle if angle < 360 else 180, fill=ACCENT, width=2)
        d.polygon([(22, 14), (26, 17), (19, 18)], fill=ACCENT)
    return draw


def binding(edge, landscape_sheet):
    def draw(d):
        (landscape if landscape_sheet else portrait)(d)
        box = (2, 7, 29, 24) if landscape_sheet else (7, 2, 24, 29)
        x0, y0, x1, y1 = box
        if edge == "left":
            d.line([(x0 + 1, y0 + 2), (x0 + 1, y1 - 2)], fill=ACCENT, width=3)
        elif edge == "top":
            d.line([(x0 + 2, y0 + 1), (x1 - 6, y0 + 1)], fill=ACCENT, width=3)
        else:
            d.line([(x1 - 1, y0 + 7), (x1 - 1, y1 - 2)], fill=ACCENT, width=3)
    return draw


def staple(where):
    def draw(d):
        sheet(d, (7, 2, 24, 29), lines=False)
        spots = {"top_left": [(9, 5, 13, 6)], "top_right": [(17, 5, 21, 6)],
                 "two": [(8, 9, 9, 13), (8, 18, 9, 22)], "saddle": [(15, 7, 16, 11), (15, 20, 16, 24)]}[where]
        if where == "saddle":
            d.line([(15, 2), (15, 29)], fill=SHADE)
        for s in spots:
            d.rectangle(s, fill=METAL, outline=ACCENT)
    return draw


def punch(holes):
    def draw(d):
        sheet(d, (7, 2, 24, 29), lines=False)
        step = 20 // (holes + 1)
        for i in range(holes):
            y = 5 + step * (i + 1)
            d.ellipse([9, y - 1, 12, y + 2], fill=KEY, outline=ACCENT)
    return draw


def fold(kind):
    def draw(d):
        if kind == "half":
            d.polygon([(3, 8), (16, 4), (16, 28), (3, 24)], fill=PAPER, outline=INK)
            d.polygon([(16, 4), (29, 8), (29, 24), (16, 28)], fill=SHADE, outline=INK)
        elif kind in ("letter_in", "letter_out"):
            d.rectangle([4, 6, 28, 26], fill=PAPER, outline=INK)
            for x in (12, 20):
                d.line([(x, 6), (x, 26)], fill=ACCENT)
            d.polygon(([(20, 6), (28, 10), (28, 22), (20, 26)]), fill=SHADE if kind == "letter_in" else PAPER,
                      outline=INK)
        else:  # z
            d.line([(4, 8), (12, 24), (20, 8), (28, 24)], fill=INK, width=2)
            d.line([(4, 8), (12, 24)], fill=ACCENT, width=2)
    return draw


def colour_mode(inks):
    def draw(d):
        sheet(d, (5, 2, 22, 29), lines=False)
        for i, ink in enumerate(inks):
            d.ellipse([13 + i * 4 - 4, 14 + (i % 2) * 6, 13 + i * 4 + 4, 22 + (i % 2) * 6], fill=COLOURS[ink])
    return draw


def auto_colour(d):
    colour_mode(["cyan", "magenta", "black"])(d)
    d.text((22, 1), "A", fill=ACCENT)


def one_sided(d):
    sheet(d, (7, 2, 24, 29))


def two_sided(edge):
    def draw(d):
        sheet(d, (10, 2, 28, 27), lines=False, fill=SHADE)
        sheet(d, (4, 6, 22, 30))
        if edge == "long":
            d.line([(4, 7), (4, 29)], fill=ACCENT, width=2)
        else:
            d.line([(5, 6), (17, 6)], fill=ACCENT, width=2)
    return draw


def collate(sorted_sets):
    def draw(d):
        order = [1, 2, 1, 2] if sorted_sets else [1, 1, 2, 2]
        for i, n in enumerate(order):
            x = 2 + i * 6
            d.rectangle([x, 4 + i * 2, x + 13, 24 + i * 2], fill=PAPER, outline=INK)
            d.text((x + 4, 10 + i * 2), str(n), fill=ACCENT)
    return draw


def density(level):
    def draw(d):
        g = max(0, min(255, 128 - level * 30))
        sheet(d, (7, 2, 24, 29), lines=False)
        d.rectangle([10, 10, 21, 25], fill=(g, g, g))
    return draw


def image_mode(photo):
    def draw(d):
        sheet(d, (5, 2, 26, 29), lines=not photo)
        if photo:
            d.polygon([(8, 24), (14, 14), (19, 20), (23, 16), (24, 24)], fill=(60, 140, 80))
            d.ellipse([17, 7, 22, 12], fill=(250, 200, 40))
    return draw


def watermark_colour(rgb):
    """A sheet crossed by a band of the watermark's colour (pure red is the key, so red is drawn a shade darker)."""
    def draw(d):
        sheet(d, (7, 2, 24, 29), lines=False)
        fill = (235, 0, 0) if rgb == (255, 0, 0) else rgb
        d.polygon([(8, 22), (20, 6), (23, 9), (11, 25)], fill=fill, outline=INK)
    return draw


def favourites_button(d):
    d.polygon([(8, 1), (10, 6), (15, 6), (11, 9), (13, 15), (8, 11), (3, 15), (5, 9), (1, 6), (6, 6)],
              fill=(250, 200, 40), outline=INK)


def unit_picture(kind):
    def draw(d):
        d.rectangle([3, 10, 28, 26], fill=SHADE, outline=INK)
        if kind == "input":
            d.rectangle([6, 20, 25, 24], fill=PAPER, outline=INK)
        elif kind == "output":
            d.polygon([(20, 10), (30, 4), (30, 8), (24, 12)], fill=PAPER, outline=INK)
        else:
            sheet(d, (10, 2, 22, 18), lines=False)
    return draw


def driver_logo(d):
    """The version dialog's logo: a printer with a sheet coming out."""
    d.rectangle([4, 18, 43, 36], fill=SHADE, outline=INK)
    d.rectangle([10, 6, 37, 18], fill=PAPER, outline=INK)
    d.rectangle([10, 30, 37, 44], fill=PAPER, outline=INK)
    for y in (34, 37, 40):
        d.line([(14, y), (33, y)], fill=INK)
    d.ellipse([36, 22, 40, 26], fill=(60, 140, 80))


def form_overlay(d):
    """The form-overlay preview: a page carrying a stored form (a header band,
    an address window, a ruled table and a footer line)."""
    w, h = 96, 124
    d.rectangle([0, 0, w - 1, h - 1], fill=PAPER, outline=INK)
    d.rectangle([6, 6, w - 7, 20], fill=ACCENT)
    d.rectangle([10, 26, 48, 46], outline=ACCENT)
    d.rectangle([10, 54, w - 11, 104], outline=ACCENT)
    for y in range(64, 104, 10):
        d.line([(10, y), (w - 11, y)], fill=ACCENT)
    d.line([(52, 54), (52, 104)], fill=ACCENT)
    d.line([(10, 112), (w - 11, 112)], fill=SHADE)


def gamma_icon(d):
    """The gamma dialog's small picture: a tone curve."""
    d.rectangle([0, 0, 15, 15], fill=PAPER, outline=INK)
    d.line([(1, 14), (5, 8), (9, 4), (14, 1)], fill=INK, width=1)


def gamma_sample(colour):
    """The gamma preview's sample: patches and a grey ramp to see each value move."""
    def draw(d):
        w, h = 144, 150
        d.rectangle([0, 0, w - 1, h - 1], fill=(255, 255, 255))
        for x in range(w):
            g = x * 255 // (w - 1)
            d.line([(x, 110), (x, h - 1)], fill=(g, g, g))
        patches = [(220, 60, 50), (60, 170, 80), (50, 90, 210), (240, 200, 40), (200, 80, 170), (70, 190, 200)]
        for i, c in enumerate(patches):
            if not colour:
                y = (c[0] * 30 + c[1] * 59 + c[2] * 11) // 100
                c = (y, y, y)
            x0, y0 = 6 + (i % 3) * 46, 6 + (i // 3) * 50
            d.rectangle([x0, y0, x0 + 40, y0 + 44], fill=c, outline=INK)
    return draw


def preview_backdrop(d):
    """The main preview's bottom layer: a faint table top the sheet lies on."""
    for y in range(0, 100, 4):
        d.line([(0, y), (119, y)], fill=(214, 214, 214))


def mixed_duplex(small_edge, large_edge):
    """Mixed sizes on two sides: a small and a large sheet, each with the
    second side behind it and its binding edge (long or short) marked."""
    def draw(d):
        def two_sided_sheet(box, edge):
            x0, y0, x1, y1 = box
            d.rectangle([x0 + 5, y0 - 5, x1 + 5, y1 - 5], fill=SHADE, outline=INK)
            sheet(d, box)
            if edge == "long":
                d.line([(x0, y0 + 1), (x0, y1 - 1)], fill=ACCENT, width=3)
            else:
                d.line([(x0 + 1, y0), (x1 - 4, y0)], fill=ACCENT, width=3)
        two_sided_sheet((4, 12, 36, 56), small_edge)
        two_sided_sheet((4, 70, 64, 112), large_edge)
    return draw


def output_face(up):
    """A tray with the printed sheet lying face up (text lines seen) or face down."""
    def draw(d):
        d.polygon([(2, 24), (29, 24), (26, 29), (5, 29)], fill=SHADE, outline=INK)
        if up:
            sheet(d, (6, 6, 25, 22))
            d.polygon([(14, 1), (17, 1), (17, 4), (14, 4)], fill=ACCENT)
        else:
            d.rectangle([6, 17, 25, 22], fill=SHADE, outline=INK)
            d.line([(9, 20), (22, 20)], fill=INK)
            d.polygon([(14, 8), (17, 8), (17, 12), (19, 12), (15, 15), (12, 12), (14, 12)], fill=ACCENT)
    return draw


def shift_arrow(dy, dx):
    """The image-position arrow: a sheet with an arrow the way the image moves
    (dy, dx in -1, 0, 1; down and right positive), a dot when it stays."""
    def draw(d):
        sheet(d, (5, 2, 26, 29), lines=False)
        cx, cy = 15, 15
        if dx == 0 and dy == 0:
            d.ellipse([cx - 3, cy - 3, cx + 3, cy + 3], fill=ACCENT)
            return
        ex, ey = cx + 8 * dx, cy + 10 * dy
        d.line([(cx - 6 * dx, cy - 8 * dy), (ex, ey)], fill=ACCENT, width=3)
        # the head: two strokes back from the tip
        for a, b in ((dy, -dx), (-dy, dx)):
            d.line([(ex, ey), (ex - 5 * dx + 4 * a, ey - 5 * dy + 4 * b)], fill=ACCENT, width=2)
    return draw


def shift_direction(vertical):
    """The direction a value moves the image: a double arrow."""
    def draw(d):
        if vertical:
            d.line([(8, 1), (8, 14)], fill=INK, width=2)
            d.polygon([(4, 5), (8, 0), (12, 5)], fill=INK)
            d.polygon([(4, 11), (8, 15), (12, 11)], fill=INK)
        else:
            d.line([(1, 8), (14, 8)], fill=INK, width=2)
            d.polygon([(5, 4), (0, 8), (5, 12)], fill=INK)
            d.polygon([(11, 4), (15, 8), (11, 12)], fill=INK)
    return draw


def fold_preview(kind, two_sided, second):
    """The fold dialog's preview: the open sheet with its fold lines, the
    printed side shaded behind when printed on both; for the half and letter
    folds an arrow at the first fold showing which way it goes (second: out),
    for the Z-fold the binding edge (second: top) and, with mixed sizes
    (two_sided here), the larger sheet beside."""
    def draw(d):
        box = (8, 14, 56, 74)
        x0, y0, x1, y1 = box
        if two_sided and kind != "z":
            d.rectangle([x0 + 4, y0 - 4, x1 + 4, y1 - 4], fill=SHADE, outline=INK)
        d.rectangle(box, fill=PAPER, outline=INK)
        for y in range(y0 + 6, y1 - 4, 6):
            d.line([(x0 + 4, y), (x1 - 4, y)], fill=SHADE)
        top = kind == "z" and second
        cuts = {"half": [0.5], "letter_in": [1 / 3, 2 / 3], "letter_out": [1 / 3, 2 / 3], "z": [0.5, 0.75]}[kind]
        for c in cuts:
            if top:
                y = int(y0 + (y1 - y0) * c)
                d.line([(x0, y), (x1, y)], fill=ACCENT, width=2)
            else:
                x = int(x0 + (x1 - x0) * c)
                d.line([(x, y0), (x, y1)], fill=ACCENT, width=2)
        if kind == "z":
            if top:
                d.line([(x0 + 1, y0 + 1), (x1 - 1, y0 + 1)], fill=INK, width=3)
            else:
                d.line([(x0 + 1, y0 + 1), (x0 + 1, y1 - 1)], fill=INK, width=3)
            if two_sided:
                d.rectangle([x0 - 6, y1 - 18, x0 + 10, y1 + 4], fill=PAPER, outline=INK)
        else:
            x = int(x0 + (x1 - x0) * cuts[0])
            if second:
                d.polygon([(x - 5, 9), (x + 5, 9), (x, 2)], fill=ACCENT)
            else:
                d.polygon([(x - 5, 2), (x + 5, 2), (x, 9)], fill=ACCENT)
    return draw


def side_margin(d):
    """A sheet with its binding margin shaded on the left and the image kept off it."""
    sheet(d, (4, 2, 27, 29), lines=False)
    d.rectangle([5, 3, 10, 28], fill=SHADE)
    d.line([(10, 3), (10, 28)], fill=ACCENT)
    for y in range(8, 26, 4):
        d.line([(13, y), (24, y)], fill=INK)


def centre_margin(d):
    """An open booklet with the margin on both sides of its fold shaded."""
    sheet(d, (2, 6, 16, 27), lines=False)
    sheet(d, (16, 6, 30, 27), lines=False)
    d.rectangle([13, 7, 19, 26], fill=SHADE)
    d.line([(16, 6), (16, 27)], fill=ACCENT)
    for y in range(11, 25, 4):
        d.line([(4, y), (11, y)], fill=INK)
        d.line([(21, y), (28, y)], fill=INK)


def cover_result(layout, standard, back):
    """A set with its cover: the cover sheet shaded (lighter from another
    tray than the standard one), on the front or at the back of the set,
    bound on the side or at the top."""
    def draw(d):
        cover = (120, 160, 220) if standard else (170, 200, 235)
        top = layout == "top"
        for k in range(3):
            o = 2 * k if back else 4 - 2 * k
            sheet(d, (6 + o, 4 + o, 24 + o, 26 + o), lines=False,
                  fill=cover if (k == 0 and back) or (k == 2 and not back) else PAPER)
        if top:
            d.line([(6, 4), (28, 4)], fill=ACCENT, width=2)
        else:
            d.line([(6, 4), (6, 30)], fill=ACCENT, width=2)
    return draw


def envelope(form):
    """An envelope: with a window (form 1), long (2) or wide (3)."""
    def draw(d):
        box = {1: (3, 8, 29, 24), 2: (9, 2, 23, 30), 3: (2, 10, 30, 23)}[form]
        x0, y0, x1, y1 = box
        d.rectangle(box, fill=PAPER, outline=INK)
        d.line([(x0, y0), ((x0 + x1) // 2, (y0 + y1) // 2), (x1, y0)], fill=INK)
        if form == 1:
            d.rectangle([x0 + 4, y1 - 7, x0 + 14, y1 - 3], fill=SHADE, outline=ACCENT)
    return draw


def insert(kind):
    """What goes into the envelope: nothing (none), a sheet folded for the
    window envelope or the long one, or a flat sheet (legal or letter)."""
    def draw(d):
        if kind == "none":
            d.rectangle([6, 10, 26, 22], outline=SHADE)
            d.line([(6, 10), (26, 22)], fill=SHADE)
            return
        sheet(d, (8, 3, 24, 29))
        if kind in ("window", "long"):
            for y in ((12, 20) if kind == "window" else (14,)):
                d.line([(8, y), (24, y)], fill=ACCENT)
        if kind == "legal":
            d.line([(8, 27), (24, 27)], fill=ACCENT)
    return draw


def perfect_bound_book(d):
    """A thick book whose cover is glued round the spine of its body."""
    d.polygon([(9, 4), (27, 4), (27, 26), (9, 26)], fill=(120, 160, 220), outline=INK)
    d.polygon([(4, 8), (9, 4), (9, 26), (4, 30)], fill=(90, 130, 200), outline=INK)
    d.polygon([(4, 30), (9, 26), (27, 26), (22, 30)], fill=PAPER, outline=INK)
    for x in range(11, 24, 3):
        d.line([(x - 2, 28), (x + 2, 28)], fill=SHADE)
    d.rectangle([13, 9, 23, 12], fill=PAPER)


def cover_spread(binding):
    """The cover laid open, outside up: back, spine and front, the front on
    the right for a book bound on the left and on the left for one bound on
    the right; the front carries the title."""
    def draw(d):
        w, h = 300, 36
        mid = w // 2
        d.rectangle([0, 2, w - 1, h - 3], fill=(170, 200, 235), outline=INK)
        d.rectangle([mid - 8, 2, mid + 8, h - 3], fill=(120, 160, 220), outline=INK)
        front = (mid + 30, mid + 120) if binding == "left" else (30, 120)
        d.rectangle([front[0], 9, front[1], 15], fill=PAPER, outline=INK)
        d.line([(front[0], 21), (front[1] - 30, 21)], fill=INK)
        d.line([(mid, 0), (mid, h - 1)], fill=ACCENT)
    return draw


PICTURES = {
    # Basic tab
    11794: collate(True), 11795: collate(False), 11796: lambda d: portrait(d), 11797: lambda d: landscape(d),
    11798: lambda d: sheet(d, (1, 1, 14, 18), lines=False),
    # Colour modes 0..7 and duplex (none, long edge, short edge)
    11760: auto_colour, 11761: colour_mode(["cyan", "magenta", "yellow", "black"]), 11762: colour_mode(["black"]),
    11763: colour_mode(["cyan"]), 11764: colour_mode(["magenta"]), 11765: colour_mode(["red", "black"]),
    11766: colour_mode(["red"]), 11767: colour_mode(["blue"]),
    11770: one_sided, 11771: two_sided("long"), 11772: two_sided("short"),
    # Pages per sheet: landscape 11809..11818, portrait 11819..11828
    11809: n_up(2, True, False, False), 11810: n_up(2, True, True, False),
    11811: n_up(4, False, False, False), 11813: n_up(4, True, False, False),
    11812: n_up(4, False, True, False), 11814: n_up(4, True, True, False),
    11815: n_up(8, False, False, False), 11817: n_up(8, True, False, False),
    11816: n_up(8, False, True, False), 11818: n_up(8, True, True, False),
    11819: n_up(2, True, False, True), 11820: n_up(2, True, True, True),
    11823: n_up(4, False, False, True), 11822: n_up(4, True, False, True),
    11824: n_up(4, False, True, True), 11821: n_up(4, True, True, True),
    11827: n_up(8, False, False, True), 11825: n_up(8, True, False, True),
    11828: n_up(8, False, True, True), 11826: n_up(8, True, True, True),
    # One page over 2, 4, 8 sheets: landscape 11829..11831, portrait 11832..11834
    11829: poster(2, False), 11830: poster(4, False), 11831: poster(8, False),
    11832: poster(2, True), 11833: poster(4, True), 11834: poster(8, True),
    # Rotation 90, 180, 270, back side
    11837: rotation(90), 11838: rotation(180), 11839: rotation(270), 11840: rotation(360),
    # Binding edge, portrait 11844..11846 and landscape 11847..11849
    11844: binding("left", False), 11845: binding("top", False), 11846: binding("right", False),
    11847: binding("left", True), 11848: binding("top", True), 11849: binding("right", True),
    # Staples and punches
    11850: staple("top_left"), 11851: staple("top_right"), 11852: staple("two"), 11853: staple("saddle"),
    11855: punch(2), 11856: punch(3), 11857: punch(4),
    # Folds: half, letter inside, letter outside, Z
    11898: fold("half"), 11899: fold("letter_in"), 11900: fold("letter_out"), 11901: fold("z"),
    # Booklets: left, right, top binding
    11902: booklet("left"), 11903: booklet("right"), 11904: booklet("top"),
    # Image mode (text, photo) and the seven densities from lightest to darkest
    11906: image_mode(False), 11907: image_mode(True),
    11909: density(-3), 11910: density(-2), 11911: density(-1), 11912: density(0),
    11913: density(1), 11914: density(2), 11915: density(3),
    # The favourites button, the environment page's units, the preview's sheet
    11920: favourites_button, 11978: unit_picture("input"), 11951: unit_picture("output"),
    11966: unit_picture("paper"), 11718: preview_backdrop,
    # Watermark colours 0..7: black, grey, red, green, blue, cyan, magenta, yellow
    11979: watermark_colour((0, 0, 0)), 11980: watermark_colour((128, 128, 128)),
    11981: watermark_colour((255, 0, 0)), 11982: watermark_colour((0, 160, 0)),
    11983: watermark_colour((0, 0, 255)), 11984: watermark_colour((0, 200, 200)),
    11985: watermark_colour((220, 0, 220)), 11986: watermark_colour((230, 200, 0)),
    # Two-sided mixed sizes (smaller, larger page: long or short edge) and the output tray's faces
    11974: mixed_duplex("short", "short"), 11975: mixed_duplex("short", "long"),
    11976: mixed_duplex("long", "short"), 11977: mixed_duplex("long", "long"),
    11952: output_face(True), 11953: output_face(False),
    # The version dialog's logo; the gamma dialog's picture and its samples
    10634: driver_logo, 10415: form_overlay, 11963: gamma_icon, 11964: gamma_sample(True), 11965: gamma_sample(False),
    # Image position: the shift arrows by vertical and horizontal sign, the two directions, the page
    11754: shift_arrow(-1, -1), 11748: shift_arrow(-1, 0), 11753: shift_arrow(-1, 1),
    11750: shift_arrow(0, -1), 11746: shift_arrow(0, 0), 11749: shift_arrow(0, 1),
    11752: shift_arrow(1, -1), 11747: shift_arrow(1, 0), 11751: shift_arrow(1, 1),
    11973: shift_direction(True), 11972: shift_direction(False),
    10469: lambda d: sheet(d, (1, 1, 14, 14), lines=True),
    # The fold dialog's preview: half, letter inside, letter outside (one-sided
    # or not, either direction) and Z (mixed sizes or not, binding side 1 or 2)
    11730: fold_preview("half", False, False), 11731: fold_preview("half", True, False),
    11732: fold_preview("half", False, True), 11733: fold_preview("half", True, True),
    11734: fold_preview("letter_in", False, False), 11735: fold_preview("letter_in", True, False),
    11736: fold_preview("letter_in", False, True), 11737: fold_preview("letter_in", True, True),
    11738: fold_preview("letter_out", False, False), 11739: fold_preview("letter_out", True, False),
    11740: fold_preview("letter_out", False, True), 11741: fold_preview("letter_out", True, True),
    11946: centre_margin, 11947: side_margin,
    # Mail making: the three envelopes and what goes into them
    11968: envelope(1), 11969: envelope(2), 11970: envelope(3),
    11921: insert("window"), 11922: insert("legal"), 11923: insert("none"), 11924: insert("long"),
    # Covers: front (std, other tray) and back pictures of each binding case; the
    # back ones 12153..12160 are kept at 12453..12460 (the preview has those ids)
    11722: cover_result("side", True, False), 11725: cover_result("side", False, False),
    11723: cover_result("side", True, False), 11726: cover_result("side", False, False),
    11724: cover_result("top", True, False), 11727: cover_result("top", False, False),
    11728: cover_result("top", True, False), 11729: cover_result("top", False, False),
    12453: cover_result("side", True, True), 12454: cover_result("side", False, True),
    12455: cover_result("top", True, True), 12456: cover_result("top", False, True),
    12457: cover_result("side", True, True), 12458: cover_result("top", True, True),
    12459: cover_result("side", False, True), 12460: cover_result("top", False, True),
    # Perfect binding: the book, and its cover laid open for a left and a right binding
    11948: perfect_bound_book, 11949: cover_spread("left"), 11950: cover_spread("right"),
    11742: fold_preview("z", False, False), 11743: fold_preview("z", False, True),
    11744: fold_preview("z", True, False), 11745: fold_preview("z", True, True),
}
SIZES = {11920: (16, 16), 11973: (16, 16), 11972: (16, 16), 10469: (16, 16), 11798: (16, 20), 11718: (120, 100),
         11974: (72, 120), 11975: (72, 120), 11976: (72, 120), 11977: (72, 120),
         10634: (48, 48), 10415: (96, 124), 11963: (16, 16), 11964: (144, 150), 11965: (144, 150)}
SIZES.update({pid: (64, 80) for pid in range(11730, 11746)})
SIZES.update({11949: (300, 36), 11950: (300, 36)})


from preview_pictures import preview_pictures  # noqa: E402  (the layered preview's pictures)

PREVIEW, PREVIEW_SIZES = preview_pictures(canvas)
PICTURES.update(PREVIEW)
SIZES.update(PREVIEW_SIZES)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_pictures.py <out-dir>")
    out = os.path.abspath(sys.argv[1])
    os.makedirs(out, exist_ok=True)
    rc = ["// Written by resources/pictures/make_pictures.py; the pictures of type 256."]
    for pid in sorted(PICTURES):
        img, d = canvas(*SIZES.get(pid, (32, 32)))
        PICTURES[pid](d)
        path = os.path.join(out, "%d.bmp" % pid)
        img.save(path, "BMP")
        rc.append('%d 256 "%s"' % (pid, path))
    with open(os.path.join(out, "pictures_generated.rc"), "w") as f:
        f.write("\n".join(rc) + "\n")


if __name__ == "__main__":
    main()
