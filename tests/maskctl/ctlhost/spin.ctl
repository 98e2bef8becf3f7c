# Spin buttons and keys: single clicks, holding with auto-repeat, moving off, the keys.
register ${ORVEL_LIBRARY}
create Zifra.Tallix.1
set MaskType 0
set MaskDecimalPlaces 0
set DataType 2
click spin-up
set SpinButton true
click spin-up
click spin-down right
get Text
events
# Held: the first repeat after 500 ms, then every 100 ms, and one more at the release.
press spin-up
wait 450
get Text
wait 300
release spin-up
get Text
# Moving off the half stops the repeats for the rest of the press.
press spin-down
wait 550
move 5 5
wait 500
move spin-down
wait 500
release spin-down
get Text
set SpinButtonEnabled false
click spin-up
get Text
set EllipsesButton true
click ellipsis
events
focus
key NumPlus
key NumMinus
key NumMinus
get Text
events
