// Tallix's number engine and formatters: typed values printed and read back
// (whole numbers, currency against its 64-bit units, doubles to 15 digits),
// cutting decimals against an exact reference, the mask formatting pass
// applied twice, format pictures read back, and the edit engine driven by a
// key script under mask settings taken from the input.
#include "FixedLocaleInfo.h"
#include "FuzzInput.h"
#include "MaskFormatter.h"
#include "NumberEditEngine.h"
#include "NumericValue.h"
#include "PictureFormatter.h"

#include <QLocale>
#include <cmath>
#include <limits>

using namespace orvel;

namespace {

using Int128 = __int128;

void checkTypedValues(FuzzInput &in)
{
    const QChar sep = in.flag() ? u',' : u'.';
    const qint64 units = in.int64() >> in.choice(64);
    const QVariant currency = QVariant::fromValue(Currency { units });
    const QString currencyText = NumericValue::toText(currency, sep);
    const auto currencyBack = NumericValue::fromText(currencyText, DataTypeCurrency, sep);
    FuzzInput::check(currencyBack && currencyBack->value<Currency>().units == units,
                     "currency reads back its units", currencyText);

    const qint32 whole = qint32(units);
    for (const int type : { int(DataTypeInteger), int(DataTypeLong) }) {
        const qint64 expected = type == DataTypeInteger ? qint64(qint16(whole)) : qint64(whole);
        const auto back = NumericValue::fromText(QString::number(expected), type, sep);
        FuzzInput::check(back && back->toLongLong() == expected, "a whole number reads back",
                         QString::number(expected));
    }

    const double d = in.float64();
    if (std::isfinite(d)) {
        const QString text = NumericValue::doubleToText(d);
        const auto back = NumericValue::fromText(text, DataTypeDouble);
        FuzzInput::check(back.has_value(), "a double's text reads", text);
        const double r = back->toDouble();
        FuzzInput::check(std::fabs(r - d) <= std::fabs(d) * 1e-14 || std::fabs(r - d) < 1e-300,
                         "a double keeps 15 significant digits",
                         text + QLatin1Char(' ') + QString::number(d, 'g', 17));
    }
}

// Cutting to `places` decimals towards minus infinity, on exact digits.
void checkFloorDecimals(FuzzInput &in)
{
    const bool negative = in.flag();
    const int digits = in.choice(26); // times 10^12 stays within 128 bits
    const int fraction = in.choice(digits + 1);
    const int places = in.choice(13);
    QString text = negative ? QStringLiteral("-") : QString();
    Int128 mantissa = 0;
    for (int i = 0; i < digits; ++i) {
        if (i == digits - fraction && fraction > 0)
            text += u'.';
        const int digit = in.byte() % 10;
        text += QChar(u'0' + digit);
        mantissa = mantissa * 10 + digit;
    }
    if (digits == 0)
        return;
    // floor(value * 10^places) as an integer of `places` decimals
    Int128 scaled = negative ? -mantissa : mantissa;
    int scale = fraction;
    while (scale < places) {
        scaled *= 10;
        ++scale;
    }
    while (scale > places) {
        const Int128 q = scaled / 10;
        scaled = (scaled % 10 < 0) ? q - 1 : q;
        --scale;
    }
    const bool below = scaled < 0;
    Int128 magnitude = below ? -scaled : scaled;
    QString expected;
    for (int i = 0; i < places || magnitude != 0; ++i) {
        expected.prepend(QChar(u'0' + int(magnitude % 10)));
        magnitude /= 10;
        if (i + 1 == places)
            expected.prepend(u'.');
    }
    if (expected.startsWith(u'.'))
        expected.prepend(u'0');
    if (expected.contains(u'.')) {
        while (expected.endsWith(u'0'))
            expected.chop(1);
        if (expected.endsWith(u'.'))
            expected.chop(1);
    }
    if (expected.isEmpty())
        expected = QStringLiteral("0");
    if (below)
        expected.prepend(u'-');
    FuzzInput::check(NumericValue::floorDecimals(text, places) == expected,
                     "decimals cut towards minus infinity",
                     text + QStringLiteral(" to %1: ").arg(places) + expected);
}

MaskSettings settingsFrom(FuzzInput &in)
{
    static const QStringList decimalChars { "", ",", ".", "x" };
    static const QStringList separators { "", ".", ",", " ", "'" };
    static const QStringList symbols { "", "€", "$", "CHF" };
    MaskSettings s;
    s.maskType = in.choice(2);
    s.decimalPlaces = in.choice(8) - 1;
    s.decimalChar = decimalChars[in.choice(int(decimalChars.size()))];
    s.thousandSep = separators[in.choice(int(separators.size()))];
    s.thousandDigits = in.choice(6) - 1;
    s.currencySymbol = symbols[in.choice(int(symbols.size()))];
    s.posFormat = in.choice(5);
    s.negFormat = in.choice(12);
    const uint8_t flags = in.byte();
    s.showCurrency = flags & 1;
    s.showThousandSep = flags & 2;
    s.decimalFixed = flags & 4;
    s.allowLeadZeros = flags & 8;
    s.zeroIfNull = flags & 16;
    s.allowNegative = flags & 32;
    s.wholePlaces = in.choice(16) - 1;
    return s;
}

void checkMaskFormatting(const MaskSettings &settings, const LocaleInfo &locale,
                         const QString &value)
{
    const EffectiveMask mask = EffectiveMask::resolve(settings, locale);
    const FormattedValue once = MaskFormatter::format(value, settings, mask);
    const FormattedValue twice = MaskFormatter::format(once.value, settings, mask);
    FuzzInput::check(twice.value == once.value && twice.display == once.display,
                     "formatting a formatted value changes nothing", value);
}

void checkPicture(FuzzInput &in)
{
    static const QStringList pictures { "0.00", "#,##0.00", "0.##", "0", "#,##0.000 €" };
    const QString picture = pictures[in.choice(int(pictures.size()))];
    const double raw = in.float64();
    const double d = std::fmod(raw, 1e12);
    const PictureFormatter::Separators separators { QStringLiteral(","), QStringLiteral(".") };
    if (!std::isfinite(d))
        return;
    const auto text = PictureFormatter::format(d, picture, separators);
    FuzzInput::check(text.has_value(), "a picture with digits formats", picture);
    QString plain = *text;
    plain.remove(u'.').remove(QStringLiteral(" €")).replace(u',', u'.');
    bool ok = false;
    const double back = QLocale::c().toDouble(plain.isEmpty() ? QStringLiteral("0") : plain, &ok);
    const int decimals
        = int(picture.section(u'.', 1).count(u'0') + picture.section(u'.', 1).count(u'#'));
    FuzzInput::check(ok && std::fabs(back - d) <= std::pow(10.0, -decimals) + std::fabs(d) * 1e-15,
                     "a formatted number reads back to within its last place",
                     picture + QLatin1Char(' ') + *text + QLatin1Char(' ')
                         + QString::number(d, 'g', 17));
    // any number and picture at all: an answer or none, never a crash
    PictureFormatter::format(raw, in.text(16), separators);
}

void checkEngine(FuzzInput &in)
{
    static const FixedLocaleInfo german = FixedLocaleInfo::germanLike();
    static const FixedLocaleInfo english = FixedLocaleInfo::englishLike();
    static const QString keys = QStringLiteral("0123456789-.,+ €$x");
    NumberEditEngine e(in.flag() ? &german : &english);
    e.settings() = settingsFrom(in);
    e.setRunMode(true);
    e.setInsertMode(in.flag());
    e.reformat();
    e.focusIn();
    QString copied;
    for (int step = 0; step < 64 && !in.atEnd(); ++step) {
        const bool shift = in.flag();
        switch (in.choice(16)) {
        case 0:
        case 1:
        case 2:
            e.typeChar(keys.at(in.choice(int(keys.size()))));
            break;
        case 3:
            e.backspace();
            break;
        case 4:
            e.deleteKey();
            break;
        case 5:
            e.home(shift);
            break;
        case 6:
            e.end(shift);
            break;
        case 7:
            e.left(shift, in.flag());
            break;
        case 8:
            e.right(shift, in.flag());
            break;
        case 9:
            e.placeCaret(in.choice(24), shift);
            break;
        case 10:
            e.paste(in.text(in.choice(12)));
            break;
        case 11:
            e.undo();
            break;
        case 12:
            e.cut(&copied);
            break;
        case 13:
            e.focusOut();
            e.focusIn();
            break;
        case 14:
            e.assignValue(e.textToValue(in.text(in.choice(16))));
            break;
        default:
            e.setSelection(in.choice(24), in.choice(24));
            break;
        }
        const qsizetype length = e.shown().size();
        FuzzInput::check(e.caret() >= 0 && e.caret() <= length && e.anchor() >= 0
                             && e.anchor() <= length,
                         "caret and anchor stay in the text", e.shown());
        const EffectiveMask mask = e.effective();
        FuzzInput::check(e.isValidCandidate(e.value())
                             || MaskFormatter::format(e.value(), e.settings(), mask).value
                                 == e.value(),
                         "the value is a valid value string or a formatted one", e.value());
        checkMaskFormatting(e.settings(), e.locale(), e.value());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool registered = [] {
        registerCurrencyType();
        return true;
    }();
    Q_UNUSED(registered);
    FuzzInput in(data, size);
    checkTypedValues(in);
    checkFloorDecimals(in);
    checkPicture(in);
    checkEngine(in);
    // any text as a typed value: what reads prints and reads back the same
    const QString text = FuzzInput(data, size).rest();
    for (const int type : { int(DataTypeInteger), int(DataTypeLong), int(DataTypeSingle),
                            int(DataTypeDouble), int(DataTypeCurrency) }) {
        const auto value = NumericValue::fromText(text, type, u',');
        if (!value)
            continue;
        const auto again = NumericValue::fromText(NumericValue::toText(*value), type);
        FuzzInput::check(again.has_value(), "a typed value's text reads", text);
        // whole numbers and currency exactly; a single prints 7 significant
        // digits, a double 15
        const double x = NumericValue::toDouble(*value).value_or(0);
        const double y = NumericValue::toDouble(*again).value_or(0);
        const double digits = type == DataTypeSingle ? 1e-6 : 1e-14;
        FuzzInput::check(type == DataTypeSingle || type == DataTypeDouble
                             ? std::fabs(x - y) <= std::fabs(x) * digits
                             : NumericValue::compare(*again, *value) == 0,
                         "a typed value prints and reads back", text);
    }
    return 0;
}
