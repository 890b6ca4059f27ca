#!/usr/bin/env python3
"""Random well-formed MIF/MID pairs, merged by mifjoin and read by ogrinfo.

Every shape of object, keywords in any case, CR LF, LF or lone CR breaks,
quoted values with doubled quotes, delimiters and line breaks inside, and
Japanese text in code page 932. Each set is merged twice: as it is, and
with its object lines in UTF-8 under --utf8. Both times ogrinfo must read
the merged output as it reads the sources one after another: the same
features with the same fields and geometry, each under its source's LAYER
value, and no complaint.

Union sets give each source its own columns, a random choice of a pool in
a random order, and merge them with --columns union: ogrinfo must read
every source value under its own column name in the output, and an empty
value under every column the source lacks.

    RandomPairs.py MIFJOIN WORKDIR [SETS] [SEED]
"""
import os
import random
import shutil
import subprocess
import sys

JAPANESE = ["道路", "河川", "建物", "東京都", "横浜市", "ソフト", "表示", "能力", "ｶﾀｶﾅ"]


def word(rng):
    return rng.choice([str.lower, str.upper, str.title])


def coord(rng):
    return f"{rng.uniform(139, 140):.6f} {rng.uniform(35, 36):.6f}"


def points(rng, n):
    return [coord(rng) for _ in range(n)]


def pline(rng, kw):
    if rng.random() < 0.3:
        sections = rng.randint(2, 3)
        lines = [f"{kw('Pline')} {kw('Multiple')} {sections}"]
        for _ in range(sections):
            n = rng.randint(2, 4)
            lines += [f"  {n}"] + points(rng, n)
        return lines
    n = rng.randint(2, 5)
    return [f"{kw('Pline')} {n}"] + points(rng, n)


def region(rng, kw):
    polygons = rng.randint(1, 2)
    lines = [f"{kw('Region')} {polygons}"]
    for _ in range(polygons):
        n = rng.randint(4, 6)
        ring = points(rng, n - 1)
        lines += [f"  {n}"] + ring + [ring[0]]
    return lines


def multipoint(rng, kw):
    n = rng.randint(1, 4)
    return [f"{kw('Multipoint')} {n}"] + points(rng, n)


def text_string(rng):
    return rng.choice(JAPANESE) + rng.choice(["", " A", "-1"])


def an_object(rng):
    kw = word(rng)
    shape = rng.randrange(12)
    x, y = rng.uniform(139, 139.5), rng.uniform(35, 35.5)
    box = f"{x:.4f} {y:.4f} {x + 0.1:.4f} {y + 0.1:.4f}"
    if shape == 0:
        return [f"{kw('Point')} {coord(rng)}", "    Symbol (35,0,12)"]
    if shape == 1:
        return [f"{kw('Line')} {box}", "    Pen (1,2,0)"]
    if shape == 2:
        return pline(rng, kw) + ["    Pen (1,2,0)"]
    if shape == 3:
        return region(rng, kw) + ["    Pen (1,2,0)", "    Brush (2,16777215,16777215)"]
    if shape == 4:
        return multipoint(rng, kw) + ["    Symbol (35,0,12)"]
    if shape == 5:
        parts = [region, pline, multipoint][: rng.randint(1, 3)]
        lines = [f"{kw('Collection')} {len(parts)}"]
        for part in parts:
            lines += part(rng, kw)
        return lines
    if shape == 6:
        string = f'"{text_string(rng)}"'
        head = [f"{kw('Text')} {string}"] if rng.random() < 0.5 else [kw("Text"), f"    {string}"]
        return head + [f"    {box}", '    Font ("Arial",0,0,0)']
    if shape == 7:
        return [f"{kw('Rect')} {box}", "    Pen (1,2,0)"]
    if shape == 8:
        return [f"{kw('Roundrect')} {box}", "    0.01"]
    if shape == 9:
        return [f"{kw('Ellipse')} {box}"]
    if shape == 10:
        return [f"{kw('Arc')} {box}", "    0 90"]
    return [kw("None")]


