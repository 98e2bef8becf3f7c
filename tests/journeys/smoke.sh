#!/usr/bin/env bash
# The real program under Xvfb: start the built ertragon on a fresh demo store,
# press F5, save the page through "&Datei" > "Als PDF speichern..." and check
# the PDF that comes out.
# usage: smoke.sh ERTRAGON KORDEXDB
set -euo pipefail
ertragon=$1 kordexdb=$2

if [[ -z "${SMOKE_IN_XVFB:-}" ]]; then
  export SMOKE_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$@"
fi

work=$(mktemp -d)
pid=
cleanup() { [[ -n "$pid" ]] && kill "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export ERTRAGON_CONTROL_REGISTRY=$work/controls.json
export ERTRAGON_PASSWORD=demo

fail() { echo "smoke: $*" >&2; exit 1; }

# Waits up to $1 seconds for a visible window whose name matches $2; prints its id.
wait_window() {
  local deadline=$((SECONDS + $1)) id
  while ((SECONDS < deadline)); do
    id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -1 || true)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.3
  done
  return 1
}

keys() { xdotool windowfocus --sync "$1" 2>/dev/null || true; shift; xdotool key --delay 150 "$@"; }

"$kordexdb" demo "$work/demo.db" --lines 20000 >/dev/null
"$ertragon" 1 0 DEM - "$work/demo.db" >"$work/ertragon.log" 2>&1 &
pid=$!

# The data basis is two months old: the question comes first; Escape answers No.
question=$(wait_window 120 "^Ertragon$") || fail "no data-basis question"
keys "$question" Escape
main=$(wait_window 60 "^KORDEX Ertragon") || fail "no main window"
keys "$main" F5
sleep 2
keys "$main" alt+d p
dialog=$(wait_window 30 "Als PDF speichern") || fail "no file dialog"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 20 "$work/page.pdf"
xdotool key Return

deadline=$((SECONDS + 30))
until [[ -s "$work/page.pdf" ]] || ((SECONDS > deadline)); do sleep 0.3; done
[[ -s "$work/page.pdf" ]] || fail "no PDF written"
pdfinfo "$work/page.pdf" | grep -q "^Pages: *1$" || fail "the PDF has not one page"
text=$(pdftotext -layout "$work/page.pdf" -)
grep -q "Gedruckt durch: " <<<"$text" || fail "the PDF holds no footer"
grep -q "Ertragon" <<<"$text" || fail "the PDF holds no title"
kill -0 "$pid" 2>/dev/null || fail "ertragon ended early: $(cat "$work/ertragon.log")"
# the month input is Orvel's Tallix, found beside the program (the registry is fresh)
if grep -q "month input unavailable" "$work/ertragon.log"; then
  fail "$(grep "month input unavailable" "$work/ertragon.log")"
fi
echo "smoke: F5 and the PDF export of the real program work"
