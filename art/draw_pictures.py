#!/usr/bin/env python3
"""Draws Doodlebinder's pictures and writes them next to this script.

    background.bmp     640 x 218, 8 bits   the diary page behind the controls
    weather.bmp         96 x 16,  4 bits   no weather, sun, cloud, rain, snow, thunder
    mood.bmp            96 x 16,  4 bits   very happy, so-so, down, bad, angry, embarrassed
    toolbar.bmp         64 x 16,  4 bits   colour, line width, pen type, ruled lines
    colours.bmp        256 x 16,  4 bits   the colour button showing each pen colour
    doodlebinder.ico    16 x 16 and 32 x 32, 4 bits with a transparency mask
    sample/*.gif        32 x 32, the weather and mood images an exported diary shows,
                        the page icons at twice the size on a transparent ground

Standard library only; the output depends on nothing but this file, so running it
again gives the same bytes. With a folder argument the files go there instead.
"""
import struct
import sys
from pathlib import Path

ART = Path(__file__).resolve().parent

# The 16 colours of the pens and the day pictures, in their order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, NAVY, TEAL, SILVER, GRAY, RED, YELLOW, WHITE = 0, 3, 4, 6, 7, 8, 9, 11, 15

# One letter per colour of VGA, for the pixel maps below.
LETTERS = "KMGONPTSDRLYBFAW"

# The page's soft tones follow the 16 colours in the background's 8-bit palette.
PAPER, GUTTER, SHADOW, LINE, BUTTON, BUTTON_EDGE, ARROW, GUTTER_DEEP = range(16, 24)
PAGE_TONES = [
    (251, 247, 236),  # paper
    (241, 234, 218),  # gutter between the two halves
    (226, 216, 196),  # soft shadow under the cards
    (171, 146, 110),  # card and frame lines
    (242, 216, 150),  # arrow buttons
    (168, 120, 48),   # arrow button rim
    (96, 56, 8),      # arrow
    (229, 219, 198),  # middle of the gutter
]


class Picture:
    """A grid of palette indexes, row 0 at the top."""

    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.rows = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills columns left..right-1 of rows top..bottom-1."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def outline(self, left, top, right, bottom, colour):
        """One-pixel lines on the columns left and right and the rows top and bottom."""
        for x in range(left, right + 1):
            self.put(x, top, colour)
            self.put(x, bottom, colour)
        for y in range(top, bottom + 1):
            self.put(left, y, colour)
            self.put(right, y, colour)

    def disc(self, cx, cy, radius2, colour):
        """Every pixel whose squared distance from (cx, cy) is below radius2."""
        for y in range(self.height):
            for x in range(self.width):
                if (x - cx) ** 2 + (y - cy) ** 2 < radius2:
                    self.put(x, y, colour)

    def paste(self, x0, y0, pixel_map, transparent=None):
        """Copies a pixel map (rows of LETTERS; '.' is `transparent`) with its top left at (x0, y0)."""
        for y, row in enumerate(pixel_map):
            for x, letter in enumerate(row):
                colour = transparent if letter == "." else LETTERS.index(letter)
                if colour is not None:
                    self.put(x0 + x, y0 + y, colour)


def from_maps(maps, background):
    """Puts 16 x 16 pixel maps side by side on one strip."""
    strip = Picture(16 * len(maps), 16, background)
    for i, pixel_map in enumerate(maps):
        check_map(pixel_map, 16)
        strip.paste(16 * i, 0, pixel_map, background)
    return strip


def check_map(pixel_map, size):
    assert len(pixel_map) == size and all(len(row) == size for row in pixel_map), pixel_map


def overlay(base, features):
    """The base map with every letter of `features` that is not '.' drawn over it."""
    return ["".join(f if f != "." else b for b, f in zip(brow, frow))
            for brow, frow in zip(base, features)]


# ---------------------------------------------------------------- file formats

