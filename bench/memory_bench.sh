#!/usr/bin/env bash
# Peak memory of mifjoin on inputs made to exhaust it: a .mif of zero bytes
# without a line break, one object line and one row of hundreds of MB,
# plain and with --utf8; and 100,000 tiny sources in a folder, whose run may
# hold a few dozen bytes each. Prints the exit code and peak RSS of each;
# the bound is 64 MiB whatever the input, 16 MiB for the sources.
#   bench/memory_bench.sh [build dir] [megabytes, default 1024]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
megabytes="${2:-1024}"
work="$(mktemp -d /tmp/mifjoin-memory.XXXXXX)"
trap 'rm -rf "$work"' EXIT
header=$'Version 300\r\nDelimiter ","\r\nColumns 1\r\n  ID Char(10)\r\nData\r\n'

# Zero bytes: sparse, so making them costs no disk.
zeros() { truncate -s "$((megabytes * 1024 * 1024))" "$1"; }

run() {
  local name="$1"
  shift
  "$build/bin/peak_rss" "$build/bin/mifjoin" --quiet "$@" -o "$work/out" 2>"$work/err" || true
  local rss outcome=merged
  rss=$(awk '/peak RSS/ { print $3 }' "$work/err")
  grep -q '^mifjoin:' "$work/err" && outcome=refused
  printf '%-40s %-8s peak RSS %7d KiB (%d MiB)\n' "$name" "$outcome" "$rss" "$((rss / 1024))"
}

zeros "$work/zeros.mif"
printf '' >"$work/zeros.mid"
run "$megabytes MB of zero bytes as a header" "$work/zeros.mif"

printf '%s' "$header" >"$work/line.mif"
zeros "$work/tail"
cat "$work/tail" >>"$work/line.mif"  # one object line of zero bytes
rm "$work/tail"
printf '' >"$work/line.mid"
run "one $megabytes MB object line" "$work/line.mif"
run "one $megabytes MB object line, --utf8" --utf8 "$work/line.mif"

printf '%sNone\r\n' "$header" >"$work/row.mif"
zeros "$work/row.mid"  # one row of zero bytes
run "one $megabytes MB row" "$work/row.mif"

# The longest line that is still converted, with the longest header kept.
python3 - "$work/long.mif" <<'PY'
import sys
header = 'Version 300\r\nDelimiter ","\r\nColumns 1\r\n  ID Char(10)\r\n'
with open(sys.argv[1], "wb") as mif:
    mif.write(header.encode())
    mif.write(("Note " + "x" * 1000 + "\r\n").encode() * 8000)  # 8 MB of header
    mif.write(b"Data\r\nText \"" + "道".encode() * (5 * 1024 * 1024) + b"\"\r\n1 1 2 2\r\n")
PY
printf '1\r\n' >"$work/long.mid"
run "8 MB header, one 15 MB UTF-8 line, --utf8" --utf8 "$work/long.mif"

# Memory follows the longest line, not the file: one 64 MiB line, then a
# million short rows.
python3 - "$work/wide.mif" "$work/wide.mid" <<'PY'
import sys
header = b'Version 300\r\nDelimiter ","\r\nColumns 1\r\n  ID Char(10)\r\nData\r\n'
with open(sys.argv[1], "wb") as mif:
    mif.write(header + b"Text \"" + b"a" * (64 * 1024 * 1024) + b"\"\r\n1 1 2 2\r\n")
open(sys.argv[2], "wb").write(b"1\r\n")
PY
run "one 64 MiB line" "$work/wide.mif"
run "one 64 MiB line, --utf8" --utf8 "$work/wide.mif"
python3 - "$work/rows.mif" "$work/rows.mid" <<'PY'
import sys
header = b'Version 300\r\nDelimiter ","\r\nColumns 1\r\n  ID Char(10)\r\nData\r\n'
open(sys.argv[1], "wb").write(header + b"Point 1 2\r\n" * 1000000)
open(sys.argv[2], "wb").write(b"".join(b"%d\r\n" % i for i in range(1000000)))
PY
run "a million rows" "$work/rows.mif"
run "a million rows, --utf8" --utf8 "$work/rows.mif"

# A nationwide third-order mesh set has some 400,000 tiles a layer: memory
# grows with the sources only by what the run keeps of each.
python3 - "$work/tiny" <<'PY'
import os, sys
folder = sys.argv[1]
os.makedirs(folder)
header = b'Version 300\r\nCharset "WindowsJapanese"\r\nColumns 1\r\n  ID Integer\r\nData\r\n'
for i in range(100000):
    name = os.path.join(folder, "%08d__%s" % (53390000 + i // 2, ("ROAD", "RIVER")[i % 2]))
    with open(name + ".mif", "wb") as mif:
        mif.write(header + b"Point 139.7 35.6\r\n")
    with open(name + ".mid", "wb") as mid:
        mid.write(b"%d\r\n" % i)
PY
run "100,000 tiny sources, a folder" "$work/tiny"
find "$work/tiny" -name '*.mif' | sort >"$work/tiny.txt"
run "100,000 tiny sources, --from-list" --from-list "$work/tiny.txt"
run "100,000 tiny sources, --per-layer --tile-column" --per-layer --tile-column TILE "$work/tiny"
echo "(the 100,000 sources: target 16 MiB)"

# Each layer of a per-layer run costs what its plan keeps of it.
python3 - "$work/layers" <<'PY'
import os, sys
folder = sys.argv[1]
os.makedirs(folder)
header = b'Version 300\r\nCharset "WindowsJapanese"\r\nColumns 1\r\n  ID Integer\r\nData\r\n'
for i in range(10000):
    name = os.path.join(folder, "53390000__L%05d" % i)
    open(name + ".mif", "wb").write(header + b"Point 139.7 35.6\r\n")
    open(name + ".mid", "wb").write(b"%d\r\n" % i)
PY
mkdir "$work/outputs"
"$build/bin/peak_rss" "$build/bin/mifjoin" --quiet --per-layer "$work/layers" \
  -o "$work/outputs/" 2>"$work/err" || true
rss=$(awk '/peak RSS/ { print $3 }' "$work/err")
printf '%-40s %-8s peak RSS %7d KiB (%d MiB)\n' "10,000 one-tile layers, --per-layer" \
  "$(grep -q '^mifjoin:' "$work/err" && echo refused || echo merged)" "$rss" "$((rss / 1024))"
echo "(the 10,000 layers: target 16 MiB)"
