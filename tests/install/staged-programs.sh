#!/usr/bin/env bash
# The install tree as a package lays it out: installs the build into a staging root
# through DESTDIR, checks the desktop, manual and completion files there, and runs the
# staged kordexdb, ertragon-report and ertragon (under Xvfb, with a fresh control
# registry, so that it must find the staged Orvel beside itself) on a demo store.
# usage: staged-programs.sh BUILD WORK APP_ID SMOKE_SCRIPT
set -euo pipefail
build=$1 work=$2 app_id=$3 smoke=$4

rm -rf "$work"
mkdir -p "$work"
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
usr=$work/stage/usr
fail() { echo "staged: $*" >&2; exit 1; }

files=(bin/ertragon bin/ertragon-report bin/kordexdb bin/ctlhost
       "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml"
       "share/icons/hicolor/scalable/apps/$app_id.svg"
       share/doc/ertragon/examples/ertragon-report-book@.service
       share/doc/ertragon/examples/ertragon-report-book@.timer
       share/doc/ertragon/examples/report-book.conf share/doc/ertragon-tools/README.md
       include/ErtragonControls/Tallix.h include/ErtragonControls/Edit.h)
for program in ertragon ertragon-report kordexdb ctlhost; do
  files+=("share/man/man1/$program.1.gz" "share/man/de/man1/$program.1.gz"
          "share/bash-completion/completions/$program")
done
for package in ertragon libinkora1 liborvel1 ertragon-dev ertragon-designer-plugin \
               ertragon-tools; do
  files+=("share/doc/$package/copyright" "share/doc/$package/changelog.gz")
done
for f in "${files[@]}"; do
  [[ -f "$usr/$f" ]] || fail "missing $f"
done
# lib/ or lib/<multiarch>/, as the prefix chose; the system registry entries beside
for library in libOrvel.so.1 libInkora.so.1 ertragon/controls/libOrvel.so.1.json \
               ertragon/controls/libInkora.so.1.json; do
  compgen -G "$usr/lib/$library" >/dev/null || compgen -G "$usr/lib/*/$library" >/dev/null \
    || fail "missing $library"
done
# the commented sample of the machine's login defaults, below the prefix's etc/
compgen -G "$work/stage/*etc/xdg/Ertragon/login-defaults.ini" >/dev/null \
  || compgen -G "$work/stage/*/*/etc/xdg/Ertragon/login-defaults.ini" >/dev/null \
  || fail "missing etc/xdg/Ertragon/login-defaults.ini"
desktop-file-validate "$usr/share/applications/$app_id.desktop"
# quiet when valid; on a failure the second run shows why and fails the test
appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml" >/dev/null \
  || appstreamcli validate --no-net "$usr/share/metainfo/$app_id.metainfo.xml"
zcat "$usr/share/man/man1/kordexdb.1.gz" | grep -qF '\-\-version' \
  || fail "kordexdb.1 does not describe --version"

# the programs from the staging root, on a demo store
export QT_QPA_PLATFORM=offscreen
"$usr/bin/kordexdb" demo "$work/demo.db" --lines 3000 --today 2005-03-15 >/dev/null
"$usr/bin/kordexdb" check "$work/demo.db" >/dev/null
ERTRAGON_PASSWORD=demo "$usr/bin/ertragon-report" 1 0 DEM - "$work/demo.db" \
  --today 2005-03-15 --pdf "$work/report.pdf" --json "$work/report.json"
[[ -s "$work/report.pdf" && -s "$work/report.json" ]] || fail "ertragon-report wrote nothing"
unset QT_QPA_PLATFORM
bash "$smoke" "$usr/bin/ertragon" "$usr/bin/kordexdb"