def dib_bytes(picture, bits, palette, mask_rows=None):
    """BITMAPINFOHEADER, palette and bottom-up pixel rows; with mask_rows, the icon form
    (double height, followed by the 1-bit AND mask)."""
    colours = 1 << bits
    palette = palette + [(0, 0, 0)] * (colours - len(palette))
    stride = (picture.width * bits + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(picture.rows):
        packed = bytearray(stride)
        for x, index in enumerate(row):
            if bits == 8:
                packed[x] = index
            else:  # 4 bits: the left pixel in the high half of the byte
                packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += packed
    height = picture.height
    if mask_rows is not None:
        mask_stride = (picture.width + 31) // 32 * 4
        for row in reversed(mask_rows):
            packed = bytearray(mask_stride)
            for x, transparent in enumerate(row):
                if transparent:
                    packed[x // 8] |= 0x80 >> (x % 8)
            pixels += packed
        height *= 2
    header = struct.pack("<IiiHHIIiiII", 40, picture.width, height, 1, bits, 0,
                         len(pixels), 2835, 2835, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + bytes(pixels)


def bmp_bytes(picture, bits, palette):
    dib = dib_bytes(picture, bits, palette)
    pixel_offset = 14 + 40 + 4 * (1 << bits)
    return struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, pixel_offset) + dib


def ico_bytes(images):
    """images: (picture, mask_rows) pairs, 4 bits per pixel each."""
    blobs = [dib_bytes(picture, 4, VGA, mask) for picture, mask in images]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for (picture, _), blob in zip(images, blobs):
        directory += struct.pack("<BBBBHHII", picture.width, picture.height, 16, 0,
                                 1, 4, len(blob), offset)
        offset += len(blob)
    return directory + b"".join(blobs)


# ---------------------------------------------------------------- the page

def draw_background():
    """The diary page. The program puts its controls on it at fixed places:
    date header 25,14 153 x 22 (filled white by the program), weather icon 180,14 and
    mood icon 200,14 (16 x 16), place box 219,10 80 wide, text box 29,31 275 x 149,
    picture frame 334,15 to 607,185 (exclusive; filled white on every day change),
    previous-day tap target 16..28 x 178..190, next-day tap target 607..619 x 178..190.
    Only the top 214 rows show."""
    page = Picture(640, 218, PAPER)

    # Gutter between the text half and the picture half, darkest in the middle.
    page.fill(309, 0, 331, 218, GUTTER)
    page.fill(314, 0, 326, 218, GUTTER_DEEP)

    # Text card: a tab for the date and the two icons, and the body round the text box.
    # The tab reaches left to 24 because the date header's white fill starts at 25.
    page.fill(25, 11, 218, 31, WHITE)          # tab
    page.fill(25, 31, 304, 180, WHITE)         # body
    page.fill(26, 181, 306, 182, SHADOW)       # shadow, one pixel down and right
    page.fill(305, 31, 306, 181, SHADOW)
    page.fill(219, 11, 220, 30, SHADOW)
    page.fill(24, 10, 219, 11, LINE)           # top of the tab
    page.fill(218, 10, 219, 31, LINE)          # right side of the tab
    page.fill(218, 30, 305, 31, LINE)          # top of the body
    page.fill(304, 30, 305, 181, LINE)         # right side
    page.fill(24, 10, 25, 181, LINE)           # left side
    page.fill(24, 180, 305, 181, LINE)         # bottom

    # Picture frame: white all round, lines just outside the area the program whitens.
    page.fill(334, 15, 607, 185, WHITE)
    page.outline(333, 14, 607, 185, LINE)
    for x in range(334, 609):
        page.put(x, 186, SHADOW)
    for y in range(15, 187):
        page.put(608, y, SHADOW)

    # Binder rings across the gutter.
    for cy in (40, 97, 154):
        draw_ring(page, cy)

    # Arrow buttons, each a 13 x 13 disc filling its tap target.
    draw_arrow_button(page, 22, 184, -1)
    draw_arrow_button(page, 613, 184, +1)
    return page


def draw_ring(page, cy):
    """A binder ring across the gutter at height cy, lit from above, with a soft shadow."""
    page.fill(311, cy + 3, 330, cy + 4, SHADOW)
    page.fill(309, cy - 1, 310, cy + 2, GRAY)   # rounded ends
    page.fill(330, cy - 1, 331, cy + 2, GRAY)
    for dy, colour in zip(range(-2, 3), (GRAY, WHITE, SILVER, SILVER, GRAY)):
        page.fill(310, cy + dy, 330, cy + dy + 1, colour)


def draw_arrow_button(page, cx, cy, direction):
    page.disc(cx, cy, 41, BUTTON_EDGE)
    page.disc(cx, cy, 27, BUTTON)
    for i in range(5):             # a triangle pointing left (-1) or right (+1)
        x = cx + direction * (2 - i)
        page.fill(x, cy - i, x + 1, cy + i + 1, ARROW)


# ---------------------------------------------------------------- weather

NO_WEATHER = ["................"] * 8 + ["....SSSSSSSS...."] + ["................"] * 7

SUN = [
    "................",
    ".......RR.......",
    "..R....RR....R..",
    "...R........R...",
    "......RRRR......",
    ".....RYYYYR.....",
    "....RYYWYYYR....",
    "RR..RYWYYYYR..RR",
    "RR..RYYYYYYR..RR",
    "....RYYYYYYR....",
    ".....RYYYYR.....",
    "......RRRR......",
    "...R........R...",
    "..R....RR....R..",
    ".......RR.......",
    "................",
]

CLOUD = [
    "................",
    "................",
    "................",
    "....DDDD........",
    "...DWWWWD.DDD...",
    "..DWWWWWWDWWWD..",
    ".DDWWWWWWWWWWWD.",
    "DWWWWWWWWWWWWWWD",
    "DWWWWWWWWWWWWWWD",
    "DWWWWWWWWWWWWWWD",
    "DSWWWWWWWWWWWWSD",
    ".DSSSSSSSSSSSSD.",
    "..DDDDDDDDDDDD..",
    "................",
    "................",
    "................",
]

RAIN = [
    "................",
    "......DDDD......",
    ".....DSSSSD.....",
    "...DDSSSSSSDD...",
    "..DSSSSSSSSSSD..",
    ".DSSSSSSSSSSSSD.",
    "DSSSSSSSSSSSSSSD",
    "DDSSSSSSSSSSSSDD",
    ".DDDDDDDDDDDDDD.",
    "................",
    "...B....B....B..",
    "..B....B....B...",
    "................",
    ".....B....B.....",
    "....B....B......",
    "................",
]

SNOW = [
    "................",
    ".......B........",
    "....B..B..B.....",
    ".....B.B.B......",
    "..B...BBB...B...",
    "...B..ABA..B....",
    "....BBAWABB.....",
    ".BBBBAWWWABBBB..",
    "....BBAWABB.....",
    "...B..ABA..B....",
    "..B...BBB...B...",
    ".....B.B.B......",
    "....B..B..B.....",
    ".......B........",
    "................",
    "................",
]

THUNDER = [
    "................",
    "......DDDD......",
    ".....DDDDDD.....",
    "...DDDDDDDDDD...",
    "..DDDDDDDDDDDD..",
    ".DDDDDDDDDDDDDD.",
    "DDDDDKKKKDDDDDDD",
    ".KKKKKYYKKKKKKK.",
    "......YYO.......",
    ".....YYO........",
    "....YYYYYO......",
    "......YYO.......",
    ".....YYO........",
    ".....YO.........",
    "....YO..........",
    "................",
]

# ---------------------------------------------------------------- moods

FACE = [
    ".....OOOOOO.....",
    "...OOYYYYYYOO...",
    "..OYYYYYYYYYYO..",
    ".OYYYYYYYYYYYYO.",
    ".OYYYYYYYYYYYYO.",
    "OYYYYYYYYYYYYYYO",
    "OYYYYYYYYYYYYYYO",
    "OYYYYYYYYYYYYYYO",
    "OYYYYYYYYYYYYYYO",
    "OYYYYYYYYYYYYYYO",
    "OYYYYYYYYYYYYYYO",
    ".OYYYYYYYYYYYYO.",
    ".OYYYYYYYYYYYYO.",
    "..OYYYYYYYYYYO..",
    "...OOYYYYYYOO...",
    ".....OOOOOO.....",
]

VERY_HAPPY = overlay(FACE, [
    "................",
    "................",
    "................",
    "................",
    "....K......K....",
    "...K.K....K.K...",
    "................",
    "................",
    "...KKKKKKKKKK...",
    "...KMMMMMMMMK...",
    "....KMRRRRMK....",
    ".....KKKKKK.....",
    "................",
    "................",
    "................",
    "................",
])

SO_SO = overlay(FACE, [
    "................",
    "................",
    "................",
    "................",
    "................",
    "....KK....KK....",
    "....KK....KK....",
    "................",
    "................",
    "................",
    ".....KKKKKK.....",
    "................",
    "................",
    "................",
    "................",
    "................",
])

DOWN = overlay(FACE, [
    "................",
    "................",
    "....N.N..N.N....",
    "....N.N..N.N....",
    "....N.N..N.N....",
    "................",
    "................",
    "....KK....KK....",
    "................",
    "................",
    "................",
    "......KKKK......",
    ".....K....K.....",
    "................",
    "................",
    "................",
])

BAD = overlay(FACE, [
    "................",
    "................",
    "................",
    ".....KK..KK.....",
    "...KK......KK...",
    "................",
    "....KK....KK....",
    "....KK....KK....",
    "....A...........",
    "...AA...........",
    "...AA.KKKK......",
    "....KK....KK....",
    "....K......K....",
    "................",
    "................",
    "................",
])

ANGRY = overlay([row.replace("Y", "R").replace("O", "M") for row in FACE], [
    "................",
    "................",
    "................",
    "...KK......KK...",
    "....KKK..KKK....",
    "......K..K......",
    "....KK....KK....",
    "....KK....KK....",
    "................",
    "................",
    ".....KKKKKK.....",
    "....K......K....",
    "................",
    "................",
    "................",
    "................",
])

EMBARRASSED = overlay(FACE, [
    "................",
    "...........A....",
    "..........AA....",
    "..........AA....",
    "................",
    "...K........K...",
    "....KK....KK....",
    "...K........K...",
    "..FFF......FFF..",
    "..FFF......FFF..",
    "................",
    "......K..K......",
    ".....K.KK.K.....",
    "................",
    "................",
    "................",
])

# A day without a record in an exported diary: a grey face with a question mark.
UNKNOWN_MOOD = overlay([row.replace("Y", "S").replace("O", "D") for row in FACE], [
    "................",
    "................",
    "......KKKK......",
    ".....K....K.....",
    "..........K.....",
    ".........K......",
    "........K.......",
    ".......K........",
    ".......K........",
    ".......K........",
    "................",
    ".......K........",
    ".......K........",
    "................",
    "................",
    "................",
])

# ---------------------------------------------------------------- toolbar

COLOUR = [
    "................",
    "................",
    ".KKKKKKKKKKKKKK.",
    ".KRRRRRKYYYYYYK.",
    ".KRRRRRKYYYYYYK.",
    ".KRRRRRKYYYYYYK.",
    ".KRRRRRKYYYYYYK.",
    ".KRRRRRKYYYYYYK.",
    ".KKKKKKKKKKKKKK.",
    ".KBBBBBKLLLLLLK.",
    ".KBBBBBKLLLLLLK.",
    ".KBBBBBKLLLLLLK.",
    ".KBBBBBKLLLLLLK.",
    ".KBBBBBKLLLLLLK.",
    ".KKKKKKKKKKKKKK.",
    "................",
]



def colour_button(letter):
    """The colour button showing one pen colour: a framed swatch in the colour."""
    return ["." * 16, "." * 16, ".KKKKKKKKKKKKKK."] + \
        [".K" + letter * 12 + "K."] * 11 + [".KKKKKKKKKKKKKK.", "." * 16]


LINE_WIDTH = [
    "................",
    "................",
    "..KKKKKKKKKKKK..",
    "................",
    "................",
    "..KKKKKKKKKKKK..",
    "..KKKKKKKKKKKK..",
    "................",
    "................",
    "..KKKKKKKKKKKK..",
    "..KKKKKKKKKKKK..",
    "..KKKKKKKKKKKK..",
    "..KKKKKKKKKKKK..",
    "................",
    "................",
    "................",
]

PENCIL = [
    "................",
    "...........KK...",
    "..........KRRK..",
    ".........KRRRRK.",
    "........KWKRRK..",
    ".......KYYWKK...",
    "......KYYOYK....",
    ".....KYYOYK.....",
    "....KYYOYK......",
    "...KYYOYK.......",
    "..KWYOYK........",
    "..KWWOK.........",
    ".KWWWK..........",
    ".KKWK...........",
    ".KKK............",
    "................",
]

RULED = [
    "................",
    "..DDDDDDDDDDDD..",
    "..DWWRWWWWWWWD..",
    "..DWWRWWWWWWWD..",
    "..DBBRBBBBBBBD..",
    "..DWWRWWWWWWWD..",
    "..DWWRWWWWWWWD..",
    "..DBBRBBBBBBBD..",
    "..DWWRWWWWWWWD..",
    "..DWWRWWWWWWWD..",
    "..DBBRBBBBBBBD..",
    "..DWWRWWWWWWWD..",
    "..DWWRWWWWWWWD..",
    "..DBBRBBBBBBBD..",
    "..DDDDDDDDDDDD..",
    "................",
]

# ---------------------------------------------------------------- program icon

ICON_16 = [
    "................",
    "..NNNNNNNNNNN...",
    ".DNTTTTTTTTTTN..",
    "..NTTTTTTTTTTN..",
    ".DNTWWWWWWWTTN..",
    "..NTWKKKKKWTTN..",
    ".DNTWWWWWWWTTN..",
    "..NTTTTTTTTTTNKK",
    ".DNTTTTTTTTTKRRK",
    "..NTTTTTTTTKYKK.",
    ".DNTTTTTTTKYYK..",
    "..NTTTTTTKYYK...",
    ".DNTTTTTKWYK....",
    "..NNNNNNKWKN....",
    "........KK......",
    "................",
]

def draw_icon_32():
    """A teal notebook with a spiral binding and a label, and a pencil across its corner."""
    icon = Picture(32, 32, None)
    icon.fill(7, 4, 29, 30, BLACK)              # shadow
    icon.fill(5, 2, 27, 28, NAVY)               # cover edge
    icon.fill(6, 3, 26, 27, TEAL)
    icon.fill(10, 6, 23, 13, WHITE)             # label with two lines of writing
    icon.fill(12, 8, 21, 9, BLACK)
    icon.fill(12, 10, 18, 11, BLACK)
    for y in range(5, 27, 4):                   # spiral rings over the left edge
        icon.fill(2, y, 9, y + 1, SILVER)
        icon.fill(2, y + 1, 9, y + 2, GRAY)
        icon.put(2, y, GRAY)
    # The pencil lies along the diagonal x + y = 45: `across` is the distance from that
    # line, `along` runs from the point (bottom left) to the eraser (top right).
    for y in range(32):
        for x in range(32):
            across, along = x + y - 45, x - y
            if abs(across) > 3 or not -17 <= along <= 18:
                continue
            if along > 14:
                colour = RED                            # eraser
            elif along > 11:
                colour = SILVER                         # metal band
            elif along > -8:
                colour = {-2: WHITE, -1: YELLOW, 0: YELLOW}.get(across, OLIVE)
            elif abs(across) <= (along + 17) * 3 // 9:  # sharpened wood, then the lead
                colour = BLACK if along < -13 else WHITE
            else:
                continue
            if abs(across) == 3 or along == 18:
                colour = BLACK
            icon.put(x, y, colour)
    return icon


def icon_image(picture):
    """The icon's colour picture and its transparency mask (the unpainted pixels)."""
    mask = [[colour is None for colour in row] for row in picture.rows]
    for row in picture.rows:
        row[:] = [BLACK if colour is None else colour for colour in row]
    return picture, mask


def icon_from_map(pixel_map, size):
    check_map(pixel_map, size)
    picture = Picture(size, size, None)
    picture.paste(0, 0, pixel_map)
    return icon_image(picture)


# ---------------------------------------------------------------- GIF images

# An exported diary names these images; each is drawn from the page icon of the same
# meaning. "weather.gif" stands for no weather chosen, "unknow.gif" for a day without
# a record.
SAMPLE_IMAGES = {
    "weather.gif": NO_WEATHER, "fine.gif": SUN, "cloud.gif": CLOUD, "rain.gif": RAIN,
    "snow.gif": SNOW, "light.gif": THUNDER,
    "max.gif": VERY_HAPPY, "soso.gif": SO_SO, "blue.gif": DOWN, "bad.gif": BAD,
    "anger.gif": ANGRY, "shame.gif": EMBARRASSED, "unknow.gif": UNKNOWN_MOOD,
}
SAMPLE_SCALE = 2
GIF_TRANSPARENT = 16   # the first index after the 16 colours; the table has 32 entries


def scaled_map(picture_map, scale):
    """A pixel map blown up by `scale`, each pixel a square of scale x scale."""
    return ["".join(letter * scale for letter in row) for row in picture_map for _ in range(scale)]


def lzw_codes(indexes, min_code_size):
    """GIF's variable-length LZW: (code, width) pairs, starting with a clear code and
    ending with the end code. The width grows once the next free code no longer fits,
    and the table starts again (a clear code) when it is full at 4096 entries."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    codes = [(clear, min_code_size + 1)]

    def reset():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    run = ()
    for index in indexes:
        longer = run + (index,)
        if longer in table:
            run = longer
            continue
        codes.append((table[run], width))
        if next_code < 4096:
            table[longer] = next_code
            next_code += 1
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            codes.append((clear, width))
            table, next_code, width = reset()
        run = (index,)
    if run:
        codes.append((table[run], width))
    codes.append((end, width))
    return codes


def pack_codes(codes):
    """Codes packed from the least significant bit up, cut into sub-blocks of at most
    255 bytes, each after its length, then the zero-length block."""
    data, accumulator, bits = bytearray(), 0, 0
    for code, width in codes:
        accumulator |= code << bits
        bits += width
        while bits >= 8:
            data.append(accumulator & 0xFF)
            accumulator >>= 8
            bits -= 8
    if bits:
        data.append(accumulator)
    blocks = bytearray()
    for start in range(0, len(data), 255):
        chunk = data[start:start + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks) + b"\x00"


def gif_bytes(pixel_map):
    """GIF89a with one image, the 16 colours (padded to 32 entries) and index 16
    transparent, for '.' in the map."""
    width, height = len(pixel_map[0]), len(pixel_map)
    indexes = [GIF_TRANSPARENT if letter == "." else LETTERS.index(letter)
               for row in pixel_map for letter in row]
    palette = VGA + [(255, 255, 255)] * (32 - len(VGA))
    colour_table = b"".join(bytes(colour) for colour in palette)
    screen = struct.pack("<6sHHBBB", b"GIF89a", width, height, 0xF4, GIF_TRANSPARENT, 0)
    control = struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 0x01, 0, GIF_TRANSPARENT, 0)
    descriptor = struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    min_code_size = 5
    return (screen + colour_table + control + descriptor + bytes([min_code_size])
            + pack_codes(lzw_codes(indexes, min_code_size)) + b"\x3B")


def main():
    files = {
        "background.bmp": bmp_bytes(draw_background(), 8, VGA + PAGE_TONES),
        "weather.bmp": bmp_bytes(
            from_maps([NO_WEATHER, SUN, CLOUD, RAIN, SNOW, THUNDER], WHITE), 4, VGA),
        "mood.bmp": bmp_bytes(
            from_maps([VERY_HAPPY, SO_SO, DOWN, BAD, ANGRY, EMBARRASSED], WHITE), 4, VGA),
        "toolbar.bmp": bmp_bytes(
            from_maps([COLOUR, LINE_WIDTH, PENCIL, RULED], SILVER), 4, VGA),
        "colours.bmp": bmp_bytes(
            from_maps([colour_button(letter) for letter in LETTERS], SILVER), 4, VGA),
        "doodlebinder.ico": ico_bytes([icon_from_map(ICON_16, 16), icon_image(draw_icon_32())]),
    }
    for name, picture_map in SAMPLE_IMAGES.items():
        check_map(picture_map, 16)
        files["sample/" + name] = gif_bytes(scaled_map(picture_map, SAMPLE_SCALE))
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else ART
    (folder / "sample").mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        (folder / name).write_bytes(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
