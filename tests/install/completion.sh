#!/usr/bin/env bash
# The bash completion of the four programs: each row is a command line whose
# last word is being completed and the words the completion must offer (all of them,
# in any order).
# usage: completion.sh COMPLETION_DIR
set -euo pipefail
dir=$1
source /usr/share/bash-completion/bash_completion
for program in kordexdb ertragon-report ertragon ctlhost; do
  source "$dir/$program"
done

failures=0
# program|words typed (the last one being completed)|offered words
while IFS='|' read -r program line expected; do
  [[ -z "$program" || "$program" == \#* ]] && continue
  read -r -a COMP_WORDS <<<"$program $line"
  [[ "$line" == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="$program $line"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  function=$(complete -p "$program" | sed 's/.*-F \([^ ]*\).*/\1/')
  # completion functions are not written for set -e
  "$function" "$program" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" || true
  offered=" ${COMPREPLY[*]} "
  for word in $expected; do
    if [[ "$offered" != *" $word "* ]]; then
      echo "completion: '$program $line' offers '${COMPREPLY[*]}', not '$word'" >&2
      failures=$((failures + 1))
    fi
  done
done <<'ROWS'
kordexdb|de|demo
kordexdb|ar|archive
kordexdb|up|upgrade
kordexdb|demo x.db --|--lines --seed --today --force --help
kordexdb|archive x.db --|--before --detach
kordexdb|user |set
kordexdb|user set x.db --active |J N
ertragon-report|1 0 DEM - x.db --each |pc habt abt hg
ertragon-report|1 0 DEM - x.db --table-mode |0 1 2 3 4
ertragon-report|--bo|--book --book-csv --book-json --book-xlsx
ertragon-report|--q|--quiet
ertragon-report|1 0 DEM - x.db --locale |de_DE system
ertragon-report|--help-|--help-all
kordexdb|--help-|--help-all
ertragon|--|--help --help-all --version --platform --style
ertragon|--platform |xcb wayland offscreen
ctlhost|--|--script --gui --help --help-all --version
ctlhost|--script |-
ctlhost|--gui cr|create
ROWS
exit $((failures > 0))
