#!/usr/bin/env python3
"""Tiles from more than one writer, merged by mifjoin and read by ogrinfo.

GDAL's ogr2ogr writes MIF tiles from GeoJSON with Japanese values: it
declares Charset "Neutral" and writes UTF-8, with LF line breaks. Beside
them stand code page 932 tiles as Japanese translators write them, some
declaring WindowsJapanese (their values cut at a byte width mid-character,
a lone lead byte before the closing quote), some declaring nothing. Every
tile has its own random choice and order of columns.

Each set's first tile is merged alone; the set with --columns union, with
and without --utf8, in a random order, and per layer with the tile as a
column. Every feature must
read in the output as it reads in its source: every value under its own
name, the same text (as code page 932 holds it: 〜 U+301C comes back as
～ U+FF5E, as Windows maps 81 60), LAYER and TILE as the file name gives
them, and ogrinfo may not complain.

    GdalTiles.py MIFJOIN WORKDIR [SETS] [SEED]
"""
import json
import os
import random
import shutil
import subprocess
import sys

JAPANESE = ["県道", "国道", "国道〜県道", "河川", "建物", "東京都", "ソフト", "表示", "ｶﾀｶﾅ",
            "道路・鉄道", "plain", ""]
POOL = [("ID", "Integer"), ("NAME", "String"), ("KIND", "String"), ("LEN", "Real"),
        ("NOTE", "String")]
# Characters code page 932 holds under other code points than JIS-based
# writers use (U+301C 〜, U+2016 ‖, U+2212 −, U+2014 —), as read back.
AS_CP932_HOLDS = str.maketrans({"\u301c": "\uff5e", "\u2016": "\u2225", "\u2212": "\uff0d",
                                "\u2014": "\u2015"})


def a_value(rng, kind):
    if kind == "Integer":
        return rng.randint(-1000, 100000)
    if kind == "Real":
        return round(rng.uniform(-100, 100), 3)
    return rng.choice(JAPANESE)


def gdal_tile(folder, base, columns, rows):
    """A tile written by ogr2ogr from GeoJSON, its columns in this order."""
    features = [{"type": "Feature", "properties": dict(zip([n for n, _ in columns], row)),
                 "geometry": {"type": "Point", "coordinates": [139.7 + i / 100, 35.6]}}
                for i, row in enumerate(rows)]
    source = os.path.join(folder, base + ".geojson")
    with open(source, "w", encoding="utf-8") as out:
        json.dump({"type": "FeatureCollection", "features": features}, out, ensure_ascii=False)
    subprocess.run(["ogr2ogr", "-f", "MapInfo File", "-dsco", "FORMAT=MIF",
                    os.path.join(folder, base + ".mif"), source], check=True, capture_output=True)
    os.remove(source)


def cp932_tile(rng, folder, base, columns, rows, declared):
    """A tile as a Japanese translator writes it: code page 932, CR LF."""
    header = ["Version 300"] + (['Charset "WindowsJapanese"'] if declared else [])
    header += ['Delimiter ","', "CoordSys Earth Projection 1, 104", f"Columns {len(columns)}"]
    mif_type = {"Integer": "Integer", "Real": "Float", "String": "Char(20)"}
    header += [f"  {name} {mif_type[kind]}" for name, kind in columns]
    header += ["Data", ""]
    objects, mid = [], []
    for i, row in enumerate(rows):
        objects += [f"Point {139.7 + i / 100} 35.6", "    Symbol (35,0,12)"]
        values = []
        for (_, kind), value in zip(columns, row):
            if kind != "String":
                values.append(str(value).encode())
                continue
            text = value.encode("cp932")
            # Cut at a byte width mid-character: its lead byte last.
            if declared and len(text) > 2 and rng.random() < 0.3:
                text = text[:-1] if text[-2] >= 0x81 else text
            values.append(b'"' + text + b'"')
        mid.append(b",".join(values))
    with open(os.path.join(folder, base + ".mif"), "wb") as out:
        out.write(("\r\n".join(header + objects) + "\r\n").encode("cp932"))
    with open(os.path.join(folder, base + ".mid"), "wb") as out:
        out.write(b"\r\n".join(mid) + b"\r\n")


def text_of(raw):
    """An ogrinfo line: UTF-8 where GDAL recoded it or the file is UTF-8,
    code page 932 where it passed a Neutral file's bytes on."""
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("cp932", errors="replace")


