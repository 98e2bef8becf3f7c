# Limits, formatting and Value through the Text and Value properties.
register ${INKORA_LIBRARY}
create Inkolib.Edit
set TextArt 0
set MaxWert "100"
set MinWert "-5"
set Text "250"
get Text
beeps
set Text "-7"
get Text
set Text "50"
get Text
beeps
set MaxWert "x"
set MinWert "x"
set LängeVK 3
set LängeNK 2
set Text "12345,678"
get Text
set Text "7"
get Text
get Value
set LängeVK "x"
set LängeNK "x"
set TausenderTrennzeichen true
set Text "1234567,5"
get Text
get Value
set TausenderTrennzeichen false
set KommaZeichenValue "."
set Text "12,5"
get Value
set KommaZeichenValue ","
set Text "25%"
get Text
get Value
set Value "1234,5"
get Text
set MaxWert "999"
set LängeVK "x"
get LängeVK
set LängeVK "2,5"
get LängeVK
beeps
set MinWert "5"
set MaxWert "3"
get MaxWert
# Hexadecimal
set MaxWert "255"
set MinWert "x"
set LängeVK "x"
set TextArt 1
set Text "1FF"
get Text
get Value
set MaxWert "x"
set Value 65535
get Text
get Value
# Text kinds: minimum length and cut at the end
set LängeVK "x"
get LängeVK
set TextArt 2
set MinLänge 5
set Text "ab"
get Text
set MinLänge 0
set LängeVK 4
set Text "abcdef"
get Text
# A bound with decimals keeps them when a number is clamped to it
set TextArt 0
set MinLänge 0
set LängeVK "x"
set MaxWert "10,5"
set MinWert "-0,5"
set Text "11"
get Text
get Value
set Text ""
focus
type -1
blur
get Text
# A percent sign typed under one kind does not divide the Value of the next
set MaxWert "x"
set MinWert "x"
set Text ""
focus
type 5%
get Value
set TextArt 1
set Value 255
get Text
get Value
