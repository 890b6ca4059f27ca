#!/usr/bin/env python3
"""Tiles written by GDAL, checked against the meshes their names give.

ogr2ogr writes each tile from GeoJSON in longitude and latitude (its MIF
writer declares CoordSys Earth Projection 1, 104): 53394611 with points
inside it, 53394612 holding 53394611's points (a tile saved under its
neighbour's code). mifjoin --mesh must warn of the second tile alone,
naming the mesh its points lie in, and ogrinfo must read every feature of
the output; the same of the same tiles in the plane rectangular system IX
(EPSG:6677), taken back to longitude and latitude. A tile whose name is no
mesh code is refused, nothing written but the report.

Then a tile set's coverage: a road layer about a hole, with a duplicate
and a tile under its neighbour's code, a building layer in plane
rectangular IX with the right and the wrong code, and a list of the tiles
meant; the report's meshes and the picture's shapes must show each, and
Chromium, where there is one, takes a screenshot of the picture.

    MeshTiles.py MIFJOIN WORKDIR
"""
import json
import os
import shutil
import subprocess
import sys
from xml.etree import ElementTree

SVG = "{http://www.w3.org/2000/svg}"

# In 53394611: 35.675°–35.683333° north, 139.7625°–139.775° east.
INSIDE = [[139.765, 35.677], [139.77, 35.68], [139.772, 35.682]]


def gdal_tile(folder, base, points, srs=None):
    features = [{"type": "Feature", "properties": {"ID": i, "NAME": "道路"},
                 "geometry": {"type": "LineString", "coordinates": points}}
                for i in range(3)]
    source = os.path.join(folder, base + ".geojson")
    with open(source, "w", encoding="utf-8") as out:
        json.dump({"type": "FeatureCollection", "features": features}, out, ensure_ascii=False)
    command = ["ogr2ogr", "-f", "MapInfo File", "-dsco", "FORMAT=MIF"]
    if srs:
        command += ["-t_srs", srs]
    subprocess.run(command + [os.path.join(folder, base + ".mif"), source], check=True,
                   capture_output=True)
    os.remove(source)


def points_in(code):
    """Three points inside third-order mesh `code`, by the code rules."""
    south = int(code[0:2]) * 40 / 60 + int(code[4]) * 5 / 60 + int(code[6]) * 0.5 / 60
    west = 100 + int(code[2:4]) + int(code[5]) * 7.5 / 60 + int(code[7]) * 0.75 / 60
    return [[west + 0.75 / 60 * f, south + 0.5 / 60 * f] for f in (0.2, 0.5, 0.8)]


def check_coverage(mifjoin, work, failures):
    tiles = os.path.join(work, "set")
    os.makedirs(os.path.join(tiles, "again"))
    for code, lies_in in (("53394601", "53394601"), ("53394610", "53394610"),
                          ("53394612", "53394612"), ("53394621", "53394621"),
                          ("53394622", "53394621")):
        gdal_tile(tiles, code + "__道路", points_in(lies_in))
    gdal_tile(os.path.join(tiles, "again"), "53394601__道路", points_in("53394601"))
    for code in ("53394601", "53394602"):
        gdal_tile(tiles, code + "__建物", points_in("53394601"), "EPSG:6677")
    expected = os.path.join(work, "meshcode.txt")
    with open(expected, "w", encoding="utf-8") as file:
        file.write("53394600\n53394601\n53394611\n53394612\n")
    out, report = os.path.join(work, "layers") + os.sep, os.path.join(work, "coverage.json")
    picture = os.path.join(work, "coverage.svg")
    os.makedirs(out)
    run = subprocess.run([mifjoin, "-q", "--per-layer", "-r", "--skip-duplicates", "--expected",
                          expected, "--coverage", picture, "--report", report, "-o", out, tiles],
                         capture_output=True, text=True)
    if run.returncode != 0:
        failures.append("the coverage run exited %d: %s" % (run.returncode, run.stderr))
        return
    with open(report, encoding="utf-8") as file:
        meshes = json.load(file)["meshes"]
    layers = {layer["layer"]: layer for layer in meshes["layers"]}
    want = [
        (layers["道路"]["duplicated"], ["53394601"]),
        (layers["道路"]["outside"], ["53394622"]),
        (layers["道路"]["absent"], ["53394602"]),
        (layers["建物"]["present"], ["53394601", "53394602"]),
        (layers["建物"]["outside"], ["53394602"]),
        (meshes["holes"], ["53394611"]),
        (meshes["missing"], ["53394600", "53394611"]),
        (meshes["unexpected"], ["53394602", "53394610", "53394621", "53394622"]),
    ]
    for got, wanted in want:
        if got != wanted:
            failures.append("the report's meshes: %s, not %s" % (got, wanted))
    # Every shape titled by its code, with its state's class, in the set's map.
    shapes = {}
    for rect in ElementTree.parse(picture).getroot().iter(SVG + "rect"):
        title = rect.find(SVG + "title")
        if title is not None:
            shapes.setdefault(title.text, set()).add(rect.get("class"))
    for title, style in (("53394611 穴、不足", "x"), ("53394600 不足", "m"),
                         ("53394601 重複", "d"), ("53394622 メッシュ外", "o"),
                         ("53394602 メッシュ外", "o"), ("53394602 なし", "a")):
        if style not in shapes.get(title, set()):
            failures.append("the picture has no %s shape titled %s" % (style, title))
    chromium = shutil.which("chromium")
    if chromium:
        subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu",
                        "--hide-scrollbars", "--window-size=960,820",
                        "--screenshot=" + os.path.join(work, "coverage.png"),
                        "file://" + os.path.abspath(picture)], capture_output=True, timeout=120)
        print("MeshTiles: the picture's screenshot: " + os.path.join(work, "coverage.png"))


