# SPDX-License-Identifier: MIT
"""Draws pemtos's tree-form illustrations and its application icons.

Run from the repository root:

    python3 tools/generate_art.py

Every run rewrites, byte for byte identically:

    window/art/pictureN.bmp, window/art/pictureN@2x.bmp
        grey pen drawings, 24-bit uncompressed BMP
    packaging/icons/pemtos.ico
        classic icon: 32x32 and 16x16 in 16 colours, 32x32 monochrome
    packaging/icons/hicolor/<n>x<n>/apps/org.pemtos.Pemtos.png
        RGBA icons for desktop themes
    platform/web/icons/icon-<n>.png
        the same icon at the sizes browsers, phones and app installs ask for

Only the standard library is used.  A small supersampling rasteriser fills
polygons, ellipses and round-capped strokes; the BMP, ICO and PNG writers
are built from struct and zlib.  Randomness comes from a private xorshift
generator with fixed seeds, so nothing depends on the Python version.
"""

import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_DIR = os.path.join(ROOT, "window", "art")
ICON_DIR = os.path.join(ROOT, "packaging", "icons")
WEB_ICON_DIR = os.path.join(ROOT, "platform", "web", "icons")


# ---------------------------------------------------------------------------
# Rasteriser
#
# Drawing code works in "logical" pixels: at 1x one logical pixel is one
# device pixel, at 2x it is two.  Geometry scales with the device, but pen
# widths grow more slowly (PEN_GROWTH) so the 2x drawings get a finer line
# rather than a fattened copy of the 1x one.  Each device pixel is sampled
# SS x SS times and the samples are averaged, which anti-aliases edges.

SS = 4
PEN_GROWTH = 0.7


class Raster:
    """Shape-to-span conversion shared by the grey and colour canvases."""

    def __init__(self, width, height, scale=1):
        self.width = width * scale
        self.height = height * scale
        self.scale = scale
        self.k = scale * SS                      # logical -> sample units
        self.pen_k = (scale ** PEN_GROWTH) * SS  # pen width -> sample units
        self.sw = self.width * SS
        self.sh = self.height * SS

    # -- spans: (row, first column, end column) in sample units ------------

    def _span(self, row, xa, xb):
        i0 = max(0, math.ceil(xa - 0.5))
        i1 = min(self.sw, math.ceil(xb - 0.5))
        if i1 > i0:
            yield row, i0, i1

    def _rows(self, ymin, ymax):
        return range(max(0, math.ceil(ymin - 0.5)),
                     min(self.sh - 1, math.floor(ymax - 0.5)) + 1)

    def _polygon_spans(self, pts):
        """Even-odd scanline fill of a polygon given in sample units."""
        n = len(pts)
        edges = []
        for i in range(n):
            (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
            if y0 != y1:
                edges.append((x0, y0, x1, y1))
        ys = [p[1] for p in pts]
        for row in self._rows(min(ys), max(ys)):
            y = row + 0.5
            xs = sorted(x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                        for x0, y0, x1, y1 in edges
                        if (y0 <= y < y1) or (y1 <= y < y0))
            for a, b in zip(xs[0::2], xs[1::2]):
                yield from self._span(row, a, b)

    def _ellipse_spans(self, cx, cy, rx, ry):
        if rx <= 0 or ry <= 0:
            return
        for row in self._rows(cy - ry, cy + ry):
            dy = (row + 0.5 - cy) / ry
            if dy * dy < 1.0:
                half = rx * math.sqrt(1.0 - dy * dy)
                yield from self._span(row, cx - half, cx + half)

    # -- public drawing operations, logical coordinates ---------------------

    def fill_polygon(self, pts, paint):
        k = self.k
        self._paint(self._polygon_spans([(x * k, y * k) for x, y in pts]),
                    paint)

    def fill_rect(self, x0, y0, x1, y1, paint):
        self.fill_polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], paint)

    def fill_ellipse(self, cx, cy, rx, ry, paint):
        k = self.k
        self._paint(self._ellipse_spans(cx * k, cy * k, rx * k, ry * k),
                    paint)

    def stroke(self, pts, width, paint, closed=False):
        """Round-capped, round-joined polyline."""
        k = self.k
        r = max(width * self.pen_k / 2, 0.5)
        p = [(x * k, y * k) for x, y in pts]
        if closed:
            p.append(p[0])
        for (ax, ay) in p:
            self._paint(self._ellipse_spans(ax, ay, r, r), paint)
        for (ax, ay), (bx, by) in zip(p, p[1:]):
            dx, dy = bx - ax, by - ay
            length = math.hypot(dx, dy)
            if length == 0:
                continue
            nx, ny = -dy / length * r, dx / length * r
            quad = [(ax + nx, ay + ny), (bx + nx, by + ny),
                    (bx - nx, by - ny), (ax - nx, ay - ny)]
            self._paint(self._polygon_spans(quad), paint)


