# A currency mask with its own settings (so the host's locale does not matter): typing,
# a refused character, paste without the sign, undo, validation and leaving the field.
register ${ORVEL_LIBRARY}
create Zifra.Tallix.1
get Text
set MaskDecimalChar "."
set MaskThousandSep ","
set MaskThousandDigits 3
set MaskDecimalPlaces 2
set MaskCurrencySymbol "$"
set MaskShowCurrency true
set MaskShowThousandSep true
set MaskPosFormat 1
set MaskNegFormat 1
set DataType 5
get InputText
focus
key End
type 1234.5
get Text
get InputText
type x
events
beeps
clipboard "-7,654.3"
key Home
key End +shift
key V +ctrl
get Text
get InputText
key Z +ctrl
get Text
type -
get InputText
get Value
set ValidateType 1
set ValidateRangeLow "0"
set ValidateRangeHigh "100"
call Validate
events
blur
events
get MaskError
set MaskDecimalPlaces 10
set MaskDecimalChar "ab"
set Value "12"
call Copy
# The locale's sign layout (none in C) and a layout code of 0 keep the minus
set MaskNegFormat 0
set MaskShowCurrency false
set Text "-5"
get InputText
# FormatText of the largest values: digits, never "inf"
set DataType 4
set MaskDecimalPlaces 0
set Format "0.00"
set Value 1e307
get FormatText
set Value 12.0
get Value
