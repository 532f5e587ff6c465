#!/bin/sh
# Whole-process times of `sestava run` over a 10 000-row, six-column CSV: to
# text and to PDF. Makes the CSV and a template in a temporary directory, runs
# each output RUNS times after one warm-up run and prints every time and the
# median in milliseconds.
#
#   bench/sestava_bench.sh [path/to/sestava] [RUNS]   (default: build/report/sestava, 5)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-$root/build/report/sestava}
runs=${2:-5}
[ -x "$tool" ] || { echo "no executable at $tool" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The data: point number, temperature, pressure and three derived columns.
awk 'BEGIN {
  print "bod,t,p,v,h,s"
  for (i = 1; i <= 10000; i++) {
    t = 20 + (i % 600); p = 0.1 + (i % 250) / 10
    printf "%d,%.2f,%.3f,%.6f,%.2f,%.4f\n", i, t, p, 0.001 + t / 1e5, 4.19 * t, 0.3 + t / 500
  }
}' >"$work/steam.csv"

# A template: a title parameter, the column captions in the page header, one
# body line of all columns, the page number in the footer; A4, half-inch margins.
{
  printf 'I,0,"sestava bench"\r\n'
  printf 'I,1,4,0,120\r\n'
  printf 'I,2,0,826,1169,50,50,50,50,1,0,0\r\n'
  printf 'I,3,0,1,30,0\r\nI,3,1,1,25,0\r\nI,3,2,1,20,0\r\nI,3,3,0,0,0\r\nI,3,4,1,30,0\r\n'
  printf 'I,6,0,8,8,0,1,0,0\r\n'
  printf 'Z,4,0,0,0,726,20,Arial,10,0,1,0,0,0,"",0,0,0\r\n'
  x=0
  for c in bod t p v h s; do
    printf 'H,3,%s,%d,0,116,20,Arial,10,0,1,1,8,0,"",0,0,0\r\n' "$c" "$x"
    printf 'T,2,%s,%d,0,116,20,Arial,10,0,0,1,0,0,"",0,0,0\r\n' "$c" "$x"
    x=$((x + 121))
  done
  printf 'P,5,3,283,10,80,20,Arial,10,0,0,1,0,0,"Strana %%d",0,0,0\r\n'
} >"$work/steam.pts"

# Milliseconds of one run of the command given.
run_ms() {
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

measure() {
  label=$1
  shift
  "$@" >/dev/null  # warm-up (and a check that it works)
  times=""
  i=0
  while [ "$i" -lt "$runs" ]; do
    times="$times $(run_ms "$@")"
    i=$((i + 1))
  done
  median=$(printf '%s\n' $times | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
  echo "$label: median $median ms (runs:$times)"
}

set -- "$tool" run "$work/steam.pts" --data "$work/steam.csv" --param "10 000 rows" --quiet
measure "text" "$@" --text "$work/out.txt"
measure "pdf " "$@" --pdf "$work/out.pdf"
pages=$(pdfinfo "$work/out.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }' || true)
echo "($(wc -c <"$work/out.txt") bytes of text, ${pages:-?} PDF pages of $(wc -c <"$work/out.pdf") bytes)"
