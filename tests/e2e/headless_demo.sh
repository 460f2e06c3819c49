#!/usr/bin/env bash
# headless_demo.sh SOURCE_DIR BUILD_DIR: the README's first command on a
# machine with no display, and the keypad screenshot it leaves.
set -euo pipefail
source_dir=$1 build_dir=$2
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT

env -u DISPLAY DEMO_SCREENSHOTS="$shots" CORVANE_BUILD_DIR="$build_dir" "$source_dir/scripts/demo"

png=$shots/keypad.png
[[ -s $png ]] || { echo "headless_demo: no keypad screenshot" >&2; exit 1; }
[[ $(head -c 8 "$png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] ||
  { echo "headless_demo: $png is not a PNG" >&2; exit 1; }
shot_size=$(identify -format "%w %h" "$png")
read -r window_size <"$shots/keypad.size"
[[ $shot_size == "$window_size" ]] ||
  { echo "headless_demo: screenshot is $shot_size, the keypad $window_size" >&2; exit 1; }
echo "headless_demo: passed ($shot_size keypad screenshot)"
