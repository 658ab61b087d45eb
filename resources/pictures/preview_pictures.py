"""The layered preview's pictures, for make_pictures.py.

The main preview stacks up to seven 120 x 100 pictures; the output strip up to
seven 120 x 28 ones. Pure red is transparent, so every picture draws only its
own part. The ids and their order follow src/ui/preview_tables.cpp:

    11718            backdrop
    12000..12046     the sheet: mail, perfect binding (3 sides, cover apart, then
                     with the book), saddle and folded booklets P/L, mixed sizes
                     P/L, then the 17 layouts portrait and the 17 landscape
    12100 + 20*s + j the content in the inks of set s+1 (j as the ink layer)
    12300..12308     binding edge marks; 12310..12318 staples;
    12320..12331     punches; 12340..12355 folds
    12400..12438     the output strip

Portrait and landscape sheets share their top-left corner, so marks near it
(one staple, two staples on the left or top, holes on the left or top) are the
same picture for both.
"""
from PIL import ImageDraw  # noqa: F401  (the canvases come from make_pictures)

KEY = (255, 0, 0)
OUTLINE = (70, 70, 70)
PAPER = (255, 255, 255)
SHADOW = (168, 168, 168)
CELL = (196, 196, 196)
NUMBER = (120, 120, 120)
MARK = (30, 90, 200)
METAL = (90, 90, 100)
HOLE = (150, 150, 150)

P = (28, 10, 80, 82)
L = (28, 10, 100, 62)
MAIN = (120, 100)
STRIP = (120, 28)

# Inks of the seven sets: title, picture colours, text.
INKS = [
    ((200, 40, 40), [(40, 120, 220), (60, 170, 80), (250, 200, 30)], (50, 50, 50)),   # 1 full colour
    ((210, 30, 30), [(210, 30, 30), (60, 60, 60), (235, 120, 120)], (40, 40, 40)),    # 2 two colours
    ((0, 150, 210), [(0, 170, 230), (110, 210, 240), (0, 120, 170)], (0, 130, 190)),  # 3 cyan
    ((40, 40, 40), [(90, 90, 90), (150, 150, 150), (60, 60, 60)], (50, 50, 50)),      # 4 monochrome
    ((200, 0, 130), [(220, 0, 140), (240, 130, 200), (170, 0, 110)], (190, 0, 120)),  # 5 magenta
    ((200, 30, 30), [(210, 40, 40), (240, 140, 140), (170, 20, 20)], (190, 30, 30)),  # 6 red
    ((30, 60, 200), [(30, 60, 200), (130, 150, 240), (20, 40, 150)], (30, 60, 190)),  # 7 blue
]


def box_w(b):
    return b[2] - b[0]


def sheet(d, b, fill=PAPER):
    d.rectangle([b[0] + 2, b[1] + 2, b[2] + 2, b[3] + 2], fill=SHADOW)
    d.rectangle(b, fill=fill, outline=OUTLINE)


def cells(b, cols, rows, pad=2):
    w, h = (b[2] - b[0]) / cols, (b[3] - b[1]) / rows
    out = {}
    for c in range(cols):
        for r in range(rows):
            out[(c, r)] = (int(b[0] + c * w + pad), int(b[1] + r * h + pad),
                           int(b[0] + (c + 1) * w - pad), int(b[1] + (r + 1) * h - pad))
    return out


def order(cols, rows, across, rtl):
    seq = []
    outer, inner = (rows, cols) if across else (cols, rows)
    for o in range(outer):
        for i in range(inner):
            c, r = (i, o) if across else (o, i)
            seq.append((cols - 1 - c if rtl else c, r))
    return seq


# (cols, rows) of a layout on a portrait sheet; a landscape sheet swaps them.
NUP = {21: (1, 2, True, False), 22: (1, 2, True, True), 41: (2, 2, False, False), 42: (2, 2, True, False),
       43: (2, 2, False, True), 44: (2, 2, True, True), 81: (2, 4, False, False), 82: (2, 4, True, False),
       83: (2, 4, False, True), 88: (2, 4, True, True)}
GRID = {1: (1, 1), 2: (1, 2), 4: (2, 2), 8: (2, 4)}


def grid_of(n, portrait):
    cols, rows = GRID[n]
    return (cols, rows) if portrait else (rows, cols)


def number(d, cell, n):
    d.text((cell[2] - 6, cell[3] - 10), str(n), fill=NUMBER)


