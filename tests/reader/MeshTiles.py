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

    MeshTiles.py MIFJOIN WORKDIR
"""
import json
import os
import shutil
import subprocess
import sys

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

    for failure in failures:
        print("MeshTiles: " + failure)
    if not failures:
        print("mifjoin --mesh warns of GDAL's tile under its neighbour's code alone, in "
              "longitude and latitude and in plane rectangular IX, and ogrinfo reads all 6 "
              "features")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
