# Errors print and the script goes on.
get Text
register ${CTLHOST_WORK}/no-such-library.so
create Inkolib.Edit
register ${INKORA_LIBRARY}
create No.Such.Control
create Inkolib.Edit
frobnicate
set TextArt "abc"
set Nope 1
get Nope
call Nope
call EditArtName
set AlignmentText 3
set Text "unterminated
mode sideways
key Weird
resize -1 5
beeps
unregister ${INKORA_LIBRARY}
create Inkolib.Edit