def value(rng, kind, delimiter):
    if kind == "Integer":
        return str(rng.randint(-1000, 100000))
    if kind == "Float":
        return f"{rng.uniform(-100, 100):.3f}"
    text = rng.choice(JAPANESE + ["plain", f"with{delimiter}delimiter", 'say ""hi""', ""])
    if rng.random() < 0.1:
        text += "\r\nsecond line"
    return f'"{text}"'


def write_pair(rng, folder, base, delimiter, kinds, names=None):
    names = names or [f"C{i}" for i in range(len(kinds))]
    header = ["Version 300", 'Charset "WindowsJapanese"', f'Delimiter "{delimiter}"',
              f"Columns {len(kinds)}"]
    header += [f"  {name} {kind if kind != 'Char' else 'Char(40)'}"
               for name, kind in zip(names, kinds)]
    header += ["Data", ""]
    objects = [an_object(rng) for _ in range(rng.randint(1, 6))]
    rows = [delimiter.join(value(rng, kind, delimiter) for kind in kinds) for _ in objects]
    brk = rng.choice(["\r\n", "\n", "\r"])
    mif = brk.join(header + [line for lines in objects for line in lines]) + brk
    mid = "\r\n".join(rows) + "\r\n"
    for where, objects_code in ((folder, "cp932"), (os.path.join(folder, "utf8"), "utf-8")):
        os.makedirs(where, exist_ok=True)
        with open(os.path.join(where, base + ".mif"), "wb") as out:
            head = brk.join(header) + brk
            out.write(head.encode("cp932") + mif[len(head):].encode(objects_code))
        with open(os.path.join(where, base + ".mid"), "wb") as out:
            out.write(mid.encode("cp932"))


def features(path):
    """The features ogrinfo reads, without layer names and numbers, and
    their LAYER values; fails on any complaint."""
    done = subprocess.run(["ogrinfo", "-ro", "-al", "-q", path], capture_output=True)
    if done.returncode != 0 or done.stderr.strip():
        raise AssertionError(f"ogrinfo on {path}: {done.stderr.decode(errors='replace')[:300]}")
    kept, layers = [], []
    for line in done.stdout.decode("utf-8", errors="replace").splitlines():
        if line.startswith("Layer name:") or not line.strip():
            continue
        if line.startswith("OGRFeature("):
            kept.append("FEATURE")
        elif line.startswith("  LAYER (String) = "):
            layers.append(line[len("  LAYER (String) = "):])
        else:
            kept.append(line)
    return kept, layers


def fields_of(path):
    """Each feature ogrinfo reads as its fields by name and its other lines
    (style, geometry); a value over several lines whole."""
    done = subprocess.run(["ogrinfo", "-ro", "-al", "-q", path], capture_output=True)
    if done.returncode != 0 or done.stderr.strip():
        raise AssertionError(f"ogrinfo on {path}: {done.stderr.decode(errors='replace')[:300]}")
    found, last = [], None
    for line in done.stdout.decode("utf-8", errors="replace").splitlines():
        if line.startswith("OGRFeature("):
            found.append(({}, []))
        elif not found or not line or line.startswith("Layer name:"):
            continue  # a blank line ends a feature; no value here holds one
        elif line.startswith("  ") and " (" in line and ") = " in line and \
                line[2:line.index(" (")].isidentifier():
            last = line[2:line.index(" (")]
            found[-1][0][last] = line[line.index(") = ") + 4:]
        elif line.startswith("  Style = ") or line[2:3].isupper():
            found[-1][1].append(line)
        elif last is not None:
            found[-1][0][last] += "\n" + line
    return found


def is_zero(text):
    try:
        return float(text) == 0
    except ValueError:
        return False


POOL = [("ID", "Integer"), ("NAME", "Char"), ("LENGTH", "Float"), ("NOTE", "Char"),
        ("KIND", "Integer")]


