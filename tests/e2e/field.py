#!/usr/bin/env python3
"""Reads the field out of a screenshot of the game's window.

    field.py SHOT.png BITMAPS_DIR

The window's picture holds the menu bar and then the client area, which
shows the top left of the 640 x 440 field. The sprites are found by their
own bitmaps: drawn by OR onto the black field, an image that overlaps nothing
shows exactly its own pixels, so a sprite is wherever every one of its pixels
matches (only the columns the client area shows, for a sprite cut off at the
right edge). Prints one line each, positions in client coordinates:

    client W H          size of the client area
    combs N             honeycombs
    bees N              bees (either wing position)
    ball X Y            the ball, or "ball none" / "ball many"
    paddle X Y          likewise
    magenta N           pure magenta pixels in the score line's 20 rows
    stray N             non-black pixels outside every sprite and the score line
"""
import subprocess
import sys


def load(path):
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                          capture_output=True).stdout
    fields = data.split(maxsplit=4)
    assert fields[0] == b"P6"
    w, h = int(fields[1]), int(fields[2])
    pixels = fields[4]
    return w, h, [pixels[y * w * 3:(y + 1) * w * 3] for y in range(h)]


def find(rows, w, h, image):
    """Top-left corners where image shows, allowing a cut at the right edge."""
    iw, ih, irows = image
    black = b"\0\0\0"
    # The first row that holds something, and its first drawn pixel: a short
    # stretch from there is what we search for.
    r0 = next(r for r in range(ih) if irows[r] != black * iw)
    a = next(x for x in range(iw) if irows[r0][x * 3:x * 3 + 3] != black)
    key = irows[r0][a * 3:min(iw, a + 6) * 3]
    hits = []
    for y in range(0, h - ih + 1):
        row = rows[y + r0]
        pos = row.find(key)
        while pos >= 0:
            if pos % 3 == 0:
                x = pos // 3 - a
                seen = min(iw, w - x)
                if x >= 0 and seen * 2 >= iw and all(
                        rows[y + r][x * 3:(x + seen) * 3] == irows[r][:seen * 3] for r in range(ih)):
                    hits.append((x, y, iw, ih))
            pos = row.find(key, pos + 1)
    return hits


def main():
    shot, bitmaps = sys.argv[1], sys.argv[2]
    w, h, rows = load(shot)
    # The client area starts below the menu bar, at the first black row.
    top = next(y for y in range(h) if rows[y][:3] == b"\0\0\0")
    rows = rows[top:]
    h -= top
    print("client", w, h)
    images = {name: load(f"{bitmaps}/{name}.bmp") for name in
              ("comb", "bee_a", "bee_b", "ball", "paddle")}
    found = {name: find(rows, w, h, image) for name, image in images.items()}
    print("combs", len(found["comb"]))
    print("bees", len(found["bee_a"]) + len(found["bee_b"]))
    for name in ("ball", "paddle"):
        hits = found[name]
        where = f"{hits[0][0]} {hits[0][1]}" if len(hits) == 1 else ("none" if not hits else "many")
        print(name, where)
    magenta = sum(rows[y][x * 3:x * 3 + 3] == b"\xff\0\xff" for y in range(min(20, h)) for x in range(w))
    print("magenta", magenta)
    covered = [bytearray(w) for _ in range(h)]
    for hits in found.values():
        for x, y, iw, ih in hits:
            for r in range(y, min(h, y + ih)):
                covered[r][x:min(w, x + iw)] = b"\1" * (min(w, x + iw) - x)
    stray = 0
    for y in range(20, h):
        row = rows[y]
        for x in range(w):
            if not covered[y][x] and row[x * 3:x * 3 + 3] != b"\0\0\0":
                stray += 1
    print("stray", stray)


if __name__ == "__main__":
    main()
