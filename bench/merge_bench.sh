#!/usr/bin/env bash
# mifjoin against cat (the floor: the same bytes read and written) on
# synthetic sets, with and without --utf8; GDAL's Neutral UTF-8 with LF
# breaks, whose text the first pass reads whole; 10,000 small sources, listed and
# as a folder; a union of layers whose columns differ, which moves every
# value of every row; a set of points, a keyword line an object; a tile set
# of four layers a tile, one output a layer, and what --report costs there
# (callgrind); a tile set whose points lie in their meshes, with --mesh and
# --coverage, and the coverage of a nationwide set; the opens and attribute queries a source costs (strace);
# peak RSS on a 1 GB set. Prints MB/s, the ratio to cat, the
# counts and RSS. Uses about 4 GB of scratch disk.
#   bench/merge_bench.sh [build dir] [scratch dir]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build}" && pwd)"
work="${2:-$(mktemp -d /tmp/mifjoin-bench.XXXXXX)}"
mifjoin="$build/bin/mifjoin"
rounds=7

now() { date +%s.%N; }

# Best wall time of $rounds (or ROUNDS) runs of "$@".
best_seconds() {
  local best=""
  for _ in $(seq "${ROUNDS:-$rounds}"); do
    local start end
    start=$(now)
    "$@"
    end=$(now)
    best=$(awk -v a="$start" -v b="$end" -v best="$best" \
      'BEGIN { t = b - a; if (best == "" || t < best) best = t; printf "%.6f", best }')
  done
  echo "$best"
}

