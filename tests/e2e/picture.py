"""Pictures of the game, read back by the sprites' own bitmaps.

Drawn by OR onto the black field, a sprite that overlaps nothing shows
exactly its own pixels, so a sprite is wherever every one of its pixels
matches (only the columns a picture shows, for one cut at its right edge)."""
import pathlib
import re
import subprocess

BITMAPS = pathlib.Path(__file__).resolve().parents[2] / "resources" / "bitmaps"


class Picture:
    def __init__(self, width, height, rows):
        self.w, self.h, self.rows = width, height, rows

    @classmethod
    def load(cls, path):
        data = subprocess.run(["convert", str(path), "-depth", "8", "ppm:-"], check=True,
                              capture_output=True).stdout
        # The header ends at one whitespace byte: the pixels after it may
        # start with bytes that read as whitespace too (a grey of 0x20).
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", data)
        w, h, pixels = int(header[1]), int(header[2]), data[header.end():]
        return cls(w, h, [pixels[y * w * 3:(y + 1) * w * 3] for y in range(h)])

    def crop(self, x, y, w, h):
        w, h = max(0, min(w, self.w - x)), max(0, min(h, self.h - y))
        return Picture(w, h, [row[x * 3:(x + w) * 3] for row in self.rows[y:y + h]])

    def pixel(self, x, y):
        return tuple(self.rows[y][x * 3:x * 3 + 3])

    def differing(self, other):
        """Pixels that differ between two pictures of the same size."""
        if (self.w, self.h) != (other.w, other.h):
            return self.w * self.h
        n = 0
        for a, b in zip(self.rows, other.rows):
            if a != b:
                n += sum(a[i:i + 3] != b[i:i + 3] for i in range(0, len(a), 3))
        return n

    def count(self, rgb):
        key = bytes(rgb)
        return sum(row[i:i + 3] == key for row in self.rows for i in range(0, len(row), 3))


_images = {}


def sprite(name):
    if name not in _images:
        _images[name] = Picture.load(BITMAPS / f"{name}.bmp")
    return _images[name]


def find(field, image):
    """Top-left corners where image shows in field."""
    black = b"\0\0\0"
    r0 = next(r for r in range(image.h) if image.rows[r] != black * image.w)
    a = next(x for x in range(image.w) if image.rows[r0][x * 3:x * 3 + 3] != black)
    key = image.rows[r0][a * 3:min(image.w, a + 6) * 3]
    hits = []
    for y in range(0, field.h - image.h + 1):
        row = field.rows[y + r0]
        pos = row.find(key)
        while pos >= 0:
            if pos % 3 == 0:
                x = pos // 3 - a
                seen = min(image.w, field.w - x)
                if x >= 0 and seen * 2 >= image.w and all(
                        field.rows[y + r][x * 3:(x + seen) * 3] == image.rows[r][:seen * 3] for r in range(image.h)):
                    hits.append((x, y))
            pos = row.find(key, pos + 1)
    return hits


def one(hits):
    return f"{hits[0][0]} {hits[0][1]}" if len(hits) == 1 else ("none" if not hits else "many")


def read_field(field, what=("combs", "bees", "ball", "paddle", "score_line")):
    """What the field shows (only what is asked for: the honeycombs take longest)."""
    out = {}
    for name in what:
        if name == "combs":
            out[name] = len(find(field, sprite("comb")))
        elif name == "bees":
            out[name] = len(find(field, sprite("bee_a"))) + len(find(field, sprite("bee_b")))
        elif name == "score_line":
            out[name] = field.crop(0, 0, field.w, 20).count((255, 0, 255)) > 200
        else:
            out[name] = one(find(field, sprite(name)))
    return out