def layout_sheet(kind, value, portrait):
    b = P if portrait else L

    def draw(d):
        if kind == "booklet":
            booklet_spread(d, portrait, value)
            return
        sheet(d, b)
        if kind == "one":
            return
        if kind == "poster":
            cols, rows = grid_of(value, portrait)
            for (c, r), cell in cells(b, cols, rows, 0).items():
                if c:
                    for y in range(cell[1], cell[3], 4):
                        d.line([(cell[0], y), (cell[0], y + 1)], fill=MARK)
                if r:
                    for x in range(cell[0], cell[2], 4):
                        d.line([(x, cell[1]), (x + 1, cell[1])], fill=MARK)
            return
        cols, rows, across, rtl = NUP[value]
        if not portrait:
            cols, rows = rows, cols
        grid = cells(b, cols, rows)
        seq = order(cols, rows, across, rtl)
        if rtl and cols == 1:  # one column: "right to left" reads from the bottom
            seq.reverse()
        for i, pos in enumerate(seq):
            d.rectangle(grid[pos], outline=CELL)
            number(d, grid[pos], i + 1)
    return draw


def spread_pages(portrait, top_bound=False):
    """The two pages of an open booklet, left/top page first."""
    if top_bound:
        return ((34, 8, 86, 44), (34, 46, 86, 82)) if portrait else ((22, 18, 98, 44), (22, 46, 98, 72))
    return ((20, 16, 59, 70), (61, 16, 100, 70)) if portrait else ((8, 26, 59, 62), (61, 26, 112, 62))


def booklet_spread(d, portrait, value):
    a, b = spread_pages(portrait, value == 3)
    for page in (a, b):
        sheet(d, page)
    first, second = (3, 2) if value == 2 else (2, 3)
    number(d, a, first)
    number(d, b, second)


def bound_book(portrait, fold_only):
    def draw(d):
        a, b = spread_pages(portrait)
        for page in (a, b):
            sheet(d, page)
        d.line([(60, a[1]), (60, a[3])], fill=OUTLINE if fold_only else SHADOW, width=2)
    return draw


BOOK = (34, 16, 86, 80)


def perfect_book(side, cover_apart):
    def draw(d):
        x0, y0, x1, y1 = BOOK
        for k in (6, 4, 2):  # the page block's thickness
            d.rectangle([x0 + k, y0 + k, x1 + k, y1 + k], fill=PAPER, outline=CELL)
        d.rectangle(BOOK, fill=PAPER, outline=OUTLINE)
        spine = {"left": [x0, y0, x0 + 4, y1], "top": [x0, y0, x1, y0 + 4], "right": [x1 - 4, y0, x1, y1]}[side]
        d.rectangle(spine, fill=METAL)
        if cover_apart:  # the cover printed on its own, beside the book
            d.rectangle([6, 30, 24, 56], fill=PAPER, outline=OUTLINE)
            d.line([(25, 43), (31, 43)], fill=MARK, width=2)
            d.polygon([(31, 40), (34, 43), (31, 46)], fill=MARK)
    return draw


def envelope(d):
    d.rectangle([22, 26, 98, 72], fill=PAPER, outline=OUTLINE)
    d.line([(22, 26), (60, 52), (98, 26)], fill=OUTLINE)


