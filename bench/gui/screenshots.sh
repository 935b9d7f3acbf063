#!/usr/bin/env bash
# Takes the two window screenshots of docs/ under a virtual X server, the way
# a user's screen shows the window, cropped to the window.
#   bench/gui/screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build-app}
showcase="$build_dir/bench/gui/gui_showcase"

shoot() {  # mode output [window title]
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" "$1" &
    pid=$!
    for _ in $(seq 50); do
      xwininfo -name "$3" >/dev/null 2>&1 && break
      sleep 0.2
    done
    sleep 1
    info=$(xwininfo -name "$3")
    x=$(awk "/Absolute upper-left X/{print \$4}" <<<"$info")
    y=$(awk "/Absolute upper-left Y/{print \$4}" <<<"$info")
    w=$(awk "/Width:/{print \$2}" <<<"$info")
    h=$(awk "/Height:/{print \$2}" <<<"$info")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
    kill "$pid"
  ' "$showcase" "$1" "$2" "${3:-Tavrinel v1.15}"
}

shoot input docs/input-panel.png
shoot reading docs/reading.png
for tab in south north table; do
  shoot chart-$tab docs/chart-$tab.png "Chart - Ann"
done
echo "docs/input-panel.png docs/reading.png docs/chart-{south,north,table}.png"
