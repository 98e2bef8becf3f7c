# The painted colour of each state: null text, negative, focused, locked.
register ${ORVEL_LIBRARY}
create Zifra.Tallix.1
set MaskType 0
set MaskZeroIfNull false
set NullText "(leer)"
set NullBackColor 65280
set NegBackColor 255
set FocusBackColor 16711680
set Text ""
pixel 3 3
set Text "-5"
pixel 3 3
focus
pixel 3 3
blur
set Locked true
set ReadOnlyBackColor 8421504
pixel 3 3
pixel 3 500
