# A bound field: read, written back after typing, after a spin and after the calculator.
register ${ORVEL_LIBRARY}
row set Betrag 12.5
create Zifra.Tallix.1 as Summe
set MaskType 0
set MaskDecimalPlaces 2
set DataType 4
set SpinButton true
bind Summe Betrag
get Text
get DataChanged
events
focus Summe
key End
type 1
get DataChanged
row update
row get Betrag
get DataChanged
events
click spin-up
get DataChanged
row update
row get Betrag
events
key F4
type *2
key Enter
get DataChanged
row update
row get Betrag
events
# Another user changes the row; Escape reads it again over the user's change.
row set Betrag 3.0
get Text
type 9
key Escape
get Text
get DataChanged
events
row get Nope
bind Summe
