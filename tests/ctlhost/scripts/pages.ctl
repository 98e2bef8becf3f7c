# The property dialog as a user fills it: key filters, check boxes, lists, apply, the
# explanation page.
register ${INKORA_LIBRARY}
create Inkolib.Edit
page Allgemein get txtMaxWert
pages
page Allgemein get cmbTextArt
page Allgemein get txtMinLänge
page Allgemein get chkLeerzeichenErlaubt
page Allgemein set txtMaxWert "1a0"
beeps
page Allgemein get txtMaxWert
page Allgemein set txtMinWert "-5"
page Allgemein set txtLängeVK "5"
page Allgemein set cmbTextArt 0
page Allgemein set chkTausenderTrennZeichenJN true
pages apply
get MaxWert
get MinWert
get LängeVK
get TextArt
get TausenderTrennzeichen
page TextBox set cmbAlignment "2 - Zentriert"
page TextBox set chkEnabled false
pages cancel
get AlignmentText
get Enabled
pages
page TextBox get cmbAlignment
page Erklärung get txtErklärung.hscroll
page Allgemein set cmbTextArt "9 - Unbekannt"
page Nope get txtText
page Allgemein get Nope
page Allgemein get txtText.nope
page Allgemein frob txtText
pages close
pages ok
page Allgemein get txtMaxWert
