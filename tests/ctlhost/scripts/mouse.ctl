# The mouse through the window system: clicks, held buttons, double clicks, modifiers.
register ${INKORA_LIBRARY}
create Inkolib.Edit
set Text ""
events
click 5 5
events
press 8 5 +shift
release 8 5 +shift
dblclick 8 5 +ctrl
events
type ab
get Text
# A click on the form takes the focus from nobody: the field keeps it.
click outside
type c
get Text
events
click nothing
click 5
click 5 5 sideways
