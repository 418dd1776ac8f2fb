#!/usr/bin/env python3
"""Writes and reads the game's score file for the end-to-end tests.

    score_file.py write FILE NAME=SCORE NAME=SCORE NAME=SCORE
    score_file.py read FILE

The file is the 612-byte image of three 204-byte records (the name as 100
UTF-16LE units ended by a zero unit, then the score as a 32-bit little-endian
number) with every byte 0x0A stored as 0x0D 0x0A. "read" undoes that and
prints, per entry, "SCORE: NAME." as the High Scores dialog shows it, and
"rest zero" or "rest dirty" for the units after the name's zero; then
"length exact" when the file holds exactly the translated image and nothing
more (or "length N" when not).
"""
import struct
import sys


def image_of(entries):
    out = b""
    for name, score in entries:
        units = name.encode("utf-16-le") + b"\0\0"
        out += units + b"\0" * (200 - len(units)) + struct.pack("<I", score)
    return out


def write(path, specs):
    entries = [(s.rsplit("=", 1)[0], int(s.rsplit("=", 1)[1])) for s in specs]
    with open(path, "wb") as f:
        f.write(image_of(entries).replace(b"\n", b"\r\n"))


def read(path):
    raw = open(path, "rb").read()
    image = raw.replace(b"\r\n", b"\n")
    if len(image) < 612:
        print("short", len(image))
        return
    for i in range(3):
        record = image[i * 204:(i + 1) * 204]
        units = record[:200]
        end = next((k for k in range(0, 200, 2) if units[k:k + 2] == b"\0\0"), 200)
        name = units[:end].decode("utf-16-le")
        score = struct.unpack("<i", record[200:204])[0]
        print(f"{score}: {name}.")
        print("rest", "zero" if not any(units[end:]) else "dirty")
    exact = len(image) == 612 and len(raw) == 612 + image.count(b"\n")
    print("length", "exact" if exact else len(raw))


if __name__ == "__main__":
    if sys.argv[1] == "write":
        write(sys.argv[2], sys.argv[3:])
    else:
        read(sys.argv[2])
