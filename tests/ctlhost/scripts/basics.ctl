# A new Edit control from the registry: names, kinds, typing, minus and read-only hWnd.
register ${INKORA_LIBRARY}
create Inkolib.Edit
get Text
get TextArt
get MaxWert
get LängeNK
get KommaZeichenText
get LeerzeichenErlaubt
get ProzentWertErlaubt
get hWnd
call EditArtName 3
call UmlautArtName 4
call EditArtName 6
call Umlaut "Größe" 1
call Umlaut "Gr|~e" 2
call CharChange "aXbX" "Xb" "-" true
call CharChange "aXbX" "Xb" "-"
set hWnd 1
mode design
set hWnd 1
mode run
set KommaZeichenText ";"
beeps
get KommaZeichenText
set KommaZeichenText "."
get KommaZeichenText
set KommaZeichenText ","
events
# Numerisch: a letter is refused, a minus moves to the front, a second one is refused.
set TextArt 0
set Text ""
focus
type 12a
get Text
beeps
type -
get Text
type -
get Text
beeps
events
blur
events
get Value
# Another instance with its own extender name.
create Inkolib.Edit Betrag
get Text
