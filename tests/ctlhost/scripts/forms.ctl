# Several controls on one form: names, the current control, focus and the Tab key.
register ${INKORA_LIBRARY}
create Inkolib.Edit as A
set Text ""
set TextArt 0
set LängeNK 2
create Inkolib.Edit as B
set Text ""
get TextArt
use A
get TextArt
focus A
type 7
tab
get Text
type x
events
use B
get Text
backtab
type 1
events
use Nope
focus Nope
bind Nope Feld
# The old form of create still replaces the current control.
use A
create Inkolib.Edit
get TextArt
focus B
type q
events
