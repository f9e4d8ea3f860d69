#!/usr/bin/env bash
# The demo `make run` shows: two procedural pictures and the frames of a few transitions between
# them, written into <build>/demo/.
set -euo pipefail
build=${1:-build}
demo="$build/demo"
mkdir -p "$demo"
"$build/tools/corvane-samples" --out "$demo/pictures" --count 2 --size 960x540 --format bmp
old="$demo/pictures/01-sunset.bmp"
new="$demo/pictures/02-plasma.bmp"
for effect in 1 14 41 51 54 57; do
  name=$("$build/tools/corvane-render" --list | awk -F'\t' -v n="$effect" '$1 == n {print $2}')
  folder="$demo/effect-$(printf %03d "$effect")"
  rm -rf "$folder"
  mkdir -p "$folder"
  "$build/tools/corvane-render" --from "$old" --to "$new" --effect "$effect" --step 10 \
    --frames "$folder/frame-%03d.png" 2>/dev/null
  echo "  $name: $folder/"
done
echo "Demo frames written under $demo/ (each folder holds one transition, frame-001.png onward)."
