#!/usr/bin/env python3
"""Compares freshly taken pictures with the stored golden images.

    CompareImages.py <golden folder> <actual folder> <diff folder>
                     [--channel N] [--pixels N]

A pixel differs when one of its colour channels is more than --channel apart; a picture
fails when more than --pixels of its pixels differ, outside the rectangles that
masks.txt of either folder lists for it. For each failure it prints the count, the
bounding box and a few example pixels, and writes <name>-diff.png into the diff folder:
the actual picture faded, with the differing pixels in red. Exit code 1 when any
picture fails or is missing on either side, 2 for bad arguments.
"""

import argparse
import os
import subprocess
import sys

EXAMPLES = 5


def read_rgb(path):
    """(width, height, bytes of RGB rows) of a PNG, decoded by ImageMagick."""
    size = subprocess.run(["identify", "-format", "%w %h", path + "[0]"], check=True,
                          capture_output=True, text=True).stdout.split()
    pixels = subprocess.run(["convert", path + "[0]", "-alpha", "off", "-depth", "8", "rgb:-"],
                            check=True, capture_output=True).stdout
    width, height = int(size[0]), int(size[1])
    if len(pixels) != width * height * 3:
        raise ValueError(f"{path}: {len(pixels)} bytes of pixels for {width}x{height}")
    return width, height, pixels


def read_masks(folder):
    """Picture name -> list of (left, top, right, bottom)."""
    masks = {}
    path = os.path.join(folder, "masks.txt")
    if not os.path.exists(path):
        return masks
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            fields = line.split()
            if not fields:
                continue
            if len(fields) != 5:
                raise ValueError(f"{path}:{number}: expected a name and four numbers")
            masks.setdefault(fields[0], []).append(tuple(int(f) for f in fields[1:]))
    return masks


def masked_rows(width, height, rects):
    """For each row, the sorted list of masked [left, right) spans."""
    rows = [[] for _ in range(height)]
    for left, top, right, bottom in rects:
        left, right = max(0, left), min(width, right)
        for y in range(max(0, top), min(height, bottom)):
            if left < right:
                rows[y].append((left, right))
    return rows


def differing_pixels(width, height, expected, actual, channel, rects):
    """The (x, y) of every pixel outside the masks with a channel more than `channel` apart."""
    masked = masked_rows(width, height, rects)
    found = []
    stride = width * 3
    for y in range(height):
        row = slice(y * stride, (y + 1) * stride)
        if expected[row] == actual[row]:
            continue
        for x in range(width):
            i = y * stride + x * 3
            if all(abs(expected[i + c] - actual[i + c]) <= channel for c in range(3)):
                continue
            if any(left <= x < right for left, right in masked[y]):
                continue
            found.append((x, y))
    return found


def write_diff(path, width, height, actual, pixels):
    faded = bytearray(255 - (255 - value) // 4 for value in actual)
    for x, y in pixels:
        i = (y * width + x) * 3
        faded[i:i + 3] = b"\xff\x00\x00"
    subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", "rgb:-", path],
                   input=bytes(faded), check=True)


def colour(pixels, width, x, y):
    i = (y * width + x) * 3
    return "#%02x%02x%02x" % tuple(pixels[i:i + 3])


def compare(name, golden_folder, actual_folder, diff_folder, args, masks):
    expected_path = os.path.join(golden_folder, name)
    actual_path = os.path.join(actual_folder, name)
    ew, eh, expected = read_rgb(expected_path)
    aw, ah, actual = read_rgb(actual_path)
    if (ew, eh) != (aw, ah):
        print(f"FAIL {name}: the picture is {aw}x{ah}, the golden image {ew}x{eh}")
        return False
    stem = name[:-len(".png")]
    pixels = differing_pixels(ew, eh, expected, actual, args.channel, masks.get(stem, []))
    if len(pixels) <= args.pixels:
        return True
    xs = [x for x, _ in pixels]
    ys = [y for _, y in pixels]
    print(f"FAIL {name}: {len(pixels)} pixels differ by more than {args.channel} in a channel "
          f"(at most {args.pixels} may), within x {min(xs)}..{max(xs)}, y {min(ys)}..{max(ys)}")
    step = max(1, len(pixels) // EXAMPLES)
    for x, y in pixels[::step][:EXAMPLES]:
        print(f"    at {x},{y}: expected {colour(expected, ew, x, y)}, "
              f"actual {colour(actual, ew, x, y)}")
    os.makedirs(diff_folder, exist_ok=True)
    diff_path = os.path.join(diff_folder, stem + "-diff.png")
    write_diff(diff_path, ew, eh, actual, pixels)
    print(f"    differing pixels in red: {diff_path}")
    return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("golden")
    parser.add_argument("actual")
    parser.add_argument("diff")
    parser.add_argument("--channel", type=int, default=0)
    parser.add_argument("--pixels", type=int, default=0)
    args = parser.parse_args()

    def pictures(folder):
        return {f for f in os.listdir(folder) if f.endswith(".png")}

    golden, actual = pictures(args.golden), pictures(args.actual)
    masks = read_masks(args.golden)
    for stem, rects in read_masks(args.actual).items():
        masks.setdefault(stem, []).extend(rects)
    ok = True
    for name in sorted(golden - actual):
        print(f"FAIL {name}: no picture was taken for this golden image")
        ok = False
    for name in sorted(actual - golden):
        print(f"FAIL {name}: no golden image; run scripts/goldens to make it")
        ok = False
    same = sorted(golden & actual)
    for name in same:
        ok = compare(name, args.golden, args.actual, args.diff, args, masks) and ok
    print(f"compare: {len(same)} pictures compared, {'all alike' if ok else 'some differ'} "
          f"(tolerance {args.channel} per channel, {args.pixels} pixels)")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
