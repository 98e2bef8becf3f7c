# The drop-down calculator by mouse and keys, and what ends it.
register ${ORVEL_LIBRARY}
create Zifra.Tallix.1
set MaskType 0
set MaskDecimalPlaces 2
set DataType 4
set Text "9"
click dropdown
get CalcVisible
get CalcDispText
click calc:sq
click calc:×
click calc:1
click calc:.
click calc:5
click calc:=
get CalcDispText
click calc:M+
click calc:C
click calc:MS
get CalcDispText
click calc:+-
click calc:#18
get CalcDispText
click outside
get CalcVisible
get Text
events
# Keys go to the calculator, with the control's KeyPress for each.
focus
key F4
type 7/
key Backspace
type 2=
get CalcDispText
key Enter
get Text
events
# The focus leaves the control while the calculator is open: "=", transfer, close.
key F4
type 1+1
blur
get CalcVisible
get Text
events
click calc:7
