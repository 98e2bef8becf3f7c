# The month input of the analysis program: a whole number 1 to 12, checked on leaving.
register ${ORVEL_LIBRARY}
create Zifra.Tallix.1 txtMonat
set MaskType 0
set MaskDecimalPlaces 0
set MaskWholePlaces 2
set MaskAllowNegative false
set DataType 1
set ValidateType 1
set ValidateRangeLow "1"
set ValidateRangeHigh "12"
set KeepFocusOnError false
focus
key End
type 135
get Text
get Value
blur
events
get MaskError
focus
key Backspace
get Text
blur
events
get MaskError
set Text "1.5"
set Value 7
get Text
call DoSpinClick 1
get Text
call DoSpinClick 1
call DoSpinClick 1
call DoSpinClick 1
call DoSpinClick 1
call DoSpinClick 1
get Text
events
focus
key F4
type 2+3*4=
get CalcDispText
key Enter
get Text
events
mode design
get Value
get Text
