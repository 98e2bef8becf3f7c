# Saving through a property bag and loading into a new instance.
register ${INKORA_LIBRARY}
create Inkolib.Edit Feld
set TextArt 0
set LängeNK 2
set KommaZeichenValue "."
set FontBold true
set AlignmentText 1
set Text "3,5"
get Value
save ${CTLHOST_WORK}/persistence-bag.json
set Text "99"
load ${CTLHOST_WORK}/persistence-bag.json
get Text
get Value
get TextArt
get LängeNK
get FontBold
get AlignmentText
get KommaZeichenValue
events
load ${CTLHOST_WORK}/does-not-exist.json
get Text
load ${CTLHOST_DATA}/test.aff
get Text
