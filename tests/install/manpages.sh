#!/usr/bin/env bash
# The manual pages of the four programs, German and English: the sections a manual page
# of the platform has, no complaint of man or lexgrog (what lintian checks), every option
# of the program's --help and every exit status it lists.
# usage: manpages.sh MAN_DIR PROGRAM...   (MAN_DIR holds de/NAME.1 and en/NAME.1)
set -euo pipefail
man_dir=$1
shift
export LC_ALL=C.UTF-8 MANWIDTH=80
failures=0
fail() { echo "manpages: $*" >&2; failures=$((failures + 1)); }

sections_de=(BEZEICHNUNG ÜBERSICHT BESCHREIBUNG OPTIONEN EXIT-STATUS DATEIEN UMGEBUNG)
sections_en=(NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES ENVIRONMENT)

for program_file in "$@"; do
  program=$(basename "$program_file")
  help=$(ASAN_OPTIONS=detect_leaks=0 "$program_file" --help)
  options=$(grep -oE -- '--[a-z][a-z-]*[a-z]' <<<"$help" | sort -u)
  # the numbers of "Exit status: 0 done, 1 ..." (or "Rückgabewerte:") to the end
  statuses=$(sed -n '/\(Exit status\|Rückgabewerte\):/,$p' <<<"$help" | tr '\n' ' ' \
    | grep -oE '(:|,) *[0-9]+ ' | grep -oE '[0-9]+' | sort -u)
  [[ -n "$statuses" ]] || fail "$program --help lists no exit status"
  for language in de en; do
    page=$man_dir/$language/$program.1
    [[ -f "$page" ]] || { fail "missing $page"; continue; }
    warnings=$(MANROFFSEQ='' man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null || true)
    [[ -z "$warnings" ]] || fail "$language/$program.1: $warnings"
    lexgrog "$page" >/dev/null 2>&1 || fail "$language/$program.1: lexgrog finds no NAME line"
    text=$(man -l -Tutf8 "$page" 2>/dev/null | col -b | sed 's/\xe2\x80\x90/-/g; s/\xe2\x88\x92/-/g')
    declare -n sections=sections_$language
    for section in "${sections[@]}"; do
      grep -q "^$section\$" <<<"$text" || fail "$language/$program.1 has no section $section"
    done
    for option in $options; do
      grep -qF -- "$option" <<<"$text" || fail "$language/$program.1 does not name $option"
    done
    listed=$(sed -n '/^\(EXIT STATUS\|EXIT-STATUS\)$/,/^[A-Z]/p' <<<"$text" \
      | grep -oE '^ +[0-9]+ ' | grep -oE '[0-9]+' | sort -u)
    [[ "$listed" == "$statuses" ]] \
      || fail "$language/$program.1 lists the exit statuses $(echo $listed), --help $(echo $statuses)"
  done
done
exit $((failures > 0))