set_megabytes() { du -cb "$1"/*.mif "$1"/*.mid | awk 'END { printf "%.1f", $1 / 1e6 }'; }

cat_set() { cat "$1"/*.mif >"$work/cat.mif"; cat "$1"/*.mid >"$work/cat.mid"; }

list_set() { ls "$1"/*.mif >"$work/list.txt"; }

# Options after -o may give another output.
merge_set() { "$mifjoin" --quiet -o "$work/out" "${@:2}" --from-list "$work/list.txt"; }

# The set's folder as the one source argument; -o may be given after it.
merge_folder() { "$mifjoin" --quiet -o "$work/out" "${@:2}" "$1"; }

# The lesser of two times; the first when the second is empty.
least() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }

# compare NAME DIR TARGET [OPTION...]: TARGET is the least ratio to cat
# ("-" for none). With SYNC set, each run comes after a sync.
# MERGE (merge_set by default) is how the set is given to mifjoin. cat and
# mifjoin run in turns, so that the machine's drift (the write-back of the
# last run's output above all) falls on both alike.
compare() {
  local name="$1" dir="$2" target="$3" merge="${MERGE:-merge_set}"
  shift 3
  list_set "$dir"
  cat_set "$dir"  # warms the page cache
  local megabytes cat_time="" merge_time=""
  megabytes=$(set_megabytes "$dir")
  for _ in $(seq "${ROUNDS:-$rounds}"); do
    [[ -z "${SYNC:-}" ]] || sync
    cat_time=$(least "$(ROUNDS=1 best_seconds cat_set "$dir")" "$cat_time")
    [[ -z "${SYNC:-}" ]] || sync
    merge_time=$(least "$(ROUNDS=1 best_seconds "$merge" "$dir" "$@")" "$merge_time")
  done
  awk -v n="$name" -v mb="$megabytes" -v c="$cat_time" -v m="$merge_time" -v t="$target" 'BEGIN {
    printf "%-28s %8.1f MB  cat %8.0f MB/s  mifjoin %8.0f MB/s  ratio %.2f", n, mb, mb / c, mb / m, c / m
    if (t == "-") { print " (no target)"; exit }
    printf " (target %.2f: %s)\n", t, ((c / m >= t) ? "met" : (c / m >= 0.95 * t) ? "met within 5% noise" : "MISSED") }'
}

# The opens and stat-like queries (strace counts the calls that fail too)
# of a run over the first N sources of DIR: "opens queries".
file_system_calls() {
  local dir=$1 sources=$2 log="$work/strace.log"
  local files=("$dir"/*.mif)
  printf '%s\n' "${files[@]:0:$sources}" >"$work/list.txt"
  strace -f -qq -o "$log" \
    -e trace=open,openat,openat2,creat,stat,lstat,fstat,newfstatat,statx,access,faccessat,faccessat2 \
    "$mifjoin" --quiet -o "$work/out" --from-list "$work/list.txt"
  awk '/open(at2?)?\(|creat\(/ { opens++ } /stat|access/ { queries++ } END { print opens, queries }' "$log"
}

# What one more source costs: runs over 1,000 and 2,000 sources, the run's
# own calls (the program, the list, the output pair) taken away.
file_system_cost() {
  read -r opens1 queries1 < <(file_system_calls "$1" 1000)
  read -r opens2 queries2 < <(file_system_calls "$1" 2000)
  awk -v o=$((opens2 - opens1)) -v q=$((queries2 - queries1)) 'BEGIN {
    printf "file system: %.2f opens and %.2f attribute queries a source (at most 3 and 6: %s)\n",
           o / 1000, q / 1000, (o / 1000 <= 3 && q / 1000 <= 6) ? "met" : "MISSED" }'
}

peak_rss_kib() { "$build/bin/peak_rss" "$@" 2>&1 >/dev/null | awk '/peak RSS/ { print $3 }'; }

echo "scratch: $work"
# Sets of an earlier run would mix with these, whose names may differ.
rm -rf "$work"/{cp932,utf8,small,union,tiles,points,gdal,meshset,big,layers}
python3 "$here/MakeMifSet.py" "$work/cp932" --sources 200 --megabytes 200
python3 "$here/MakeMifSet.py" "$work/utf8" --sources 200 --megabytes 200 --utf8
python3 "$here/MakeMifSet.py" "$work/small" --sources 10000 --megabytes 50 --distinct 50
python3 "$here/MakeMifSet.py" "$work/union" --sources 100 --megabytes 100 --other-columns
python3 "$here/MakeMifSet.py" "$work/tiles" --sources 200 --megabytes 200 --layers-per-tile 4
python3 "$here/MakeMifSet.py" "$work/points" --sources 200 --megabytes 200 --points
python3 "$here/MakeMifSet.py" "$work/gdal" --sources 200 --megabytes 200 --gdal
python3 "$here/MakeMifSet.py" "$work/meshset" --sources 400 --megabytes 100 --layers-per-tile 4 \
  --distinct 400
# The sets' own write-back done before any time is taken, so that it
# slows neither cat nor mifjoin at the first sets.
sync
compare "200 sources" "$work/cp932" 1.0
compare "200 sources, --utf8" "$work/utf8" 0.8 --utf8
# As GDAL writes: Neutral, UTF-8, LF; read whole once more to find its charset.
compare "200 GDAL sources (Neutral)" "$work/gdal" 0.8
compare "10,000 small sources" "$work/small" 0.5
MERGE=merge_folder compare "10,000 small sources, a folder" "$work/small" 0.6
compare "100 MB, --columns union" "$work/union" 0.5 --columns union
# Every object a Point: a keyword line an object, rows a third of the bytes.
compare "200 sources of points" "$work/points" -
mkdir -p "$work/layers"
compare "50 tiles of 4 layers, --per-layer" "$work/tiles" 1.0 --per-layer -o "$work/layers/"
# A tile set of 100 tiles of four layers, every point inside its tile's
# mesh: without the check, then each point checked and the coverage drawn;
# each run after a sync.
SYNC=1 compare "100 MB tile set, --per-layer" "$work/meshset" 1.0 --per-layer -o "$work/layers/"
SYNC=1 compare "100 MB tile set, --mesh --coverage" "$work/meshset" 0.8 --per-layer --mesh \
  --coverage "$work/coverage.svg" -o "$work/layers/"
# The coverage of a nationwide set: placing, and the picture's size.
"$build/bin/coverage_bench"

# What --report costs: the same run with and without it, taken in turns so
# that the machine's drift (its write-back above all) falls on both alike:
# the wall times' best of many, and the processor time (user and system)
# summed over all. The report's own work, a few milliseconds, is less than
# either's noise on a shared machine; the instructions run (callgrind, when
# valgrind is there) tell it apart, and judge it.
cpu_seconds() {
  local TIMEFORMAT='%3U %3S' times
  times=$({ time "$@" >/dev/null 2>&1; } 2>&1)
  awk -v t="$times" 'BEGIN { split(t, p, " "); printf "%.3f", p[1] + p[2] }'
}
instructions() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$mifjoin" --quiet \
    --from-list "$work/list.txt" "$@" 2>&1 | awk '/Collected/ { print $4 }'
}
report_cost() {
  list_set "$work/tiles"
  local plain="" reported="" plain_cpu=0 reported_cpu=0
  local run=(merge_set "$work/tiles" --per-layer -o "$work/layers/")
  for _ in $(seq 21); do
    plain=$(least "$(ROUNDS=1 best_seconds "${run[@]}")" "$plain")
    reported=$(least "$(ROUNDS=1 best_seconds "${run[@]}" --report "$work/report.json")" "$reported")
    plain_cpu=$(awk -v a="$plain_cpu" -v b="$(cpu_seconds "${run[@]}")" 'BEGIN { print a + b }')
    reported_cpu=$(awk -v a="$reported_cpu" \
      -v b="$(cpu_seconds "${run[@]}" --report "$work/report.json")" 'BEGIN { print a + b }')
  done
  local plain_ins="" reported_ins=""
  if command -v valgrind >/dev/null; then
    plain_ins=$(instructions --per-layer -o "$work/layers/")
    reported_ins=$(instructions --per-layer -o "$work/layers/" --report "$work/report.json")
  fi
  awk -v p="$plain" -v r="$reported" -v pc="$plain_cpu" -v rc="$reported_cpu" \
      -v pi="$plain_ins" -v ri="$reported_ins" 'BEGIN {
    printf "--report on 200 tiles: %.1f%% more wall time (best of 21), %.1f%% more processor time", 100 * (r - p) / p, 100 * (rc - pc) / pc
    cost = (rc - pc) / pc
    if (pi != "") { cost = (ri - pi) / pi; printf ", %.1f%% more instructions", 100 * cost }
    printf " (under 2%%: %s)\n", (cost < 0.02) ? "met" : "MISSED" }'
}
report_cost
command -v strace >/dev/null && file_system_cost "$work/small"

python3 "$here/MakeMifSet.py" "$work/big" --sources 200 --megabytes 1000
list_set "$work/big"
for option in "" "--utf8"; do
  rss=$(peak_rss_kib "$mifjoin" --quiet $option -o "$work/out" --from-list "$work/list.txt")
  echo "peak RSS on $(set_megabytes "$work/big") MB ${option:-(no option)}: $((rss / 1024)) MiB ($rss KiB; target 8 MiB: $( ((rss <= 8192)) && echo met || echo MISSED))"
done
[[ -n "${2:-}" ]] || rm -rf "$work"
