#!/usr/bin/env python3
"""Writes a synthetic set of MIF/MID pairs as a GIS translator writes them.

Usage: MakeMifSet.py DIR --sources N --megabytes M [--utf8 | --all-utf8 | --gdal]
                     [--seed S] [--first-mesh CODE] [--layers A,B,...]
                     [--layers-per-tile K] [--distinct N] [--other-columns]

Each pair is <mesh code>__<layer>.mif/.mid (with --layers-per-tile K, K
layers of each mesh code, as a tile set holds them), the codes third-order
meshes (JIS X 0410) counted east, then north, every point of the pairs made
afresh (--distinct) inside its tile's mesh; the copies keep their bytes, and
so their points. A pair is a CR LF header with four
columns, then Point, Line, Pline (many vertices), Region (with rings) and
Text objects with Pen, Brush, Symbol and Font clauses; .mid rows are code
page 932 with quoted Japanese strings. With --utf8 the object text is UTF-8
while the header, which declares WindowsJapanese, and the rows stay code
page 932 (what the merge's UTF-8 option is for); with --all-utf8 everything
is UTF-8 and the header declares Charset "UTF-8"; with --gdal everything is
UTF-8 with LF line breaks under Charset "Neutral", as GDAL's MIF writer
writes it. With --other-columns
each layer has its own schema: the columns in another order, and KIND named
after the layer, so that a union moves every value of every row. Sizes are
about M megabytes for the whole set, .mif and .mid together.
"""
import argparse
import os
import random

LAYERS = ["ROAD", "RIVER", "BLDG", "RAIL", "CONTOUR", "ADMIN", "POI", "LAKE"]
PLACES = ["東京都千代田区", "横浜市中区", "国道１号線", "県道４１３号", "多摩川", "新宿駅",
          "表参道", "ソフトウェア研究所", "北海道札幌市", "京都市左京区", "①番地"]
HEADER = ('Version 300\r\nCharset "{charset}"\r\nDelimiter ","\r\n'
          'CoordSys Earth Projection 1, 104\r\nColumns 4\r\n{columns}Data\r\n\r\n')
COLUMNS = ["ID Integer", "NAME Char(40)", "KIND SmallInt", "LENGTH Float"]


def schema(layer, other_columns):
    """The column order (indexes into COLUMNS) and definitions of a layer."""
    if not other_columns:
        return list(range(4)), COLUMNS
    turn = sum(map(ord, layer)) % 4
    order = [(i + turn) % 4 for i in range(4)]
    columns = [COLUMNS[i] if i != 2 else "KIND_%s SmallInt" % layer for i in order]
    return order, columns


def next_mesh(code):
    """The third-order mesh east of `code`, or the first of the next row north."""
    a, c, e, f, g, h = (int(code[0:2]), int(code[2:4]), int(code[4]), int(code[5]),
                        int(code[6]), int(code[7]))
    h += 1
    if h == 10:
        h, f = 0, f + 1
        if f == 8:
            f, c = 0, c + 1
            if c == 100:  # a row of first-order meshes ends: the next row north
                c, g = 0, g + 1
                if g == 10:
                    g, e = 0, e + 1
                    if e == 8:
                        e, a = 0, a + 1
    return "%02d%02d%d%d%d%d" % (a, c, e, f, g, h)


class Mesh:
    """A third-order mesh's south-west corner and size, in degrees."""

    def __init__(self, code):
        self.south = (int(code[0:2]) * 40 + int(code[4]) * 5 + int(code[6]) * 0.5) / 60
        self.west = 100 + int(code[2:4]) + (int(code[5]) * 7.5 + int(code[7]) * 0.75) / 60


MESH = Mesh("53394611")  # the pair being written


def coordinate(rng):
    """A point inside the mesh, off its edges."""
    return "%.6f %.6f" % (MESH.west + rng.uniform(0.02, 0.98) * 0.75 / 60,
                          MESH.south + rng.uniform(0.02, 0.98) * 0.5 / 60)


def vertices(rng, count):
    return "".join(coordinate(rng) + "\r\n" for _ in range(count))


