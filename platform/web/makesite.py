# SPDX-License-Identifier: MIT
"""Builds the site: one folder of static files that any web server can serve.

    python3 makesite.py SITE SOURCE_DIR ART_DIR ICON_DIR MODULE.js MODULE.wasm PAGE

SITE receives the page (PAGE, the index.html with the window written in, and
pemtos.css from SOURCE_DIR), the module (pemtos.js,
pemtos.wasm), the drawings as PNG at 1x and 2x converted from the BMP files in
ART_DIR, the icons, the web app manifest and the service worker, whose cache list
and version are made from the files written. Only the standard library is used.
"""

import hashlib
import json
import os
import shutil
import struct
import sys
import zlib


def read_bmp(path):
    """The pixels of a 24-bit uncompressed BMP file, top row first, as (r, g, b) rows."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(path + ": not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        raise ValueError(path + ": not a 24-bit uncompressed BMP file")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        row = data[start:start + width * 3]
        rows.append([(row[x + 2], row[x + 1], row[x]) for x in range(0, width * 3, 3)])
    if height > 0:  # stored bottom-up
        rows.reverse()
    return width, abs(height), rows


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered(line, previous, bpp):
    """The PNG filter of one scan line that leaves the smallest sum of residues."""
    best = None
    for kind in range(5):
        out = bytearray([kind])
        for i, value in enumerate(line):
            left = line[i - bpp] if i >= bpp else 0
            up = previous[i]
            corner = previous[i - bpp] if i >= bpp else 0
            predictor = (0, left, up, (left + up) // 2, paeth(left, up, corner))[kind]
            out.append((value - predictor) & 0xFF)
        cost = sum(v if v < 128 else 256 - v for v in out[1:])
        if best is None or cost < best[0]:
            best = (cost, out)
    return best[1]


def png(width, height, rows):
    """A PNG file of the rows: 8-bit grey when every pixel is grey, else 8-bit RGB."""
    grey = all(r == g == b for row in rows for r, g, b in row)
    bpp = 1 if grey else 3
    raw = bytearray()
    previous = bytes(width * bpp)
    for row in rows:
        line = bytes(r for r, _, _ in row) if grey else bytes(v for pixel in row for v in pixel)
        raw += filtered(line, previous, bpp)
        previous = line

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", width, height, 8, 0 if grey else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def read_png(path):
    """The pixels of an 8-bit RGBA, non-interlaced PNG file, top row first, as (r, g, b, a) rows."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG file")
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour != 6 or interlace != 0:
        raise ValueError(path + ": not an 8-bit RGBA, non-interlaced PNG file")
    raw, bpp, stride = zlib.decompress(idat), 4, width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = previous[i]
            corner = previous[i - bpp] if i >= bpp else 0
            line[i] = (line[i] + (0, left, up, (left + up) // 2, paeth(left, up, corner))[kind]) & 0xFF
        rows.append([tuple(line[x:x + 4]) for x in range(0, stride, 4)])
        previous = line
    return width, height, rows


def maskable(width, height, rows, size, background):
    """The icon centred on a square of `size` pixels filled with `background`, its
    transparent parts too: the whole icon inside the circle that launchers keep."""
    left, top = (size - width) // 2, (size - height) // 2
    out = [[background] * size for _ in range(size)]
    for y, row in enumerate(rows):
        for x, (r, g, b, a) in enumerate(row):
            out[top + y][left + x] = tuple((value * a + base * (255 - a)) // 255
                                           for value, base in zip((r, g, b), background))
    return size, size, out


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main(site, source, art, icons, module_js, module_wasm, page):
    if os.path.isdir(site):
        shutil.rmtree(site)
    os.makedirs(site)
    written = []

    def put(name, data):
        write(os.path.join(site, name), data)
        written.append(name)

    def copy(name, path):
        with open(path, "rb") as f:
            put(name, f.read())

    copy("index.html", page)
    copy("pemtos.css", os.path.join(source, "pemtos.css"))
    copy("pemtos.js", module_js)
    copy("pemtos.wasm", module_wasm)
    for bmp in sorted(os.listdir(art)):
        if bmp.endswith(".bmp"):
            put("art/" + bmp[:-4] + ".png", png(*read_bmp(os.path.join(art, bmp))))
    icon_list = []
    for icon in sorted(os.listdir(icons), key=lambda name: int(name[5:-4])):
        copy("icons/" + icon, os.path.join(icons, icon))
        size = icon[5:-4]
        icon_list.append({"src": "icons/" + icon, "sizes": size + "x" + size, "type": "image/png"})
    with open(os.path.join(source, "manifest.webmanifest"), encoding="utf-8") as f:
        manifest = f.read()
    # The launchers' own shapes (circles, rounded squares) keep the circle of 80% of an
    # icon marked maskable: the 192-pixel icon, whose window is 180 x 154 pixels, fits
    # it on 320 pixels of the manifest's background colour.
    background = json.loads(manifest.replace("@ICONS@", "[]"))["background_color"]
    put("icons/maskable-320.png", png(*maskable(*read_png(os.path.join(icons, "icon-192.png")), 320,
                                                tuple(bytes.fromhex(background[1:])))))
    icon_list.append({"src": "icons/maskable-320.png", "sizes": "320x320", "type": "image/png", "purpose": "maskable"})
    put("manifest.webmanifest",
        manifest.replace("@ICONS@", json.dumps(icon_list, indent=2).replace("\n", "\n  ")).encode("utf-8"))

    write_worker(site, source, written)


def write_worker(site, source, names):
    """Writes the service worker of SITE: the files `names` to keep, and a version made
    from their names and contents, so that any change to any of them is a new worker."""
    version = hashlib.sha256()
    for name in sorted(names):
        with open(os.path.join(site, name), "rb") as f:
            version.update(name.encode() + b"\0" + f.read())
    with open(os.path.join(source, "sw.js"), encoding="utf-8") as f:
        worker = f.read()
    worker = worker.replace("@VERSION@", version.hexdigest()[:16])
    worker = worker.replace("@FILES@", json.dumps(["./"] + sorted(names), indent=2))
    write(os.path.join(site, "sw.js"), worker.encode("utf-8"))


if __name__ == "__main__":
    if len(sys.argv) != 8:
        sys.exit(__doc__)
    main(*sys.argv[1:])