def main():
    mifjoin, work = sys.argv[1], sys.argv[2]
    shutil.rmtree(work, ignore_errors=True)
    tiles, plane = os.path.join(work, "tiles"), os.path.join(work, "plane")
    os.makedirs(tiles)
    os.makedirs(plane)
    for base in ("53394611__道路", "53394612__道路"):
        gdal_tile(tiles, base, INSIDE)
        gdal_tile(plane, base, INSIDE, "EPSG:6677")
    out, report = os.path.join(work, "out"), os.path.join(work, "report.json")
    run = subprocess.run([mifjoin, "-q", "--mesh", "--report", report, "-o", out, tiles],
                         capture_output=True, text=True)
    failures = []
    if run.returncode != 0:
        failures.append("mifjoin --mesh exited %d: %s" % (run.returncode, run.stderr))
    with open(report, encoding="utf-8") as file:
        sources = json.load(file)["sources"]
    warned = {os.path.basename(s["path"]): s.get("warnings") for s in sources}
    if warned.get("53394611__道路.mif"):
        failures.append("a tile inside its mesh was warned of: %s" % warned)
    second = warned.get("53394612__道路.mif", [])
    if len(second) != 1 or "メッシュ 53394611 にあります" not in second[0] or "3 個" not in second[0]:
        failures.append("53394612's warning: %s" % second)
    info = subprocess.run(["ogrinfo", "-ro", "-al", "-so", out + ".mif"], capture_output=True,
                          text=True)
    if "Feature Count: 6" not in info.stdout:
        failures.append("ogrinfo reads: %s" % info.stdout)
    run = subprocess.run([mifjoin, "--mesh", "-o", out, plane], capture_output=True, text=True)
    warnings = [line for line in run.stderr.splitlines() if "警告" in line]
    if (run.returncode != 0 or len(warnings) != 1 or "53394612__道路.mif" not in warnings[0] or
            "メッシュ 53394611 にあります" not in warnings[0]):
        failures.append("the plane rectangular tiles: exit %d, %s" % (run.returncode, run.stderr))

    shutil.copy(os.path.join(tiles, "53394611__道路.mif"), os.path.join(tiles, "道路__道路.mif"))
    shutil.copy(os.path.join(tiles, "53394611__道路.mid"), os.path.join(tiles, "道路__道路.mid"))
    refused = os.path.join(work, "refused")
    run = subprocess.run([mifjoin, "-q", "--mesh", "--report", report, "-o", refused, tiles],
                         capture_output=True, text=True)
    if run.returncode != 1 or "道路__道路.mif" not in run.stderr or os.path.exists(refused + ".mif"):
        failures.append("a tile that is no mesh code: exit %d, %s" % (run.returncode, run.stderr))
    with open(report, encoding="utf-8") as file:
        if json.load(file).get("error") is None:
            failures.append("the refusal's report holds no error")

    check_coverage(mifjoin, work, failures)
    for failure in failures:
        print("MeshTiles: " + failure)
    if not failures:
        print("mifjoin --mesh warns of GDAL's tile under its neighbour's code alone, in "
              "longitude and latitude and in plane rectangular IX, and ogrinfo reads all 6 "
              "features; the coverage of a set shows its hole, missing, duplicated and outside tiles")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