class GreyCanvas(Raster):
    """Ink on white paper.  Ink is darkness 0..1; overlapping ink keeps the
    darker of the two, so a grey stroke never lightens a black one."""

    def __init__(self, width, height, scale=1):
        super().__init__(width, height, scale)
        self.buf = bytearray(self.sw * self.sh)
        self._tables = {}

    def _paint(self, spans, ink):
        level = max(0, min(255, round(ink * 255)))
        table = self._tables.get(level)
        if table is None:
            table = bytes(max(i, level) for i in range(256))
            self._tables[level] = table
        buf, sw = self.buf, self.sw
        for row, a, b in spans:
            o = row * sw
            buf[o + a:o + b] = buf[o + a:o + b].translate(table)

    def erase(self, pts):
        """Paper-white knockout, so a nearer shape can hide what is behind."""
        k, buf, sw = self.k, self.buf, self.sw
        for row, a, b in self._polygon_spans([(x * k, y * k) for x, y in pts]):
            buf[row * sw + a:row * sw + b] = bytes(b - a)

    def pixels(self):
        """Grey levels 0..255 (255 = white), rows top to bottom."""
        out = []
        n = SS * SS
        buf, sw = self.buf, self.sw
        for y in range(self.height):
            sums = [0] * self.width
            for sub in range(SS):
                o = (y * SS + sub) * sw
                line = buf[o:o + sw]
                for x in range(self.width):
                    sums[x] += sum(line[x * SS:x * SS + SS])
            out.append([255 - (s + n // 2) // n for s in sums])
        return out


class ColourCanvas(Raster):
    """Opaque paint on a transparent sheet; later shapes cover earlier ones."""

    def __init__(self, width, height, scale=1):
        super().__init__(width, height, scale)
        size = self.sw * self.sh
        self.planes = [bytearray(size) for _ in range(4)]  # r, g, b, a

    def _paint(self, spans, rgba):
        sw = self.sw
        for row, a, b in spans:
            o = row * sw
            for plane, value in zip(self.planes, rgba):
                plane[o + a:o + b] = bytes([value]) * (b - a)

    def pixels_hard(self):
        """RGBA tuples taken from one sample per pixel, without smoothing.
        A 16-colour palette has no in-between shades, so averaged edges
        would only turn into stray grey pixels there."""
        mid = SS // 2
        out = []
        for y in range(self.height):
            o = (y * SS + mid) * self.sw + mid
            out.append([tuple(p[o + x * SS] for p in self.planes)
                        for x in range(self.width)])
        return out

    def pixels(self):
        """RGBA tuples, rows top to bottom; colour averaged by coverage."""
        r, g, b, a = self.planes
        n = SS * SS
        out = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                sa = sr = sg = sb = 0
                for sub in range(SS):
                    o = (y * SS + sub) * self.sw + x * SS
                    for i in range(o, o + SS):
                        w = a[i]
                        sa += w
                        sr += r[i] * w
                        sg += g[i] * w
                        sb += b[i] * w
                if sa == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append(((sr + sa // 2) // sa, (sg + sa // 2) // sa,
                                (sb + sa // 2) // sa, (sa + n // 2) // n))
            out.append(row)
        return out


# ---------------------------------------------------------------------------
# Geometry helpers


class Rng:
    """xorshift32: tiny, and identical on every platform and Python."""

    def __init__(self, seed):
        self.state = (seed * 2654435761) & 0xFFFFFFFF or 1

    def random(self):
        s = self.state
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.state = s
        return s / 4294967296.0

    def uniform(self, a, b):
        return a + (b - a) * self.random()


def lerp(a, b, t):
    return a + (b - a) * t


def quad_curve(p0, p1, p2, n=14):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        pts.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return pts


def cubic_curve(p0, p1, p2, p3, n=18):
    pts = []
    for i in range(n + 1):
        t = i / n
        u = 1 - t
        a, b, c, d = u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t
        pts.append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                    a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))
    return pts


def profile_shape(cx, top, bottom, half_width, n=40):
    """Closed outline symmetric about x = cx.  half_width(v) gives the half
    width at v = 0 (top) .. 1 (bottom); samples bunch up at both ends so
    rounded tips stay round."""
    right = []
    for i in range(n + 1):
        v = (1 - math.cos(math.pi * i / n)) / 2
        right.append((cx + half_width(v), lerp(top, bottom, v)))
    left = [(2 * cx - x, y) for x, y in reversed(right[1:-1])]
    return right + left


def inside(pts, x, y):
    """Even-odd point-in-polygon test."""
    result = False
    n = len(pts)
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        if (y0 > y) != (y1 > y):
            if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                result = not result
    return result


def signed_area(pts):
    return sum(pts[i][0] * pts[(i + 1) % len(pts)][1]
               - pts[(i + 1) % len(pts)][0] * pts[i][1]
               for i in range(len(pts))) / 2


def resample(pts, step):
    """Points spaced about `step` apart along a closed outline."""
    closed = pts + [pts[0]]
    lengths = [math.dist(a, b) for a, b in zip(closed, closed[1:])]
    total = sum(lengths)
    count = max(6, round(total / step))
    out, seg, walked = [], 0, 0.0
    for i in range(count):
        target = total * i / count
        while walked + lengths[seg] < target:
            walked += lengths[seg]
            seg += 1
        t = (target - walked) / lengths[seg] if lengths[seg] else 0
        a, b = closed[seg], closed[seg + 1]
        out.append((lerp(a[0], b[0], t), lerp(a[1], b[1], t)))
    return out


def scallop(pts, step, bulge, rng, bottom_cut=None):
    """Turns a smooth outline into a foliage edge: a chain of small outward
    arcs.  Below `bottom_cut` (a y value) the edge is left smooth, where
    the crown meets the trunk."""
    base = resample(pts, step)
    outward = 1 if signed_area(base) > 0 else -1
    out = []
    n = len(base)
    for i in range(n):
        a, b = base[i], base[(i + 1) % n]
        dx, dy = b[0] - a[0], b[1] - a[1]
        h = bulge * rng.uniform(0.7, 1.3)
        if bottom_cut is not None and min(a[1], b[1]) > bottom_cut:
            h = 0
        # Screen y points down, so the outward normal of a clockwise-on-
        # screen (positive area) outline is (dy, -dx).
        nx, ny = dy * outward, -dx * outward
        for j in range(5):
            t = j / 5
            s = math.sin(math.pi * t) * h
            out.append((a[0] + dx * t + nx * s, a[1] + dy * t + ny * s))
    return out


# ---------------------------------------------------------------------------
# Pen vocabulary shared by the drawings

BLACK = 1.0
DARK = 0.78
MID = 0.6
SOFT = 0.42
PALE = 0.22

OUTLINE = 1.0     # pen width of outlines, logical pixels
FINE = 0.75       # pen width of twigs and texture


def trunk(c, x, y_bottom, y_top, w_bottom, w_top, ink=BLACK):
    """A straight, slightly tapering trunk drawn as a solid pen shape."""
    c.fill_polygon([(x - w_bottom / 2, y_bottom), (x + w_bottom / 2, y_bottom),
                    (x + w_top / 2, y_top), (x - w_top / 2, y_top)], ink)


def ground(c, x0, x1, y, rng, ink=SOFT):
    """A short grey ground line with a few grass ticks."""
    c.stroke([(x0, y), (x1, y)], FINE, ink)
    x = x0 + 1.5
    while x < x1 - 1:
        if rng.random() < 0.35:
            c.stroke([(x, y), (x + rng.uniform(-0.6, 0.6), y - 1.6)], FINE,
                     ink)
        x += 2.2


def leaf_marks(c, shape, rng, step, size, light=(0.3, 0.3), ink=(SOFT, DARK),
               margin=1.2):
    """Small "u"-shaped leaf strokes scattered over a crown.  Ink deepens
    away from the light direction `light` (a unit-ish vector pointing at
    the sun, screen coordinates) so the crown reads as a volume."""
    xs = [p[0] for p in shape]
    ys = [p[1] for p in shape]
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    rx, ry = max((x1 - x0) / 2, 1), max((y1 - y0) / 2, 1)
    row = 0
    y = y0 + step * 0.5
    while y < y1:
        x = x0 + (step * 0.5 if row % 2 else 0.0)
        while x < x1:
            px = x + rng.uniform(-0.3, 0.3) * step
            py = y + rng.uniform(-0.3, 0.3) * step
            keep = rng.random()
            if (inside(shape, px, py) and
                    all(inside(shape, px + dx, py + dy) for dx, dy in
                        ((margin, 0), (-margin, 0), (0, margin),
                         (0, -margin)))):
                # -1 on the lit side, +1 on the shaded side.
                shade = -((px - cx) / rx * light[0] + (py - cy) / ry *
                          light[1]) / (abs(light[0]) + abs(light[1]))
                shade = max(-1.0, min(1.0, shade))
                if keep < 0.55 + 0.4 * shade:
                    t = (shade + 1) / 2
                    s = size * rng.uniform(0.8, 1.15)
                    c.stroke([(px - s, py - s * 0.35), (px, py + s * 0.45),
                              (px + s, py - s * 0.35)], FINE,
                             lerp(ink[0], ink[1], t))
            x += step
        y += step * 0.8
        row += 1


def crown(c, shape, rng, step=3.2, bulge=0.32, bottom_cut=None,
          texture=(2.6, 1.1), light=(0.3, 0.3), ink=(SOFT, DARK)):
    """A foliage crown: paper-white inside (hiding branches behind it),
    leaf texture, then a scalloped black outline."""
    edge = scallop(shape, step, bulge, rng, bottom_cut)
    c.erase(edge)
    leaf_marks(c, shape, rng, texture[0], texture[1], light, ink)
    c.stroke(edge, OUTLINE, BLACK, closed=True)
    return edge


def egg(r, widen):
    """Half-width profile of an egg; widen > 0 puts the broad end at the
    bottom, widen < 0 at the top."""
    def half_width(v):
        u = 2 * v - 1
        return r * math.sqrt(max(0.0, 1 - u * u)) * (1 + widen * u)
    return half_width


# ---------------------------------------------------------------------------
# The tree forms.  Each function draws into the visible box w x h (the part
# of the bitmap the window shows); anything right of or below it stays
# white.


def draw_conifer(c, w, h):
    rng = Rng(1)
    cx = w / 2
    base = h - 2
    ground(c, cx - 14, cx + 14, base, rng)
    # Tiers from the bottom up, each nearer tier hiding the one beneath.
    tiers = 7
    top, bottom = 2.0, base - 11
    for i in range(tiers):
        t = i / (tiers - 1)                 # 0 = lowest tier
        y_low = lerp(bottom, top + 14, t)
        y_high = y_low - lerp(17, 12, t)
        half = lerp(w / 2 - 2, 6.5, t)
        if i == tiers - 1:
            y_high = top
        # Ragged lower edge: needle tufts hanging between branch tips.
        teeth = 5
        ragged = [(cx + half * j / teeth, y_low + (2.0 if j % 2 else 0.3))
                  for j in range(1, teeth)]
        tier = ([(cx, y_high), (cx + half, y_low)] + ragged[::-1] +
                [(cx, y_low + 1.2)] +
                [(2 * cx - x, y) for x, y in ragged] + [(cx - half, y_low)])
        c.erase(tier)
        # Needles: short strokes slanting down and away from the trunk,
        # darker on the shaded right-hand side.
        y = y_high + 2.5
        row = 0
        while y < y_low + 1:
            x = cx - half + (1.1 if row % 2 else 0)
            while x < cx + half:
                px = x + rng.uniform(-0.4, 0.4)
                if inside(tier, px, y) and inside(tier, px, y + 1.6):
                    side = 1 if px >= cx else -1
                    ink = MID if side > 0 else SOFT
                    c.stroke([(px, y), (px + side * 1.1, y + 1.3)], FINE,
                             ink)
                x += 2.2
            y += 2.0
            row += 1
        c.stroke(tier, OUTLINE, BLACK, closed=True)
    trunk(c, cx, base, bottom + 1, 3.0, 2.6)


def draw_ovoid_fine(c, w, h):
    rng = Rng(2)
    cx = w / 2
    base = h - 2
    top, bottom = 2.0, base - 17
    ground(c, cx - 12, cx + 12, base, rng)
    shape = profile_shape(cx, top, bottom, egg(w / 2 - 3, 0.18))
    edge = scallop(shape, 2.6, 0.22, rng)
    # Fine branches: the straight leader carries alternate side branches
    # that fork into twigs reaching the edge of the crown.
    trunk(c, cx, base, top + 5, 2.8, 1.0)

    def grow(x, y, angle, length, width, depth):
        x2 = x + math.cos(angle) * length
        y2 = y - math.sin(angle) * length
        if not inside(shape, x2, y2):
            # Shorten until it fits inside the crown.
            for _ in range(6):
                length *= 0.8
                x2 = x + math.cos(angle) * length
                y2 = y - math.sin(angle) * length
                if inside(shape, x2, y2):
                    break
            else:
                return
        mid = ((x + x2) / 2 + rng.uniform(-0.6, 0.6),
               (y + y2) / 2 + rng.uniform(-0.6, 0.6))
        c.stroke(quad_curve((x, y), mid, (x2, y2), 6), width,
                 DARK if depth == 0 else MID)
        if depth < 2:
            for turn in (-0.45, 0.4):
                grow(x2, y2, angle + turn + rng.uniform(-0.15, 0.15),
                     length * 0.62, width * 0.8, depth + 1)

    y = bottom - 3
    side = 1
    while y > top + 7:
        t = (y - top) / (bottom - top)
        half = egg(w / 2 - 3, 0.18)(t)
        angle = math.pi / 2 - side * rng.uniform(0.55, 0.8)
        grow(cx, y, angle, half * 0.75, FINE, 0)
        y -= 3.2
        side = -side
    # Sparse leaves so the crown reads as leafy, not bare.
    leaf_marks(c, shape, rng, 3.4, 0.9, ink=(PALE, SOFT))
    c.stroke(edge, OUTLINE, BLACK, closed=True)


def draw_tall_bare_trunk(c, w, h):
    rng = Rng(3)
    cx = w / 2
    base = h - 2
    ground(c, cx - 10, cx + 10, base, rng)
    top, bottom = 2.0, 36.0

    def half_width(v):
        # Broadest a third of the way down, tapering to the trunk below.
        return (w / 2 - 3) * math.sin(math.pi * v ** 0.75) ** 0.8 * \
            (1 - 0.25 * v)

    shape = profile_shape(cx, top, bottom, half_width)
    trunk(c, cx, base, bottom - 6, 2.4, 1.8)
    # Two limbs fork where the crown begins.
    for side in (-1, 1):
        c.stroke(quad_curve((cx, bottom - 2), (cx + side * 2, bottom - 6),
                            (cx + side * 6, bottom - 12), 6), 1.1, BLACK)
    crown(c, shape, rng, step=3.0, bottom_cut=bottom - 4, texture=(2.5, 1.0))
    trunk(c, cx, base, bottom - 1, 2.4, 1.9)


def draw_round_dense(c, w, h):
    rng = Rng(4)
    cx = w / 2
    base = h - 2
    ground(c, cx - 16, cx + 16, base, rng)
    r = w / 2 - 2
    cy = 2 + r
    trunk(c, cx, base, cy + r - 6, 4.0, 3.0)
    shape = profile_shape(cx, cy - r, cy + r, egg(r, 0.0), 48)
    crown(c, shape, rng, step=3.6, bulge=0.36, texture=(2.1, 1.1),
          ink=(MID, BLACK))
    trunk(c, cx, base, cy + r + 1, 4.0, 3.4)


def draw_columnar(c, w, h):
    rng = Rng(5)
    cx = w / 2
    base = h - 2
    ground(c, cx - 12, cx + 12, base, rng)
    top, bottom = 2.0, base - 10
    r = 9.0

    def half_width(v):
        # Rounded top, parallel sides, slightly narrower at the base.
        u = 2 * v - 1
        return r * (1 - abs(u) ** 5) ** 0.2 * (1 - 0.12 * v)

    trunk(c, cx, base, bottom - 4, 2.8, 2.2)
    shape = profile_shape(cx, top, bottom, half_width)
    crown(c, shape, rng, step=3.0, bulge=0.3, texture=(2.3, 1.0))
    trunk(c, cx, base, bottom + 1, 2.8, 2.4)


def draw_cup(c, w, h):
    rng = Rng(6)
    cx = w / 2
    base = h - 2
    ground(c, cx - 18, cx + 18, base, rng)
    fork = base - 16
    # The crown: flat-ish dome above, its underside rising in a shallow
    # curve so the limbs show below it like the inside of a cup.
    dome_top, rim, half = 3.0, 36.0, w / 2 - 2
    shape = []
    n = 30
    for i in range(n + 1):
        a = math.pi * i / n
        shape.append((cx + half * math.cos(a),
                      rim - (rim - dome_top) * math.sin(a) ** 0.6))
    for i in range(1, n):
        u = 1 - 2 * i / n                     # right to left underside
        shape.append((cx - half * u, rim + 12 * (1 - u * u) - 1))
    shape.reverse()
    # Limbs: a short trunk fanning into several limbs up and out.
    trunk(c, cx, base, fork, 4.2, 3.6)
    for spread, reach in ((-0.95, 0.92), (-0.55, 0.7), (-0.2, 0.45),
                          (0.2, 0.45), (0.55, 0.7), (0.95, 0.92)):
        end = (cx + spread * half * 0.85, rim + 10 * (1 - spread * spread))
        ctrl = (cx + spread * 6, fork - 4)
        c.stroke(quad_curve((cx + spread * 1.2, fork + 1), ctrl, end, 10),
                 1.6 if abs(spread) > 0.5 else 1.2, BLACK)
    crown(c, shape, rng, step=3.4, bulge=0.34, bottom_cut=None,
          texture=(2.5, 1.1))


def draw_weeping(c, w, h):
    rng = Rng(7)
    cx = w / 2
    base = h - 2
    ground(c, 4, w - 4, base, rng)
    top = 4.0
    reach_max = w / 2 - 3
    trunk(c, cx, base, top + 1, 3.6, 2.0)
    # Limbs leave the trunk head, arch outwards and bend down; the highest
    # one reaches furthest, so together they make an umbrella.
    limbs = ((3.0, 1.0, 4.0, 14.0), (7.0, 0.78, 4.0, 11.0),
             (11.0, 0.55, 3.5, 8.0))
    for side in (-1, 1):
        for k, (start_y, reach, rise, drop) in enumerate(limbs):
            r = reach_max * reach
            start = (cx, top + start_y)
            end = (cx + side * r, top + start_y + drop)
            arch = cubic_curve(start, (cx + side * r * 0.35, start[1] - rise),
                               (cx + side * r * 0.85, start[1] - rise),
                               end, 18)
            c.stroke(arch, 1.3 if k == 0 else 1.0, BLACK)
            # Curtains of hanging twigs trail from the arch towards the
            # ground; the outermost hang longest.
            for i in range(4 + k % 3, len(arch), 3):
                px, py = arch[i]
                t = i / (len(arch) - 1)
                length = (base - 6 - py) * lerp(0.55, 1.0, t) * \
                    rng.uniform(0.85, 1.0)
                sway = side * rng.uniform(0.2, 1.0)
                strand = quad_curve((px, py), (px + sway, py + length * 0.5),
                                    (px + sway * 0.5, py + length), 8)
                c.stroke(strand, FINE, MID if k == 0 else SOFT)
                for sx, sy in strand[2::2]:
                    c.stroke([(sx - 0.7, sy - 0.9), (sx, sy)], FINE, DARK)


def draw_palm(c, w, h):
    rng = Rng(8)
    cx = w / 2
    base = h - 2
    ground(c, cx - 10, cx + 10, base, rng)
    head = 19.0
    trunk(c, cx, base, head, 3.4, 2.4)
    # Pale leaf scars ringing the trunk.
    y = base - 3
    while y > head + 2:
        c.erase([(cx - 2, y), (cx + 2, y + 0.5), (cx + 2, y + 0.9),
                 (cx - 2, y + 0.4)])
        y -= 3.5
    # Fronds: arching midribs, as (tip, bend) offsets from the crown of the
    # trunk in units of the half width, with leaflets on both sides.
    half = w / 2 - 2
    fronds = (((-0.98, 0.5), (-0.5, -0.3)), ((-0.8, -0.0), (-0.4, -0.5)),
              ((-0.45, -0.4), (-0.22, -0.6)), ((0.04, -0.65), (-0.08, -0.4)),
              ((0.45, -0.4), (0.22, -0.6)), ((0.8, -0.0), (0.4, -0.5)),
              ((0.98, 0.5), (0.5, -0.3)))
    for (ex, ey), (bx, by) in fronds:
        rib = quad_curve((cx, head), (cx + bx * half, head + by * half),
                         (cx + ex * half, head + ey * half), 14)
        c.stroke(rib, 1.1, BLACK)
        for i in range(2, len(rib)):
            px, py = rib[i]
            t = i / len(rib)
            leaf = 3.2 * (1 - abs(2 * t - 1) * 0.6)
            dx = rib[i][0] - rib[i - 1][0]
            dy = rib[i][1] - rib[i - 1][1]
            d = math.hypot(dx, dy) or 1
            # Leaflets angle back along the rib and droop.
            for s in (-1, 1):
                lx = px + (-dy / d * s - dx / d * 0.6) * leaf
                ly = py + (dx / d * s - dy / d * 0.6) * leaf + leaf * 0.5
                c.stroke([(px, py), (lx, ly)], FINE, DARK)


def draw_flame(c, w, h):
    rng = Rng(10)
    cx = w / 2
    base = h - 2
    ground(c, cx - 10, cx + 10, base, rng)
    top, bottom = 2.0, base - 4
    r = w / 2 - 4

    def half_width(v):
        # Pointed tip, broadest two-thirds down, rounded base.
        return r * (v * math.sqrt(max(0.0, 1 - v)) / 0.385) ** 0.9 * \
            (1 + 0.05 * math.sin(v * 9))

    trunk(c, cx, base, bottom - 3, 2.6, 2.2)
    shape = profile_shape(cx, top, bottom, half_width)
    crown(c, shape, rng, step=2.8, bulge=0.3, texture=(2.0, 1.0),
          ink=(MID, BLACK))


def draw_egg_on_stem(c, w, h):
    rng = Rng(11)
    cx = w / 2
    base = h - 2
    ground(c, cx - 10, cx + 10, base, rng)
    top, bottom = 2.0, 54.0
    trunk(c, cx, base, bottom - 4, 1.7, 1.4)
    shape = profile_shape(cx, top, bottom, egg(w / 2 - 3, 0.12))
    crown(c, shape, rng, step=3.0, bulge=0.3, texture=(2.1, 1.0),
          ink=(MID, BLACK))


def draw_fan_shrub(c, w, h):
    rng = Rng(12)
    cx = w / 2
    base = h - 2
    ground(c, cx - 12, cx + 12, base, rng)
    foot = base - 3
    # The crown fans out from a narrow base: a wedge capped by a broad arc.
    half = w / 2 - 2
    shape = [(cx - 2.5, foot - 3), (cx + 2.5, foot - 3)]
    n = 24
    for i in range(n + 1):
        a = math.radians(lerp(10, 170, i / n))
        shape.append((cx + half * math.cos(a),
                      foot - 6 - (foot - 8) * math.sin(a) ** 0.7))
    crown(c, shape, rng, step=3.4, bulge=0.33, bottom_cut=foot - 12,
          texture=(2.5, 1.1))
    # The short base: stems fanning out of the ground into the crown.
    for a in (62, 78, 90, 102, 118):
        ang = math.radians(a)
        c.stroke([(cx + math.cos(ang) * 0.5, base),
                  (cx + math.cos(ang) * 6, base - math.sin(ang) * 6)],
                 1.0, BLACK)


def draw_multi_stem(c, w, h):
    rng = Rng(13)
    base = h - 2
    ground(c, 6, w - 6, base, rng)
    # Five stems from one clump, rising side by side and fanning slightly.
    feet = [w / 2 + d for d in (-9.0, -4.5, 0.0, 4.5, 9.0)]
    tops = [w / 2 + d for d in (-22, -11, 0.0, 11, 22)]
    heights = (16.0, 8.0, 4.0, 9.0, 17.0)
    crowns = []
    for foot, tip, y_top in zip(feet, tops, heights):
        c.stroke(quad_curve((foot, base), (foot + (tip - foot) * 0.2,
                                           base - 14),
                            (tip, y_top + 10), 10), 1.6, BLACK)
        crowns.append((tip, y_top))
    # Each stem carries its own light, open crown.
    for tip, y_top in crowns:
        r = 9.0
        shape = profile_shape(tip, y_top, y_top + 2 * r * 0.9,
                              egg(r * 0.9, 0.1), 24)
        crown(c, shape, rng, step=3.0, bulge=0.3, texture=(2.6, 1.0))


def draw_weeping_shrub(c, w, h):
    rng = Rng(14)
    cx = w / 2
    base = h - 2
    ground(c, 1, w - 1, base, rng)
    reach_max, apex = w / 2 - 2, 5.0
    # Canes spill from the top of the clump, arch over and droop; the
    # longest reach the ground furthest out, shorter ones end in mid-air.
    # Leafy sprays hang from all of them, so no stem shows.
    for k, (rf, end_lift) in enumerate(((1.0, 0.0), (0.74, 9.0),
                                        (0.5, 20.0), (0.26, 14.0))):
        for side in (-1, 1):
            r = reach_max * rf * rng.uniform(0.94, 1.0)
            y0 = apex + k * 1.5
            end_y = base - 0.5 - end_lift * rng.uniform(0.85, 1.0)
            cane = cubic_curve((cx + side * rng.uniform(0.3, 1.5), y0),
                               (cx + side * r * 0.55, y0 - 3.0),
                               (cx + side * r, lerp(y0, end_y, 0.3)),
                               (cx + side * r, end_y), 22)
            c.stroke(cane, 1.2 if k == 0 else 1.0, BLACK)
            for i in range(2 + k % 3, len(cane) - 1, 3):
                px, py = cane[i]
                length = (base - 1 - py) * rng.uniform(0.4, 0.95)
                if length < 2:
                    continue
                sway = side * rng.uniform(0.2, 1.0)
                spray = quad_curve((px, py), (px + sway, py + length * 0.5),
                                   (px + sway * 0.5, py + length), 6)
                c.stroke(spray, FINE, SOFT)
                for sx, sy in spray[1::2]:
                    c.stroke([(sx - 0.7, sy - 0.9), (sx, sy),
                              (sx + 0.7, sy - 0.9)], FINE, DARK)


def draw_creeping_mat(c, w, h):
    rng = Rng(15)
    soil = 32.0
    cx = w / 2 - 2
    ground(c, 1, w - 1, soil + 0.5, rng)
    # Branches creep out flat from one rootstock, each no higher than a
    # hand's breadth, and carry upright tufts of leaves along their length.
    branches = ((-1, 36.0, 10.0), (-1, 28.0, 14.0), (-1, 18.0, 6.0),
                (-1, 9.0, 15.0), (1, 38.0, 9.0), (1, 29.0, 14.0),
                (1, 19.0, 6.0), (1, 10.0, 15.0))
    for side, reach, lift in branches:
        # Starting just past the middle lets the two halves interlace.
        start = (cx - side * 1.5, soil - 1)
        end = (cx + side * reach, soil - 1.5 - rng.uniform(0, 1.5))
        run = cubic_curve(start, (cx + side * reach * 0.25, soil - lift),
                          (cx + side * reach * 0.7, soil - lift * 0.6), end,
                          20)
        c.stroke(run, 1.1, BLACK)
        for px, py in run[2::2]:
            tall = rng.uniform(3.0, 4.5)
            for lean in (-0.9, 0.0, 0.9):
                c.stroke([(px, py), (px + lean * 1.3 * tall / 3,
                                     py - tall * (1 - abs(lean) * 0.25))],
                         FINE, DARK if lean == 0 else MID)
    # Where a branch tip touches the soil it roots.
    for tip in (cx - 36, cx + 38):
        c.stroke([(tip, soil - 1.5), (tip, soil + 2)], FINE, DARK)


# (file stem, bitmap width, bitmap height, visible width, visible height,
#  drawing).  The window shows each picture at natural size from the top
#  left, so some are clipped on the right or at the bottom; drawings are
#  laid out inside the visible part.
PICTURES = [
    ("picture1", 48, 79, 48, 79, draw_conifer),
    ("picture2", 51, 80, 47, 80, draw_ovoid_fine),
    ("picture3", 42, 77, 39, 77, draw_tall_bare_trunk),
    ("picture4", 57, 83, 57, 79, draw_round_dense),
    ("picture5", 47, 81, 47, 81, draw_columnar),
    ("picture6", 73, 76, 73, 76, draw_cup),
    ("picture7", 73, 73, 73, 73, draw_weeping),
    ("picture8", 48, 75, 48, 71, draw_palm),
    ("picture10", 41, 76, 41, 76, draw_flame),
    ("picture11", 37, 76, 37, 76, draw_egg_on_stem),
    ("picture12", 75, 52, 75, 52, draw_fan_shrub),
    ("picture13", 64, 55, 64, 55, draw_multi_stem),
    ("picture14", 79, 54, 71, 54, draw_weeping_shrub),
    ("picture15", 89, 60, 79, 55, draw_creeping_mat),
]


# ---------------------------------------------------------------------------
# Application icon: a generic window (dark title band, grey frame, white
# client area) with a small tree in the client area.

ICON_BLACK = (0, 0, 0, 255)
ICON_FRAME = (192, 192, 192, 255)
ICON_TITLE = (0, 0, 128, 255)
ICON_CLIENT = (255, 255, 255, 255)
ICON_BUTTON = (192, 192, 192, 255)
ICON_CROWN = (0, 128, 0, 255)
ICON_TRUNK = (128, 128, 0, 255)
ICON_SHADE = (128, 128, 128, 255)


def icon_layout(s):
    """Whole-pixel rectangles for an s x s icon, so edges stay sharp."""
    inset_x = s // 32
    inset_y = max(1, s // 10)
    line = max(1, s // 32)
    border = max(1, s // 16)
    title = max(3, round(s * 0.19))
    win = (inset_x, inset_y, s - inset_x, s - inset_y)
    bar = (win[0] + line, win[1] + line, win[2] - line,
           win[1] + line + title)
    client = (win[0] + line + border, bar[3] + (1 if s < 32 else border // 2),
              win[2] - line - border, win[3] - line - border)
    return win, line, bar, client


def draw_icon(c, s, mono=False):
    """Draws the icon at s x s on a ColourCanvas.  The monochrome variant
    keeps only black and white: solid title band, black tree."""
    win, line, bar, client = icon_layout(s)
    black = ICON_BLACK
    white = ICON_CLIENT
    c.fill_rect(*win, black)
    c.fill_rect(win[0] + line, win[1] + line, win[2] - line, win[3] - line,
                white if mono else ICON_FRAME)
    c.fill_rect(*bar, black if mono else ICON_TITLE)
    # A close box at the right of the title band.
    bh = bar[3] - bar[1]
    if bh >= 5:
        pad = max(1, bh // 5)
        size = bh - 2 * pad
        bx = bar[2] - pad - size
        c.fill_rect(bx, bar[1] + pad, bx + size, bar[1] + pad + size,
                    white if mono else ICON_BUTTON)
    if not mono and s >= 32:
        # Sunken client edge.
        c.fill_rect(client[0] - 1, client[1] - 1, client[2], client[3],
                    ICON_SHADE)
    elif mono:
        c.fill_rect(client[0] - 1, client[1] - 1, client[2] + 1,
                    client[3] + 1, black)
    c.fill_rect(*client, white)
    # The tree: round crown on a short trunk, centred in the client area.
    cw, ch = client[2] - client[0], client[3] - client[1]
    tx = client[0] + cw / 2
    foot = client[3] - max(0.5, ch * 0.08)
    r = min(cw, ch) * 0.3
    cy = foot - ch * 0.22 - r
    tw = max(1.0, s / 24)
    c.fill_rect(tx - tw / 2, cy, tx + tw / 2, foot,
                black if mono else ICON_TRUNK)
    c.fill_ellipse(tx, cy, r * 1.05, r, black if mono else ICON_CROWN)


def render_icon(s, mono=False, smooth=True):
    c = ColourCanvas(s, s)
    draw_icon(c, s, mono)
    return c.pixels() if smooth else c.pixels_hard()


# Standard 16-colour Windows palette, in index order.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: (sum((a - b) ** 2
                                  for a, b in zip(palette[i], rgb)), i))


# ---------------------------------------------------------------------------
# File writers


def bmp24(pixels):
    """Uncompressed 24-bit BMP of grey levels, bottom-up rows padded to 4
    bytes, with a BITMAPINFOHEADER."""
    height = len(pixels)
    width = len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        for v in row:
            body += bytes((v, v, v))
        body += bytes(stride - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                       len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def ico_image(indices, mask, bits, palette):
    """One BMP-in-ICO image: header with doubled height, palette, XOR
    bitmap of palette indices, AND mask (1 = transparent)."""
    size = len(indices)
    per_byte = 8 // bits
    xor_stride = ((size * bits + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(indices):
        line = bytearray(xor_stride)
        for x, v in enumerate(row):
            shift = (per_byte - 1 - x % per_byte) * bits
            line[x // per_byte] |= v << shift
        xor += line
    andm = bytearray()
    for row in reversed(mask):
        line = bytearray(and_stride)
        for x, m in enumerate(row):
            if m:
                line[x // 8] |= 0x80 >> (x % 8)
        andm += line
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return info + pal + bytes(xor) + bytes(andm)


def ico(images):
    """ICONDIR + ICONDIRENTRYs + images; images are (size, colours, bits,
    data)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0,
                           1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(d for _, _, _, d in images)


def png_rgba(pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    height = len(pixels)
    width = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for px in row:
            raw += bytes(px)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------------------


def build_pictures():
    for stem, width, height, vis_w, vis_h, draw in PICTURES:
        for scale, suffix in ((1, ""), (2, "@2x")):
            c = GreyCanvas(width, height, scale)
            draw(c, vis_w, vis_h)
            write(os.path.join(ART_DIR, stem + suffix + ".bmp"),
                  bmp24(c.pixels()))


def build_icons():
    images = []
    for s, mono in ((32, False), (16, False), (32, True)):
        px = render_icon(s, mono, smooth=False)
        mask = [[1 if a < 128 else 0 for *_, a in row] for row in px]
        if mono:
            palette = [(0, 0, 0), (255, 255, 255)]
        else:
            palette = VGA16
        # Transparent pixels carry index 0 (black) so XOR leaves the screen
        # untouched under a set AND bit.
        idx = [[0 if m else nearest(palette, p[:3])
                for p, m in zip(row, mrow)] for row, mrow in zip(px, mask)]
        bits = 1 if mono else 4
        images.append((s, len(palette), bits,
                       ico_image(idx, mask, bits, palette)))
    write(os.path.join(ICON_DIR, "pemtos.ico"), ico(images))
    for s in (16, 32, 48, 64, 128):
        path = os.path.join(ICON_DIR, "hicolor", "%dx%d" % (s, s), "apps",
                            "org.pemtos.Pemtos.png")
        write(path, png_rgba(render_icon(s)))


def build_web_icons():
    for s in (32, 180, 192, 512):
        write(os.path.join(WEB_ICON_DIR, "icon-%d.png" % s),
              png_rgba(render_icon(s)))


def main():
    build_pictures()
    build_icons()
    build_web_icons()


if __name__ == "__main__":
    main()
