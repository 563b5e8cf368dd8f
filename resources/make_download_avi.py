#!/usr/bin/python3
"""Draws "Download.avi", the download dialog's animation: a document that flies in an arc
from one folder into another. The frames are 8-bit palette images stored as RLE8, the
compression that the dialog's animation player reads besides uncompressed frames.

Run once from anywhere: /usr/bin/python3 resources/make_download_avi.py
"""

import math
import os
import struct

WIDTH = 272
HEIGHT = 60
FRAMES = 20
FRAMES_PER_SECOND = 10

# Palette indices; colour 0 is the background, the player's transparent colour.
BACKGROUND, OUTLINE, FOLDER, FOLDER_SHADE, PAPER, TEXT, CORNER, SHADOW = range(8)
PALETTE = [
    (240, 240, 240),
    (40, 40, 40),
    (250, 206, 82),
    (214, 160, 30),
    (255, 255, 255),
    (120, 120, 120),
    (200, 210, 230),
    (200, 200, 200),
]


class Canvas:
    def __init__(self):
        self.rows = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]

    def put(self, x, y, colour):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            self.rows[y][x] = colour

    def fill(self, left, top, width, height, colour):
        for y in range(top, top + height):
            for x in range(left, left + width):
                self.put(x, y, colour)

    def frame(self, left, top, width, height, colour):
        for x in range(left, left + width):
            self.put(x, top, colour)
            self.put(x, top + height - 1, colour)
        for y in range(top, top + height):
            self.put(left, y, colour)
            self.put(left + width - 1, y, colour)


def draw_folder_back(canvas, left, top):
    canvas.fill(left + 2, top, 16, 5, FOLDER_SHADE)
    canvas.frame(left + 2, top, 16, 5, OUTLINE)
    canvas.fill(left, top + 4, 48, 28, FOLDER_SHADE)
    canvas.frame(left, top + 4, 48, 28, OUTLINE)


def draw_folder_front(canvas, left, top, open_front):
    # An open folder's front flap leans down and out.
    drop = 6 if open_front else 2
    for row in range(28 - drop):
        y = top + 4 + drop + row
        slant = (28 - drop - row) // 6 if open_front else 0
        for x in range(left + slant, left + 48 + slant):
            edge = row == 0 or row == 28 - drop - 1 or x == left + slant or x == left + 47 + slant
            canvas.put(x, y, OUTLINE if edge else FOLDER)


def draw_document(canvas, left, top):
    width, height, fold = 18, 24, 6
    canvas.fill(left + 2, top + 2, width, height, SHADOW)
    canvas.fill(left, top, width, height, PAPER)
    canvas.frame(left, top, width, height, OUTLINE)
    for i in range(fold):
        for x in range(left + width - fold + i, left + width):
            canvas.put(x, top + i, BACKGROUND)
        canvas.put(left + width - fold + i, top + i, OUTLINE)
    canvas.fill(left + width - fold, top + fold - 1, fold, 1, OUTLINE)
    canvas.fill(left + width - fold, top, 1, fold, OUTLINE)
    canvas.fill(left + width - fold + 1, top + 1, fold - 2, fold - 2, CORNER)
    for line in range(4):
        canvas.fill(left + 3, top + 8 + line * 4, width - 6 - (line % 2) * 4, 1, TEXT)


def draw_frame(index):
    # The document leaves the left folder from behind its front flap and drops behind the
    # right folder's.
    canvas = Canvas()
    draw_folder_back(canvas, 14, 22)
    draw_folder_back(canvas, 210, 22)
    t = index / FRAMES
    x = round(30 + t * (226 - 30))
    y = round(20 - 18 * math.sin(math.pi * t) + 10 * t)
    draw_document(canvas, x, y)
    draw_folder_front(canvas, 14, 22, open_front=False)
    draw_folder_front(canvas, 210, 22, open_front=True)
    return canvas


def rle8_row(row):
    """Encodes one row: runs of a repeated colour as (count, colour), other stretches of at
    least three pixels in absolute mode (0, n, pixels, padded to an even length)."""
    out = bytearray()
    i = 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        start = i
        while i < len(row) and i - start < 255:
            if i + 1 < len(row) and row[i + 1] == row[i]:
                break
            i += 1
        literal = row[start:i]
        if len(literal) >= 3:
            out += bytes((0, len(literal))) + bytes(literal)
            if len(literal) % 2:
                out.append(0)
        else:
            for colour in literal:
                out += bytes((1, colour))
    return out


def rle8_frame(canvas):
    out = bytearray()
    for row in reversed(canvas.rows):  # device-independent bitmaps run bottom-up
        out += rle8_row(row)
        out += b"\x00\x00"
    out[-2:] = b"\x00\x01"  # the last row ends the bitmap
    return bytes(out)


def chunk(fourcc, data):
    padding = b"\x00" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + padding


def riff_list(kind, fourcc, children):
    body = fourcc + b"".join(children)
    return kind + struct.pack("<I", len(body)) + body


def build_avi():
    frames = [rle8_frame(draw_frame(i)) for i in range(FRAMES)]
    largest = max(len(f) for f in frames)
    microseconds = 1000000 // FRAMES_PER_SECOND

    avih = struct.pack("<14I", microseconds, largest * FRAMES_PER_SECOND, 0, 0x10, FRAMES, 0, 1,
                       largest, WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIiI4h", b"vids", b"mrle", 0, 0, 0, 0, 1, FRAMES_PER_SECOND,
                       0, FRAMES, largest, -1, 0, 0, 0, WIDTH, HEIGHT)
    palette = b"".join(struct.pack("<4B", b, g, r, 0) for (r, g, b) in PALETTE)
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, WIDTH * HEIGHT, 0, 0,
                       len(PALETTE), 0) + palette

    movi_chunks = [chunk(b"00dc", f) for f in frames]
    index = bytearray()
    offset = 4  # from the "movi" type to each chunk's header
    for data, encoded in zip(frames, movi_chunks):
        index += struct.pack("<4sIII", b"00dc", 0x10, offset, len(data))
        offset += len(encoded)

    hdrl = riff_list(b"LIST", b"hdrl", [chunk(b"avih", avih),
                                        riff_list(b"LIST", b"strl", [chunk(b"strh", strh),
                                                                     chunk(b"strf", strf)])])
    movi = riff_list(b"LIST", b"movi", movi_chunks)
    return riff_list(b"RIFF", b"AVI ", [hdrl, movi, chunk(b"idx1", bytes(index))])


def main():
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "Download.avi")
    with open(target, "wb") as f:
        f.write(build_avi())


if __name__ == "__main__":
    main()
