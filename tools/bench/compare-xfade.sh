#!/usr/bin/env bash
# Side by side with ffmpeg's xfade filter: the processor time one transition frame costs there
# and here, at 1920x1080 and 3840x2160, for twelve transitions that the two have in common.
#
#   tools/bench/compare-xfade.sh            (after a build into build/; BUILD_DIR=... for another)
#
# ffmpeg (the Debian package, installed when missing) runs single-threaded on its planar RGB
# format gbrp; each still is decoded once and looped inside the filter graph, and the time of the
# same graph without xfade is subtracted, so that only xfade's own work per frame remains. Ours
# is corvane-bench's time to compose one frame (the copy of the old frame included), averaged
# over progress 1 to 99. The two are measured in turn, A B A B, three times each, and the
# medians are compared. Entries that are not built yet show as n/a.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=${BUILD_DIR:-build}
case $build_dir in /*) ;; *) build_dir=$root/$build_dir ;; esac
bench=$build_dir/tools/corvane-bench
samples=$build_dir/tools/corvane-samples
frames=${FRAMES:-40}  # frames per ffmpeg run
rounds=3

for tool in "$bench" "$samples"; do
  if [ ! -x "$tool" ]; then
    echo "compare-xfade.sh: $tool is missing; build the project first (make test, or cmake --build $build_dir)" >&2
    exit 2
  fi
done

if ! command -v ffmpeg >/dev/null; then
  echo "Installing ffmpeg"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends ffmpeg >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sizes=(1920x1080 3840x2160)
pairs=(fade:118 wiperight:5 wipeleft:6 slideleft:129 circleopen:84 horzopen:28 vertopen:11
       dissolve:169 pixelize:168 radial:143 diagtl:110 squeezeh:131)

for size in "${sizes[@]}"; do
  "$samples" --out "$work/$size" --count 2 --size "$size" --format png
done

# Processor seconds (user and system) of one ffmpeg run whose graph ends in $2 ("[a][b]... [v]").
ffmpeg_seconds() {
  local size=$1 tail=$2
  local stills=("$work/$size"/*.png)
  local loop="format=gbrp,loop=loop=$((frames - 1)):size=1:start=0,setpts=N/25/TB"
  ffmpeg -hide_banner -nostdin -benchmark -filter_complex_threads 1 \
    -threads 1 -i "${stills[0]}" -threads 1 -i "${stills[1]}" \
    -filter_complex "[0:v]$loop[a];[1:v]$loop[b];$tail" \
    -map '[v]' -threads 1 -f null - 2>&1 |
    sed -n 's/^bench: utime=\([0-9.]*\)s stime=\([0-9.]*\)s.*/\1 \2/p' |
    awk '{ printf "%.6f\n", $1 + $2 }'
}

# Milliseconds of xfade's own work per frame.
xfade_ms() {
  local size=$1 transition=$2
  local duration
  duration=$(awk -v n="$frames" 'BEGIN { printf "%.4f", n / 25 }')
  local with without
  with=$(ffmpeg_seconds "$size" "[a][b]xfade=transition=$transition:duration=$duration:offset=0[v]")
  without=$(ffmpeg_seconds "$size" "[a]null[v];[b]nullsink")
  awk -v a="$with" -v b="$without" -v n="$frames" 'BEGIN { printf "%.3f\n", (a - b) * 1000 / n }'
}

# Our milliseconds per frame, or nothing when the entry is not built.
ours_ms() {
  local size=$1 effect=$2
  local out=$work/bench.json
  "$bench" --benchmark_filter="^Effect/$effect/$size\$" --benchmark_min_time=0.3 \
    --benchmark_format=json --benchmark_out="$out" >/dev/null 2>&1
  python3 - "$out" "$effect" "$size" <<'EOF'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
for r in runs:
    if r["name"] == "Effect/%s/%s" % (sys.argv[2], sys.argv[3]):
        print("%.3f" % r["cpu_time"])  # milliseconds: the benchmark's unit
EOF
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-11s %5s  %-9s  %15s  %15s  %9s\n' xfade entry size "xfade ms/frame" "ours ms/frame" "xfade/ours"
for size in "${sizes[@]}"; do
  for pair in "${pairs[@]}"; do
    transition=${pair%%:*}
    effect=${pair##*:}
    theirs=()
    ours=()
    for ((round = 0; round < rounds; round++)); do
      theirs+=("$(xfade_ms "$size" "$transition")")
      ms=$(ours_ms "$size" "$effect")
      if [ -z "$ms" ]; then break; fi
      ours+=("$ms")
    done
    if [ ${#ours[@]} -eq 0 ]; then
      printf '%-11s %5s  %-9s  %15s  %15s  %9s\n' "$transition" "$effect" "$size" \
        "$(median "${theirs[@]}")" "n/a" "n/a"
      continue
    fi
    a=$(median "${theirs[@]}")
    b=$(median "${ours[@]}")
    printf '%-11s %5s  %-9s  %15s  %15s  %9s\n' "$transition" "$effect" "$size" "$a" "$b" \
      "$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.1f", a / b }')"
  done
done