def fields_of(path):
    """Each feature ogrinfo reads: its fields by name, and its geometry."""
    done = subprocess.run(["ogrinfo", "-ro", "-al", "-q", path], capture_output=True)
    if done.returncode != 0 or done.stderr.strip():
        raise AssertionError(f"ogrinfo on {path}: {done.stderr.decode(errors='replace')[:300]}")
    found = []
    for raw in done.stdout.split(b"\n"):
        line = text_of(raw)
        if line.startswith("OGRFeature("):
            found.append(({}, []))
        elif found and line.startswith("  ") and " (" in line and ") = " in line:
            found[-1][0][line[2:line.index(" (")]] = line[line.index(") = ") + 4:]
        elif found and line.startswith("  POINT"):
            found[-1][1].append(line)
    return found


def merge(mifjoin, args, folder):
    done = subprocess.run([mifjoin, "--quiet", *args], capture_output=True, cwd=folder)
    if done.returncode != 0:
        raise AssertionError(f"mifjoin {args[:5]} refused: "
                             f"{done.stderr.decode(errors='replace')[:400]}")


def compare(got, want, what):
    """Features of an output against those of its sources, in order."""
    if len(got) != len(want):
        raise AssertionError(f"{what}: {len(got)} features, the sources have {len(want)}")
    for (fields, geometry), (source, source_geometry, added) in zip(got, want):
        if geometry != source_geometry:
            raise AssertionError(f"{what}: {geometry} where the source has {source_geometry}")
        for name, value in added.items():
            if fields.get(name) != value:
                raise AssertionError(f"{what}: {name} is {fields.get(name)!r}, not {value!r}")
        for name, value in source.items():
            if fields.get(name) != value.translate(AS_CP932_HOLDS):
                raise AssertionError(f"{what}: {added} {name} is {fields.get(name)!r}, "
                                     f"the source's {value!r}")
        for name in set(fields) - set(source) - set(added):
            if fields[name] not in ("", "0", "0.0"):  # a column the source lacks
                raise AssertionError(f"{what}: {name} is {fields[name]!r}, the source has none")


def one_set(rng, mifjoin, folder, n):
    os.makedirs(folder)
    tiles = []  # (base, mesh, layer)
    for i in range(rng.randint(2, 5)):
        mesh, layer = f"5339{4611 + i // 2}", rng.choice(["道路", "ROAD"])
        base = f"{mesh}__{layer}"
        if any(b == base for b, _, _ in tiles):
            base = f"{mesh}{i}__{layer}"
            mesh = f"{mesh}{i}"
        columns = rng.sample(POOL, rng.randint(1, len(POOL)))
        rows = [[a_value(rng, kind) for _, kind in columns] for _ in range(rng.randint(1, 4))]
        writer = rng.choice(["gdal", "gdal", "declared", "undeclared"])
        if writer == "gdal":
            gdal_tile(folder, base, columns, rows)
        else:
            cp932_tile(rng, folder, base, columns, rows, writer == "declared")
        tiles.append((base, mesh, layer))
    rng.shuffle(tiles)
    sources = {base: fields_of(os.path.join(folder, base + ".mif")) for base, _, _ in tiles}
    mifs = [base + ".mif" for base, _, _ in tiles]
    alone, _, layer = tiles[0]
    merge(mifjoin, ["-o", "alone", alone + ".mif"], folder)
    compare(fields_of(os.path.join(folder, "alone.mif")),
            [(f, g, {"LAYER": layer}) for f, g in sources[alone]], f"set {n} {alone} alone")
    for option in ([], ["--utf8"]):
        merge(mifjoin, [*option, "--columns", "union", "-o", "out", *mifs], folder)
        want = [(f, g, {"LAYER": layer}) for base, _, layer in tiles for f, g in sources[base]]
        compare(fields_of(os.path.join(folder, "out.mif")), want, f"set {n} {option} union")
    os.makedirs(os.path.join(folder, "layers"))
    merge(mifjoin, ["--per-layer", "--tile-column", "TILE", "--columns", "union", "-o",
                    "layers/", *mifs], folder)
    for layer in {layer for _, _, layer in tiles}:
        want = [(f, g, {"LAYER": layer, "TILE": mesh}) for base, mesh, each in tiles
                if each == layer for f, g in sources[base]]
        compare(fields_of(os.path.join(folder, "layers", layer + ".mif")), want,
                f"set {n} per layer {layer}")


def main():
    mifjoin, work = os.path.abspath(sys.argv[1]), sys.argv[2]
    sets = int(sys.argv[3]) if len(sys.argv) > 3 else 40
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 20261210)
    shutil.rmtree(work, ignore_errors=True)
    failures = 0
    for n in range(sets):
        folder = os.path.join(work, str(n))
        try:
            one_set(rng, mifjoin, folder, n)
            shutil.rmtree(folder)
        except (AssertionError, subprocess.CalledProcessError) as error:
            failures += 1
            print(f"FAIL: {folder}: {error}", file=sys.stderr)
    print(f"ogrinfo reads {sets - failures} of {sets} sets of GDAL and code page 932 tiles "
          f"as it reads their sources")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
