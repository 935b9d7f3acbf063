#!/usr/bin/env bash
# Takes the atlas screenshots of docs/ under a virtual X server: "Pun" typed
# and Pune picked for a birth on 15 July 1990, and Chicago on 4 July 1990.
#   bench/gui/atlas_screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build}
showcase="$build_dir/bench/gui/gui_atlas_showcase"

shoot() {  # mode output
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$1" &
    pid=$!
    for _ in $(seq 50); do
      xwininfo -name "Tavrinel v1.15" >/dev/null 2>&1 && break
      sleep 0.2
    done
    sleep 2
    info=$(xwininfo -name "Tavrinel v1.15")
    x=$(awk "/Absolute upper-left X/{print \$4}" <<<"$info")
    y=$(awk "/Absolute upper-left Y/{print \$4}" <<<"$info")
    w=$(awk "/Width:/{print \$2}" <<<"$info")
    h=$(awk "/Height:/{print \$2}" <<<"$info")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
    kill "$pid"
  ' "$showcase" "$1" "$2"
}

shoot pune docs/atlas-pune.png
shoot chicago docs/atlas-chicago.png
echo "docs/atlas-pune.png docs/atlas-chicago.png"