def union_set(rng, mifjoin, folder, n):
    """Sources with columns of their own, merged with --columns union."""
    os.makedirs(folder)
    delimiter = rng.choice([",", "\t", ";"])
    bases = [f"{n}{i}__U{i}" for i in range(rng.randint(2, 4))]
    for base in bases:
        chosen = rng.sample(POOL, rng.randint(1, len(POOL)))
        write_pair(rng, folder, base, delimiter, [kind for _, kind in chosen],
                   [name for name, _ in chosen])
    out = os.path.join(folder, "out")
    done = subprocess.run([mifjoin, "--quiet", "--columns", "union", "-o", out] +
                          [os.path.join(folder, b + ".mif") for b in bases], capture_output=True)
    if done.returncode != 0:
        raise AssertionError(f"mifjoin --columns union refused: "
                             f"{done.stderr.decode(errors='replace')[:300]}")
    got = fields_of(out + ".mif")
    want = []
    for i, base in enumerate(bases):
        want += [(fields, lines, f"U{i}") for fields, lines in fields_of(
            os.path.join(folder, base + ".mif"))]
    if len(got) != len(want):
        raise AssertionError(f"{len(got)} features in the union, {len(want)} in the sources")
    for (fields, lines), (source_fields, source_lines, layer) in zip(got, want):
        if fields.get("LAYER") != layer or lines != source_lines:
            raise AssertionError(f"a feature of {layer} reads otherwise: {lines[:2]}")
        for name, value in source_fields.items():
            if fields.get(name) != value:
                raise AssertionError(f"{layer}: {name} is {fields.get(name)!r}, "
                                     f"the source's {value!r}")
        for name in set(fields) - set(source_fields) - {"LAYER"}:
            # MIF has no empty number: readers take one as 0.
            if fields[name] not in ("", "(null)") and not is_zero(fields[name]):
                raise AssertionError(f"{layer}: {name} is {fields[name]!r}, the source has none")


def main():
    mifjoin, work = sys.argv[1], sys.argv[2]
    sets = int(sys.argv[3]) if len(sys.argv) > 3 else 150
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 20261209)
    shutil.rmtree(work, ignore_errors=True)
    failures = 0
    for n in range(sets):
        folder = os.path.join(work, str(n))
        os.makedirs(folder)
        delimiter = rng.choice([",", "\t", ";", "|"])
        kinds = [rng.choice(["Integer", "Char", "Float"]) for _ in range(rng.randint(1, 3))]
        bases = [f"{n}{i}__L{i}" for i in range(rng.randint(2, 4))]
        for base in bases:
            write_pair(rng, folder, base, delimiter, kinds)
        try:
            want, want_layers = [], []
            for i, base in enumerate(bases):
                kept, _ = features(os.path.join(folder, base + ".mif"))
                want += kept
                want_layers += [f"L{i}"] * kept.count("FEATURE")
            for where, option in ((folder, []), (os.path.join(folder, "utf8"), ["--utf8"])):
                out = os.path.join(where, "out")
                done = subprocess.run([mifjoin, "--quiet", *option, "-o", out] +
                                      [os.path.join(where, b + ".mif") for b in bases],
                                      capture_output=True)
                if done.returncode != 0:
                    raise AssertionError(f"mifjoin {option} refused: "
                                         f"{done.stderr.decode(errors='replace')[:300]}")
                got, got_layers = features(out + ".mif")
                if got != want or got_layers != want_layers:
                    raise AssertionError(f"the output of mifjoin {option} reads otherwise")
            shutil.rmtree(folder)
        except AssertionError as error:
            failures += 1
            print(f"FAIL: set {folder}: {error}", file=sys.stderr)
    print(f"ogrinfo reads {sets - failures} of {sets} random merged sets as it reads their sources")
    union_failures = 0
    for n in range(sets // 3):
        folder = os.path.join(work, f"union{n}")
        try:
            union_set(rng, mifjoin, folder, n)
            shutil.rmtree(folder)
        except AssertionError as error:
            union_failures += 1
            print(f"FAIL: union set {folder}: {error}", file=sys.stderr)
    print(f"ogrinfo reads every source value under its own name in {sets // 3 - union_failures} "
          f"of {sets // 3} random unions")
    return 1 if failures or union_failures else 0


if __name__ == "__main__":
    sys.exit(main())
