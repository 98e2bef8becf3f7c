#!/usr/bin/env bash
# The real program read through AT-SPI: start the built ertragon on a fresh demo store
# under Xvfb, with its own D-Bus session and accessibility bus, and let atspi_check.py
# read it as a screen reader does. Exit 77 (skipped) only when no bus can be started.
# usage: atspi.sh ERTRAGON KORDEXDB
set -euo pipefail
ertragon=$1 kordexdb=$2
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "atspi: skipped: $*" >&2; exit 77; }

if [[ -z "${ATSPI_IN_XVFB:-}" ]]; then
  export ATSPI_IN_XVFB=1
  command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing (package dbus)"
  exec xvfb-run -a -s "-screen 0 1600x1000x24" dbus-run-session -- "$0" "$@"
fi

launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher \
  2>/dev/null | head -1 || true)
[[ -n "$launcher" ]] || skip "at-spi-bus-launcher is missing (package at-spi2-core)"
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || skip "pyatspi is missing (python3-pyatspi)"

work=$(mktemp -d)
pid= bus=
cleanup() {
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
  [[ -n "$bus" ]] && kill "$bus" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export ERTRAGON_CONTROL_REGISTRY=$work/controls.json
export ERTRAGON_PASSWORD=demo
fail() { echo "atspi: $*" >&2; exit 1; }

"$launcher" --launch-immediately >"$work/bus.log" 2>&1 &
bus=$!
deadline=$((SECONDS + 20))
until address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
  org.a11y.Bus.GetAddress 2>/dev/null) && [[ -n "${address// /}" ]]; do
  ((SECONDS < deadline)) || skip "the accessibility bus did not start: $(cat "$work/bus.log")"
  sleep 0.3
done

"$kordexdb" demo "$work/demo.db" --lines 20000 >/dev/null
"$ertragon" 1 0 DEM - "$work/demo.db" >"$work/ertragon.log" 2>&1 &
pid=$!

# The data basis is two months old: the question comes first; Escape answers No.
deadline=$((SECONDS + 120))
until question=$(xdotool search --onlyvisible --name "^Ertragon$" 2>/dev/null | head -1) \
  && [[ -n "$question" ]]; do
  ((SECONDS < deadline)) || fail "no data-basis question: $(cat "$work/ertragon.log")"
  sleep 0.3
done
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key Escape

/usr/bin/python3 "$here/atspi_check.py" "$pid" || fail "the AT-SPI check failed"
kill -0 "$pid" 2>/dev/null || fail "ertragon ended early: $(cat "$work/ertragon.log")"