def make_object(rng, points):
    kind = 0 if points else rng.random()
    if kind < 0.25:
        return "Point %s\r\n    Symbol (35,0,12)\r\n" % coordinate(rng)
    if kind < 0.40:
        return "Line %s %s\r\n    Pen (1,2,0)\r\n" % (coordinate(rng), coordinate(rng))
    if kind < 0.70:
        count = rng.randint(10, 120)
        return "Pline %d\r\n%s    Pen (2,2,255)\r\n" % (count, vertices(rng, count))
    if kind < 0.85:
        rings = rng.randint(1, 3)
        body = "Region %d\r\n" % rings
        for _ in range(rings):
            count = rng.randint(5, 60)
            body += "  %d\r\n%s" % (count, vertices(rng, count))
        return body + ("    Pen (1,2,0)\r\n    Brush (2,16777215,16777215)\r\n"
                       "    Center %s\r\n" % coordinate(rng))
    return ('Text\r\n    "%s"\r\n    %s %s\r\n    Font ("ＭＳ ゴシック",0,12,0)\r\n    Angle 0\r\n'
            % (rng.choice(PLACES), coordinate(rng), coordinate(rng)))


def make_row(rng, number, order):
    values = ["%d" % number, '"%s"' % rng.choice(PLACES), "%d" % rng.randint(1, 9),
              "%.2f" % rng.uniform(1, 5000)]
    return ",".join(values[i] for i in order) + "\r\n"


def write_pair(path, rng, target_bytes, utf8, all_utf8, layer, other_columns, points,
               gdal=False):
    objects, rows, size, number = [], [], 0, 0
    order, columns = schema(layer, other_columns)
    while size < target_bytes:
        number += 1
        obj, row = make_object(rng, points), make_row(rng, number, order)
        objects.append(obj)
        rows.append(row)
        size += len(obj) + len(row) + 16  # Japanese text takes two bytes a character
    all_utf8 = all_utf8 or gdal
    charset = "Neutral" if gdal else "UTF-8" if all_utf8 else "WindowsJapanese"
    text = "utf-8" if all_utf8 else "cp932"
    definitions = "".join("  %s\r\n" % column for column in columns)
    header = HEADER.format(charset=charset, columns=definitions)
    objects, rows = "".join(objects), "".join(rows)
    if gdal:
        header, objects, rows = (t.replace("\r\n", "\n") for t in (header, objects, rows))
    with open(path + ".mif", "wb") as mif:
        mif.write(header.encode(text))
        mif.write(objects.encode("utf-8" if utf8 or all_utf8 else "cp932"))
    with open(path + ".mid", "wb") as mid:
        mid.write(rows.encode(text))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("dir")
    parser.add_argument("--sources", type=int, default=10)
    parser.add_argument("--megabytes", type=float, default=10)
    parser.add_argument("--utf8", action="store_true", help="object text in UTF-8")
    parser.add_argument("--all-utf8", action="store_true", help="every line in UTF-8")
    parser.add_argument("--gdal", action="store_true",
                        help="as GDAL writes: UTF-8, LF, Charset \"Neutral\"")
    parser.add_argument("--seed", type=int, default=932)
    parser.add_argument("--first-mesh", default="53394611",
                        help="third-order mesh code in the first file name; the others count on")
    parser.add_argument("--layers", default=",".join(LAYERS),
                        help="layer names for the file names, taken in turn")
    parser.add_argument("--layers-per-tile", type=int, default=1,
                        help="layers of each mesh code: K pairs a tile")
    parser.add_argument("--distinct", type=int, default=8,
                        help="pairs made afresh; the others repeat them under other names")
    parser.add_argument("--other-columns", action="store_true",
                        help="a schema of its own for each layer")
    parser.add_argument("--points", action="store_true",
                        help="every object a Point: rows a third of the bytes")
    args = parser.parse_args()
    os.makedirs(args.dir, exist_ok=True)
    rng = random.Random(args.seed)
    per_source = args.megabytes * 1e6 / args.sources
    layers = args.layers.split(",")
    made = []
    per_tile = max(1, args.layers_per_tile)
    global MESH
    code = args.first_mesh
    for i in range(args.sources):
        layer = layers[(i % per_tile if per_tile > 1 else i) % len(layers)]
        if i > 0 and i % per_tile == 0:
            code = next_mesh(code)
        name = os.path.join(args.dir, "%s__%s" % (code, layer))
        MESH = Mesh(code)
        if i < args.distinct:
            write_pair(name, rng, per_source, args.utf8, args.all_utf8, layer, args.other_columns,
                       args.points, args.gdal)
            made.append(name)
        else:
            for extension in (".mif", ".mid"):
                with open(made[i % len(made)] + extension, "rb") as source:
                    data = source.read()
                with open(name + extension, "wb") as copy:
                    copy.write(data)


if __name__ == "__main__":
    main()
