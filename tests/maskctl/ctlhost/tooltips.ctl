# The tooltip: delay, timeout, and one ToolTipBegin for each rest of the pointer.
register ${ORVEL_LIBRARY}
create Zifra.Tallix.1
set ToolTipText "Monat 1 bis 12"
set ToolTipDelay 300
set ToolTipTimeout 1000
events
move 5 5
wait 100
events
wait 500
events
wait 1500
events
set ToolTipText ""
move outside
wait 200
move 6 6
wait 1500
events
