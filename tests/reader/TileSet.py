#!/usr/bin/env python3
"""A tile set merged per layer with its tile as a column, read by GDAL.

Builds a set as users hold one (a folder per first-order mesh, Japanese
layer names), merges it with --per-layer --tile-column TILE -r, and reads
each output with ogrinfo: LAYER first and TILE second, and each feature,
less those two values, exactly as ogrinfo reads it in its source, the
sources in the order -r takes them.

  TileSet.py MIFJOIN SAMPLES WORK
"""
import pathlib
import shutil
import subprocess
import sys

LAYERS = {"道路": "53394611__ROAD", "河川": "53394612__RIVER"}
TILES = ["5339/53394611", "5339/53394612", "5340/53404611"]


def features(mif):
    """Each feature's lines after its OGRFeature line, as ogrinfo gives them."""
    # Bytes as ogrinfo writes them: a value it could not recode stays as it was.
    result = subprocess.run(["ogrinfo", "-ro", "-al", "-q", str(mif)], capture_output=True,
                            check=True)
    stdout, stderr = (part.decode("utf-8", "surrogateescape") for part in (result.stdout, result.stderr))
    if stderr.strip():
        raise SystemExit(f"{mif}: ogrinfo says: {stderr.strip()[:300]}")
    blocks, block = [], None
    for line in stdout.splitlines():
        if line.startswith("OGRFeature("):
            block = []
            blocks.append(block)
        elif block is not None and line.strip():
            block.append(line)
        else:
            block = None
    return blocks


def first_fields(mif):
    summary = subprocess.run(["ogrinfo", "-ro", "-al", "-so", str(mif)], capture_output=True,
                             text=True, check=True).stdout
    fields = [line.split(":")[0] for line in summary.splitlines()
              if ": " in line and line.split(":")[1].strip().split(" ")[0] in
              ("String", "Integer", "Real", "Integer64", "Date")]
    return fields[:2]


def main():
    mifjoin, samples, work = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    shutil.rmtree(work, ignore_errors=True)
    tiles, out = work / "tiles", work / "layers"
    out.mkdir(parents=True)
    for tile in TILES:
        (tiles / tile).parent.mkdir(parents=True, exist_ok=True)
        for layer, sample in LAYERS.items():
            for extension in (".mif", ".mid"):
                shutil.copy(samples / (sample + extension), tiles / f"{tile}__{layer}{extension}")
    subprocess.run([mifjoin, "--quiet", "--per-layer", "--tile-column", "TILE", "-r", "-o",
                    str(out) + "/", str(tiles)], check=True)
    failures = 0
    for layer in LAYERS:
        mif = out / f"{layer}.mif"
        if first_fields(mif) != ["LAYER", "TILE"]:
            print(f"FAIL: {mif}: the first fields are {first_fields(mif)}", file=sys.stderr)
            failures += 1
        expected = []
        for tile in TILES:
            added = [f"  LAYER (String) = {layer}", f"  TILE (String) = {tile.split('/')[1]}"]
            expected += [added + block for block in features(tiles / f"{tile}__{layer}.mif")]
        got = features(mif)
        if got != expected:
            at = next((i for i, (a, b) in enumerate(zip(got, expected)) if a != b), None)
            print(f"FAIL: {mif}: {len(got)} features, {len(expected)} expected; first differing: "
                  f"{at}", file=sys.stderr)
            failures += 1
        else:
            print(f"ogrinfo reads {mif.name} ({len(got)} features) as its sources, each with its "
                  f"layer and tile")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
