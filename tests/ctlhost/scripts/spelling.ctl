# Automatic spell check with a small dictionary; an unattended host takes the first suggestion.
register ${INKORA_LIBRARY}
create Inkolib.Edit
set MainDictFile "${CTLHOST_DATA}/test"
get MainDictFile
set Text "Hauss"
get Text
set AutoSpellCheck true
set Text ""
events
set Text "Baum Hauss"
get Text
set MainDictFile "${CTLHOST_DATA}/missing"
call SpellCheck