def mixed(portrait):
    def draw(d):
        b = P if portrait else L
        sheet(d, b)
        small = (b[0] + 6, b[1] + 6, b[0] + box_w(b) * 2 // 3, b[1] + (b[3] - b[1]) * 2 // 3)
        sheet(d, small)
    return draw


def content(d, b, ink, title=True):
    """A page's content: a title bar, a picture, text lines; kept off the
    bottom-right corner where the page number sits."""
    t, pics, text = ink
    w, h = b[2] - b[0], b[3] - b[1]
    if w < 6 or h < 6:
        return
    y = b[1] + 2
    if title and h > 14:
        d.rectangle([b[0] + 2, y, b[0] + max(3, w * 2 // 3), y + max(1, h // 14)], fill=t)
        y += max(1, h // 14) + 2
    ph = max(2, h * 2 // 5)
    px1 = b[0] + 2 + max(2, w // 2)
    d.rectangle([b[0] + 2, y, px1, y + ph], fill=pics[0])
    d.polygon([(b[0] + 2, y + ph), (b[0] + 2 + w // 5, y + ph // 2), (px1, y + ph)], fill=pics[1])
    r = max(1, min(w, h) // 12)
    d.ellipse([px1 - 2 * r - 1, y + 1, px1 - 1, y + 1 + 2 * r], fill=pics[2])
    y += ph + 2
    while y < b[3] - 3:
        d.line([(b[0] + 2, y), (b[2] - (8 if y > b[3] - 12 else 2), y)], fill=text)
        y += 3


def ink_class(cls, portrait, ink):
    b = P if portrait else L

    def draw(d):
        if cls == "poster":
            inner = (b[0] + 3, b[1] + 3, b[2] - 3, b[3] - 3)
            t, pics, _ = ink
            d.rectangle(inner, fill=pics[0])
            d.polygon([(inner[0], inner[3]), (inner[0] + box_w(inner) // 3, inner[1] + 10),
                       (inner[0] + box_w(inner) * 2 // 3, inner[3])], fill=pics[1])
            cx, cy = inner[2] - 12, inner[1] + 10
            d.ellipse([cx - 6, cy - 6, cx + 6, cy + 6], fill=pics[2])
            return
        if cls == "booklet":
            # The quarters that lie inside a page whether the booklet opens
            # sideways or upwards, off both creases.
            (a0, a1), (b0, b1) = spread_pages(portrait), spread_pages(portrait, True)
            xs = (max(a0[0], b0[0]) + 2, 58, 62, min(a1[2], b1[2]) - 2)
            ys = (max(a0[1], b0[1]) + 2, 43, 47, min(a1[3], b1[3]) - 2)
            for x in ((xs[0], xs[1]), (xs[2], xs[3])):
                for y in ((ys[0], ys[1]), (ys[2], ys[3])):
                    content(d, (x[0], y[0], x[1], y[1]), ink, title=y[0] == ys[0])
            return
        n = {"one": 1, "two": 2, "four": 4, "eight": 8}[cls]
        cols, rows = grid_of(n, portrait)
        for cell in cells(b, cols, rows, 3 if n > 1 else 4).values():
            content(d, cell, ink)
    return draw


def ink_book(portrait, ink):
    def draw(d):
        a, b = spread_pages(portrait)
        for page in (a, b):
            content(d, (page[0] + 3, page[1] + 3, page[2] - 3, page[3] - 3), ink)
    return draw


def ink_perfect(top, ink):
    def draw(d):
        x0, y0, x1, y1 = BOOK
        inner = (x0 + 8, y0 + 10, x1 - 6, y1 - 6) if not top else (x0 + 6, y0 + 10, x1 - 6, y1 - 6)
        content(d, inner, ink)
    return draw


def ink_mail(ink):
    def draw(d):
        t, pics, text = ink
        d.rectangle([84, 30, 94, 40], fill=pics[0])
        for i, y in enumerate((54, 58, 62)):
            d.line([(44, y), (76 - 6 * i, y)], fill=text)
        d.line([(28, 32), (48, 32)], fill=t)
    return draw


def edge(side, portrait):
    b = P if portrait else L

    def draw(d):
        x0, y0, x1, y1 = b
        if side == "left":
            d.rectangle([x0 + 1, y0 + 1, x0 + 3, y1 - 1], fill=MARK)
            d.arc([x0 - 14, y0 + 14, x0 - 2, y0 + 30], 90, 270, fill=MARK, width=2)
            d.polygon([(x0 - 8, y0 + 11), (x0 - 3, y0 + 14), (x0 - 8, y0 + 17)], fill=MARK)
        elif side == "top":
            d.rectangle([x0 + 1, y0 + 1, x1 - 1, y0 + 3], fill=MARK)
            d.line([(x1 + 5, y0 + 2), (x1 + 5, y0 + 16)], fill=MARK, width=2)
            d.polygon([(x1 + 2, y0 + 12), (x1 + 5, y0 + 17), (x1 + 8, y0 + 12)], fill=MARK)
        else:
            d.rectangle([x1 - 3, y0 + 1, x1 - 1, y1 - 1], fill=MARK)
            d.arc([x1 + 2, y0 + 14, x1 + 14, y0 + 30], 270, 90, fill=MARK, width=2)
            d.polygon([(x1 + 8, y0 + 11), (x1 + 3, y0 + 14), (x1 + 8, y0 + 17)], fill=MARK)
    return draw


def crease(portrait):
    def draw(d):
        a, _ = spread_pages(portrait)
        d.line([(60, a[1] + 1), (60, a[3] - 1)], fill=MARK, width=2)
    return draw


def glue(d):
    x0, y0, x1, y1 = BOOK
    d.rectangle([x0 - 2, y0, x0 + 1, y1], fill=MARK)
    d.ellipse([x0 - 8, y1 + 6, x0 - 2, y1 + 12], fill=MARK)


def staple_at(d, x, y, vertical):
    if vertical:
        d.rectangle([x, y, x + 1, y + 6], fill=METAL, outline=METAL)
    else:
        d.rectangle([x, y, x + 6, y + 1], fill=METAL, outline=METAL)


def staples(where, portrait=True):
    def draw(d):
        x0, y0, x1, y1 = P if portrait else L
        if where == "top_left":
            d.line([(x0 + 3, y0 + 8), (x0 + 8, y0 + 3)], fill=METAL, width=2)
        elif where == "top_right":
            d.line([(x1 - 8, y0 + 3), (x1 - 3, y0 + 8)], fill=METAL, width=2)
        elif where == "left":
            staple_at(d, x0 + 4, y0 + 10, True)
            staple_at(d, x0 + 4, y0 + 34, True)
        elif where == "top":
            staple_at(d, x0 + 10, y0 + 4, False)
            staple_at(d, x0 + 36, y0 + 4, False)
        elif where == "right":
            staple_at(d, x1 - 5, y0 + 10, True)
            staple_at(d, x1 - 5, y1 - 16, True)
        else:  # saddle: on the booklet's crease
            a, _ = spread_pages(portrait)
            staple_at(d, 59, a[1] + 8, True)
            staple_at(d, 59, a[3] - 14, True)
    return draw


def holes(count, side, portrait=True):
    def draw(d):
        x0, y0, x1, y1 = P if portrait else L
        if side == "top":
            span = [(x0 + 8 + i * (36 // max(1, count - 1)), y0 + 5) for i in range(count)]
        else:
            x = x0 + 5 if side == "left" else x1 - 5
            span = [(x, y0 + 8 + i * (36 // max(1, count - 1))) for i in range(count)]
        for cx, cy in span:
            d.ellipse([cx - 2, cy - 2, cx + 2, cy + 2], fill=HOLE, outline=OUTLINE)
    return draw


def folds(kind, along, portrait):
    b = P if portrait else L

    def draw(d):
        x0, y0, x1, y1 = b
        long_vertical = portrait  # a portrait sheet's long edges are vertical
        vertical = long_vertical if along else not long_vertical
        parts = 2 if kind == "half" else 3

        def line_at(k):
            if vertical:
                x = x0 + (x1 - x0) * k // parts
                for y in range(y0 + 1, y1, 4):
                    d.line([(x, y), (x, y + 2)], fill=MARK, width=2)
            else:
                y = y0 + (y1 - y0) * k // parts
                for x in range(x0 + 1, x1, 4):
                    d.line([(x, y), (x + 2, y)], fill=MARK, width=2)
        for k in range(1, parts):
            line_at(k)
        # the panel that folds first, shaded; the Z-fold's middle panel
        panel = {"half": parts - 1, "letter_in": parts - 1, "letter_out": 0, "z": 1}[kind]
        if vertical:
            px0 = x0 + (x1 - x0) * panel // parts + 3
            px1 = x0 + (x1 - x0) * (panel + 1) // parts - 3
            band = [px0, y1 - 6, px1, y1 - 3]
        else:
            py0 = y0 + (y1 - y0) * panel // parts + 3
            py1 = y0 + (y1 - y0) * (panel + 1) // parts - 3
            band = [x1 - 6, py0, x1 - 3, py1]
        d.rectangle(band, fill=MARK)
    return draw


# The output strip: marks on the left, the machine on the right.
BODY = (60, 5, 94, 26)
IN_UNIT = (42, 12, 58, 26)
FINISHER = (96, 3, 118, 26)


def strip_body(d):
    d.rectangle(BODY, fill=(225, 225, 225), outline=OUTLINE)
    d.rectangle([BODY[0] + 4, BODY[1] + 2, BODY[2] - 4, BODY[1] + 4], fill=(180, 180, 180))  # the inner tray
    for i in range(3):
        y = 15 + i * 4
        d.rectangle([BODY[0] + 3, y, BODY[2] - 3, y + 2], outline=(150, 150, 150))
    d.polygon([(BODY[0] - 1, 8), (BODY[0] - 8, 5), (BODY[0] - 8, 7), (BODY[0] - 1, 11)], fill=(200, 200, 200),
              outline=OUTLINE)  # the feeder tray


def strip_units(inp, out):
    def draw(d):
        if inp:
            d.rectangle(IN_UNIT, fill=(215, 215, 215), outline=OUTLINE)
            d.rectangle([IN_UNIT[0] + 3, 19, IN_UNIT[2] - 3, 22], outline=(150, 150, 150))
        if out:
            d.rectangle(FINISHER, fill=(215, 215, 215), outline=OUTLINE)
            for i in range(1, 8):
                y = FINISHER[1] + i * 3 - 1
                d.line([(FINISHER[2] - 5, y), (FINISHER[2], y)], fill=(150, 150, 150))
    return draw


def highlight(d, rect):
    d.rectangle(rect, fill=MARK)


def strip_in_tray(tray):
    def draw(d):
        if tray == 7:
            for i in range(3):
                y = 15 + i * 4
                d.rectangle([BODY[0] + 3, y, BODY[2] - 3, y + 2], outline=MARK)
            d.text((BODY[0] - 8, 14), "A", fill=MARK)
        elif tray == 257:
            d.polygon([(BODY[0] - 1, 8), (BODY[0] - 8, 5), (BODY[0] - 8, 7), (BODY[0] - 1, 11)], fill=MARK)
        elif tray in (258, 259, 260):
            y = 15 + (tray - 258) * 4
            highlight(d, [BODY[0] + 3, y, BODY[2] - 3, y + 2])
        elif tray == 261:
            highlight(d, [IN_UNIT[0] + 3, 19, IN_UNIT[2] - 3, 22])
        else:  # the cover inserter on top of the finisher
            highlight(d, [FINISHER[0] + 2, 0, FINISHER[0] + 12, 2])
    return draw


def strip_out_tray(tray):
    """The sheet coming out: onto the inner tray (0) or a bin on the right."""
    def draw(d):
        if tray == 0:
            highlight(d, [BODY[0] + 4, BODY[1] + 2, BODY[2] - 4, BODY[1] + 4])
            d.polygon([(BODY[0] + 8, BODY[1] + 1), (BODY[0] + 22, BODY[1] - 4), (BODY[0] + 26, BODY[1] + 1)],
                      fill=PAPER, outline=MARK)
        else:
            y = FINISHER[1] + tray * 3 - 1
            d.polygon([(FINISHER[2] - 6, y + 1), (119, y - 2), (119, y + 1), (FINISHER[2] - 6, y + 2)],
                      fill=PAPER, outline=MARK)
            d.rectangle([FINISHER[2] - 6, y + 1, FINISHER[2], y + 2], fill=MARK)
    return draw


def strip_mailbox(d):
    for i in range(4):
        for k in range(2):
            d.rectangle([FINISHER[0] + 3 + k * 9, 5 + i * 5, FINISHER[0] + 10 + k * 9, 8 + i * 5],
                        fill=PAPER, outline=MARK)


def mark(slot, shape):
    x, y = 1 + (slot % 4) * 10, 3 + (slot // 4) * 12

    def draw(d):
        shape(d, x, y)
    return draw


def m_two_sided(d, x, y):
    d.rectangle([x + 3, y, x + 8, y + 7], fill=(210, 210, 210), outline=OUTLINE)
    d.rectangle([x, y + 2, x + 5, y + 9], fill=PAPER, outline=OUTLINE)


def m_staple(d, x, y):
    d.rectangle([x, y, x + 8, y + 9], fill=PAPER, outline=OUTLINE)
    d.line([(x + 1, y + 4), (x + 4, y + 1)], fill=METAL, width=2)


def m_punch(d, x, y):
    d.rectangle([x, y, x + 8, y + 9], fill=PAPER, outline=OUTLINE)
    for cy in (y + 2, y + 6):
        d.ellipse([x + 1, cy, x + 3, cy + 2], fill=HOLE, outline=OUTLINE)


def m_fold(d, x, y):
    d.polygon([(x, y + 1), (x + 4, y + 3), (x + 4, y + 9), (x, y + 7)], fill=PAPER, outline=OUTLINE)
    d.polygon([(x + 4, y + 3), (x + 8, y + 1), (x + 8, y + 7), (x + 4, y + 9)], fill=(210, 210, 210), outline=OUTLINE)


def m_booklet(d, x, y):
    d.rectangle([x, y + 1, x + 8, y + 8], fill=PAPER, outline=OUTLINE)
    d.line([(x + 4, y + 1), (x + 4, y + 8)], fill=MARK, width=2)


def m_perfect(d, x, y):
    d.rectangle([x + 1, y, x + 8, y + 9], fill=PAPER, outline=OUTLINE)
    d.rectangle([x, y, x + 2, y + 9], fill=METAL)


def m_layout_booklet(d, x, y):
    d.rectangle([x, y + 2, x + 8, y + 7], fill=PAPER, outline=OUTLINE)
    d.text((x + 1, y - 2), "2", fill=NUMBER)


def m_margin(d, x, y):
    d.rectangle([x, y, x + 8, y + 9], fill=PAPER, outline=OUTLINE)
    d.rectangle([x + 1, y + 1, x + 2, y + 8], fill=MARK)


def fold_unit(d):
    d.rectangle([FINISHER[0], 20, FINISHER[0] + 10, 27], fill=(200, 200, 200), outline=OUTLINE)
    d.line([(FINISHER[0] + 2, 23), (FINISHER[0] + 8, 23)], fill=MARK)


def preview_pictures(_canvas):
    pics, sizes = {}, {}

    def add(pid, draw, size=MAIN):
        pics[pid] = draw
        sizes[pid] = size

    sheet_list = [lambda d: envelope(d)]
    sheet_list += [perfect_book(s, True) for s in ("left", "top", "right")]
    sheet_list += [perfect_book(s, False) for s in ("left", "top", "right")]
    sheet_list += [bound_book(True, False), bound_book(False, False), bound_book(True, True), bound_book(False, True)]
    sheet_list += [mixed(True), mixed(False)]
    layouts = [("one", 1)] + [("nup", v) for v in (21, 22, 41, 42, 43, 44, 81, 82, 83, 88)]
    layouts += [("poster", v) for v in (2, 4, 8)] + [("booklet", v) for v in (1, 2, 3)]
    for portrait in (True, False):
        sheet_list += [layout_sheet(k, v, portrait) for k, v in layouts]
    assert len(sheet_list) == 47
    for i, draw in enumerate(sheet_list):
        add(12000 + i, draw)

    for s, ink in enumerate(INKS):
        inks = [ink_mail(ink), ink_perfect(False, ink), ink_perfect(True, ink), ink_book(True, ink),
                ink_book(False, ink)]
        for portrait in (True, False):
            inks += [ink_class(c, portrait, ink) for c in ("one", "two", "four", "eight", "poster", "booklet")]
        assert len(inks) == 17
        for j, draw in enumerate(inks):
            add(12100 + 20 * s + j, draw)

    edges = [edge(side, p) for p in (True, False) for side in ("left", "top", "right")]
    edges += [crease(True), crease(False), glue]
    for i, draw in enumerate(edges):
        add(12300 + i, draw)
    stapling = [staples("top_left"), staples("top_right", True), staples("top_right", False), staples("left"),
                staples("top"), staples("right", True), staples("right", False), staples("saddle", True),
                staples("saddle", False)]
    for i, draw in enumerate(stapling):
        add(12310 + i, draw)
    punching = []
    for count in (2, 3, 4):
        punching += [holes(count, "left"), holes(count, "top"), holes(count, "right", True),
                     holes(count, "right", False)]
    for i, draw in enumerate(punching):
        add(12320 + i, draw)
    folding = []
    for kind in ("half", "letter_in", "letter_out", "z"):
        folding += [folds(kind, False, True), folds(kind, False, False), folds(kind, True, True),
                    folds(kind, True, False)]
    for i, draw in enumerate(folding):
        add(12340 + i, draw)

    add(12400, strip_body, STRIP)
    add(12401, strip_units(True, True), STRIP)
    add(12402, strip_units(True, False), STRIP)
    add(12403, strip_units(False, True), STRIP)
    for i, tray in enumerate((7, 257, 258, 259, 260, 261, 262)):
        add(12410 + i, strip_in_tray(tray), STRIP)
    for tray in range(8):
        add(12420 + tray, strip_out_tray(tray), STRIP)
    add(12428, strip_mailbox, STRIP)
    marks = [m_two_sided, m_staple, m_punch, m_fold, m_booklet, m_perfect]
    for i, shape in enumerate(marks):
        add(12430 + i, mark(min(i, 4), shape), STRIP)
    add(12436, fold_unit, STRIP)
    add(12437, mark(5, m_layout_booklet), STRIP)
    add(12438, mark(6, m_margin), STRIP)
    return pics, sizes
