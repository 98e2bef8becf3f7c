# Two Tallix and an Edit on one form: AutoTab, TabOnEnter and the lost-focus sequence.
register ${ORVEL_LIBRARY}
register ${INKORA_LIBRARY}
create Zifra.Tallix.1 as Tag
set MaskType 0
set MaskDecimalPlaces 0
set MaskWholePlaces 2
set AutoTab true
set DataType 2
set ValidateType 1
set ValidateRangeLow "1"
set ValidateRangeHigh "31"
create Zifra.Tallix.1 as Monat
set MaskType 0
set MaskDecimalPlaces 0
set TabOnEnter true
set DataType 2
create Inkolib.Edit as Notiz
set Text ""
events
focus Tag
key End
key Backspace
type 35
events
focus Tag
key Backspace
type 4
events
use Monat
get Text
type 7
key Enter
events
use Notiz
type ok
tab
events
