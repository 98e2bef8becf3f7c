# Events, by-reference KeyPress, Enter and the clipboard.
register ${INKORA_LIBRARY}
create Inkolib.Edit
set Text ""
events
set TextArt 3
focus
type ä!µ
get Text
beeps
events
handler KeyPress KeyAscii=0
type x
get Text
events
create Inkolib.Edit
set TextArt 0
set LängeNK 2
set Text ""
focus
type 7
key Enter
get Text
events
key Backspace
key Home
type 1
get Text
key c +ctrl
beeps
clipboard "geklebt"
clipboard
handler Nope X=1
handler KeyPress Nope=1
