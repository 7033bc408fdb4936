#!/usr/bin/env python3
"""Writes the small images the tool libraries' dialogs use, so that no binary
image has to live in the repository:

  make_resources.py OUTDIR

OUTDIR/app.ico, split.ico, join.ico, browse.ico (16x16 and 32x32, 32-bit with
mask) and OUTDIR/progress.avi (uncompressed 8-bit frames, which every
animation control plays, Wine's included).
"""
import os
import struct
import sys

TRANSPARENT = None


def shape_app(x, y, n):
    # A blue tile with a white bar: the library's own icon.
    m = n // 8
    if m <= x < n - m and m <= y < n - m:
        if n // 2 - m <= y < n // 2 + m // 2 + 1 and 2 * m <= x < n - 2 * m:
            return (255, 255, 255)
        return (40, 90, 200)
    return TRANSPARENT


def page(x, y, left, top, w, h):
    if left <= x < left + w and top <= y < top + h:
        if x in (left, left + w - 1) or y in (top, top + h - 1):
            return (60, 60, 60)
        return (250, 250, 250)
    return None


def shape_split(x, y, n):
    # A page cut in two, the halves apart.
    h = n // 2 - 1
    top = page(x, y, n // 8, 0, n * 5 // 8, h)
    bottom = page(x, y, n * 3 // 8, n - h, n * 5 // 8, h)
    return top or bottom or TRANSPARENT


def shape_join(x, y, n):
    # Two pages overlapping into one.
    back = page(x, y, 0, 0, n * 5 // 8, n * 3 // 4)
    front = page(x, y, n * 3 // 8, n // 4, n * 5 // 8, n * 3 // 4)
    return front or back or TRANSPARENT


def shape_browse(x, y, n):
    # A yellow folder.
    tab = n // 3
    if n // 8 <= y < n // 4 and 0 <= x < tab:
        return (200, 160, 30)
    if n // 4 <= y < n - n // 8:
        if y in (n // 4, n - n // 8 - 1) or x in (0, n - 1):
            return (150, 110, 10)
        return (250, 210, 70)
    return TRANSPARENT


def icon_image(shape, n):
    # BITMAPINFOHEADER with doubled height (colour + mask), bottom-up rows.
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    row_bytes = ((n + 31) // 32) * 4
    for y in reversed(range(n)):
        bits = 0
        mask_row = bytearray(row_bytes)
        for x in range(n):
            c = shape(x, y, n)
            if c is None:
                colour += bytes((0, 0, 0, 0))
                mask_row[x // 8] |= 0x80 >> (x % 8)
            else:
                colour += bytes((c[2], c[1], c[0], 255))
        mask += mask_row
    return header + bytes(colour) + bytes(mask)


def write_icon(path, shape):
    images = [icon_image(shape, n) for n in (16, 32)]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def write_avi(path):
    width, height, frames = 64, 24, 8
    palette = [(255, 255, 255), (60, 60, 60), (250, 250, 250), (40, 90, 200)] + [(0, 0, 0)] * 252
    stride = (width + 3) & ~3
    images = []
    for f in range(frames):
        pixels = bytearray()
        for y in reversed(range(height)):
            row = bytearray(stride)
            for x in range(width):
                # A page travelling from left to right over a blue track.
                px = 4 + f * 6
                if 4 <= y < 20 and px <= x < px + 12:
                    row[x] = 1 if x in (px, px + 11) or y in (4, 19) else 2
                elif y == 21:
                    row[x] = 3
                else:
                    row[x] = 0
            pixels += row
        images.append(bytes(pixels))
    frame_size = len(images[0])
    usec = 100000
    avih = struct.pack("<IIIIIIIIII4I", usec, frame_size * 10, 0, 0x10, frames, 0, 1, frame_size,
                       width, height, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1, 10, 0, frames,
                       frame_size, 0xFFFFFFFF, 0, 0, 0, width, height)
    bih = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, frame_size, 0, 0, 256, 256)
    strf = bih + b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)
    movi_data = b""
    index = b""
    for image in images:
        # idx1 offsets count from the "movi" fourcc.
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_data), len(image))
        movi_data += chunk(b"00db", image)
    movi = riff_list(b"LIST", b"movi", movi_data)
    body = hdrl + movi + chunk(b"idx1", index)
    with open(path, "wb") as f:
        f.write(riff_list(b"RIFF", b"AVI ", body))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_icon(os.path.join(out, "app.ico"), shape_app)
    write_icon(os.path.join(out, "split.ico"), shape_split)
    write_icon(os.path.join(out, "join.ico"), shape_join)
    write_icon(os.path.join(out, "browse.ico"), shape_browse)
    write_avi(os.path.join(out, "progress.avi"))


if __name__ == "__main__":
    main()
