#!/usr/bin/env bash
# Takes the two window screenshots of docs/ under a virtual X server, the way
# a user's screen shows the window, cropped to the window.
#   bench/gui/screenshots.sh [build-dir]
# and the same at twice the size, as on a high-density screen.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${1:-build-app}
showcase="$build_dir/bench/gui/gui_showcase"

shoot() {  # mode output [scale] [window title]
  local scale=${3:-1}
  QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 $((1280 * scale))x$((1024 * scale))x24" bash -c '
    "$0" "$1" &
    pid=$!
    for _ in $(seq 50); do
      xwininfo -name "$3" >/dev/null 2>&1 && break
      sleep 0.2
    done
    sleep 2
    info=$(xwininfo -name "$3")
    x=$(awk "/Absolute upper-left X/{print \$4}" <<<"$info")
    y=$(awk "/Absolute upper-left Y/{print \$4}" <<<"$info")
    w=$(awk "/Width:/{print \$2}" <<<"$info")
    h=$(awk "/Height:/{print \$2}" <<<"$info")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
    kill "$pid"
  ' "${SHOWCASE:-$showcase}" "$1" "$2" "${4:-Tavrinel v1.15}"
}

shoot input docs/input-panel.png
shoot reading docs/reading.png
shoot sky-check docs/sky-check.png
# A high-density screen: everything twice as large, and as sharp.
shoot input docs/input-panel-2x.png 2
shoot reading docs/reading-2x.png 2
for tab in south north table; do
  shoot chart-$tab docs/chart-$tab.png 1 "Chart - Ann"
done
shoot chart-dasha docs/dasha.png 1 "Chart - Ann"
shoot chart-vargas docs/vargas.png 1 "Chart - Ann"
shoot chart-strength docs/strength.png 1 "Chart - Ann"
# The atlas: "Pun" typed and Pune picked for a birth on 15 July 1990, and
# Chicago on 4 July 1990.
SHOWCASE="$build_dir/bench/gui/gui_atlas_showcase" shoot pune docs/atlas-pune.png
SHOWCASE="$build_dir/bench/gui/gui_atlas_showcase" shoot chicago docs/atlas-chicago.png
echo "docs/atlas-{pune,chicago}.png docs/input-panel.png docs/reading.png docs/sky-check.png docs/input-panel-2x.png docs/reading-2x.png docs/chart-{south,north,table}.png docs/dasha.png docs/vargas.png docs/strength.png"
