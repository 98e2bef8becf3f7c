#!/usr/bin/env bash
# Builds the consumer with pkg-config and uic alone, as a Makefile would:
#   build-with-pkg-config.sh OUTPUT_DIR [EXTRA_FLAGS]
# PKG_CONFIG_PATH may point at a staged tree; the libraries' folder comes from orvel.pc.
set -euo pipefail
source=$(cd "$(dirname "$0")" && pwd)
out=$1 flags=${2:-}
mkdir -p "$out"
modules="orvel inkora kordex ertragon-controlwidgets"
libdir=$(pkg-config --variable=libdir orvel)
uic=$(pkg-config --variable=libexecdir Qt6Core)/uic
[[ -x "$uic" ]] || uic=/usr/lib/qt6/libexec/uic
"$uic" "$source/form.ui" -o "$out/ui_form.h"
# shellcheck disable=SC2046,SC2086
c++ -std=c++20 -fPIC $flags -I"$out" "$source/consumer.cpp" -o "$out/consumer" \
  -DORVEL_LIBRARY="\"$libdir/libOrvel.so\"" -DINKORA_LIBRARY="\"$libdir/libInkora.so\"" \
  $(pkg-config --cflags $modules) $(pkg-config --libs $modules)
