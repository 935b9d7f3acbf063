#!/usr/bin/env bash
# Runs the window under a private X server, D-Bus session and accessibility
# bus, and walks what a screen reader is given (atspi_walk.py). Nothing of the
# user's is touched: HOME, the XDG folders and the lock live in a temporary
# folder, removed on exit with every process started here.
#
# Usage: atspi_test.sh TAVRINEL_EXECUTABLE
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)
# The system's interpreter: the accessibility bindings are Debian's, and a
# Python of another origin on PATH would not find them.
python=/usr/bin/python3

for tool in Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  if ! command -v "$tool" >/dev/null; then
    echo "atspi_test: $tool is missing (scripts/install-deps installs it)" >&2
    exit 1
  fi
done
if ! "$python" -c 'import pyatspi' 2>/dev/null; then
  echo "atspi_test: $python cannot import pyatspi (Debian: python3-pyatspi)" >&2
  exit 1
fi

sandbox=$(mktemp -d "${TMPDIR:-/tmp}/tavrinel-atspi.XXXXXX")
xvfb_pid=
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$sandbox"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

mkdir -p "$sandbox"/{home,config,data,cache,state,runtime}
chmod 700 "$sandbox/runtime"
export HOME=$sandbox/home XDG_CONFIG_HOME=$sandbox/config XDG_DATA_HOME=$sandbox/data
export XDG_CACHE_HOME=$sandbox/cache XDG_STATE_HOME=$sandbox/state XDG_RUNTIME_DIR=$sandbox/runtime
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS SESSION_MANAGER

# A display number nobody holds, chosen by the server itself. The file is
# there before the server starts, so the first look never races its opening.
: >"$sandbox/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset \
  3>"$sandbox/display" >"$sandbox/xvfb.log" 2>&1 &
xvfb_pid=$!
display=
for _ in $(seq 200); do
  display=$(head -n1 "$sandbox/display")
  [[ -n "$display" ]] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "atspi_test: Xvfb did not start:" >&2
    cat "$sandbox/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
if [[ -z "$display" ]]; then
  echo "atspi_test: Xvfb gave no display number within 10 s" >&2
  exit 1
fi
export DISPLAY=:$display

# The window's accessibility is on without a desktop asking for it. Once
# the walk ends, the session bus goes, and with it the accessibility bus.
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

dbus-run-session -- "$python" "$here/atspi_walk.py" "$program"
