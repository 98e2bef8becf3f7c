#include "EditEngine.h"

#include "DecimalNumber.h"
#include "EditEngineObserver.h"
#include "HexText.h"
#include "UmlautConverter.h"

#include <QLocale>
#include <limits>

namespace inkora {

namespace {

const QString digits = QStringLiteral("1234567890");
const QString upperLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString lowerLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
const QString upperUmlauts = QStringLiteral("ÄÖÜß");
const QString lowerUmlauts = QStringLiteral("äöüß");
const QString hexDigits = QStringLiteral("ABCDEF1234567890");
const QString substitutesA = QStringLiteral("[\\]~");
const QString substitutesB = QStringLiteral("{|}~");
const QString rtfEscapeCharacters = QStringLiteral("\\'efcCd46");
const QString noLimit = QStringLiteral("x");

constexpr int keyBackspace = 8;
constexpr int keyFormFeed = 12;
constexpr int keyEnter = 13;
constexpr int keyPeriod = 46;

bool isNoLimit(const QVariant &value)
{
    return value.typeId() == QMetaType::QString && value.toString() == noLimit;
}

} // namespace

QString EditState::defaultSpecialCharacters()
{
    return QStringLiteral("ß!§$%&/\\()[]{}=?´`'#+~*-_.:,;<>|^°²³\"");
}

EditEngine::EditEngine(EditEngineObserver *observer)
    : m_observer(observer)
{
}

void EditEngine::beep()
{
    if (m_observer)
        m_observer->beep();
}

void EditEngine::notifyWritten()
{
    if (m_observer)
        m_observer->textWritten();
}

QChar EditEngine::decimalSign() const
{
    return m_state.kommaZeichenText.size() == 1 ? m_state.kommaZeichenText[0] : QChar(u'\x1');
}

void EditEngine::setCursor(int cursor, int selectionStart, int selectionLength)
{
    const int length = int(m_text.size());
    m_cursor = std::clamp(cursor, 0, length);
    m_selStart = selectionStart < 0 ? m_cursor : std::clamp(selectionStart, 0, length);
    m_selLength = std::clamp(selectionLength, 0, length - m_selStart);
}

void EditEngine::userEdited(const QString &text, int cursor)
{
    m_text = text;
    setCursor(cursor);
    handleChange();
}

void EditEngine::writeText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setCursor(int(m_text.size()));
    notifyWritten();
    handleChange();
}

// ---- keystroke filter --------------------------------------------------------------------

QString EditEngine::checkChar(QChar c, bool bypass) const
{
    QString extra;
    if (m_state.leerzeichenErlaubt)
        extra = QStringLiteral(" ");
    if (m_state.textUmlaut == 1 || m_state.textUmlaut == 2)
        extra += substitutesA + substitutesB;
    if (m_state.textUmlaut == 4)
        extra += rtfEscapeCharacters;
    if (m_state.minLength != 0)
        extra += QStringLiteral("_");

    const QString &comma = m_state.kommaZeichenText;
    QString admitted;
    switch (m_state.textArt) {
    case Numerisch:
        if ((bypass || !m_state.percentPresent) && m_state.prozentWertErlaubt)
            extra = QStringLiteral("%");
        if (bypass || !m_state.minusPresent)
            extra += QStringLiteral("-");
        extra += comma;
        if (m_state.tausenderTrennzeichen)
            extra += comma == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
        admitted = digits + extra;
        break;
    case NHex:
        c = UmlautConverter::upper(c);
        admitted = hexDigits;
        break;
    case AlphaNum:
        admitted = extra + upperUmlauts + lowerUmlauts + m_state.erlaubteSonderzeichen
            + lowerLetters + upperLetters + comma + digits;
        break;
    case AlphaNumGross:
        c = UmlautConverter::upper(c);
        admitted
            = extra + upperUmlauts + m_state.erlaubteSonderzeichen + upperLetters + comma + digits;
        break;
    case NurText:
        admitted = extra + upperUmlauts + lowerUmlauts + lowerLetters + upperLetters;
        break;
    case NurTextGross:
        c = UmlautConverter::upper(c);
        admitted = extra + upperUmlauts + upperLetters;
        break;
    default:
        break;
    }
    QString result = admitted.contains(c) ? QString(c) : QString();
    if (bypass && m_state.textUmlaut != 0 && !result.isEmpty())
        result = UmlautConverter::umlaut(result, m_state.textUmlaut);
    return result;
}

QString EditEngine::filterText(const QString &text) const
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text)
        result += checkChar(c, true);
    return result;
}

int EditEngine::keyPress(int code)
{
    if (code != keyPeriod && code != keyFormFeed && code != keyBackspace && code != keyEnter) {
        const QString admitted
            = code > 0 && code <= 0xFFFF ? checkChar(QChar(code), false) : QString();
        if (!admitted.isEmpty()) {
            code = admitted[0].unicode();
        } else {
            code = 0;
            beep();
        }
    }
    if (code == keyEnter) {
        leaveField();
        m_cursor = int(m_text.size());
        m_selStart = 0;
        m_selLength = int(m_text.size());
        notifyWritten();
    }
    if (m_observer)
        m_observer->keyPressRaised(code);
    return code;
}

QString EditEngine::insertAtCursor(const QString &insert) const
{
    QString text = m_text;
    if (m_selLength > 0)
        text.remove(m_selStart, m_selLength);
    const int at = m_selLength > 0 ? m_selStart : m_cursor;
    text.insert(std::min<int>(at, int(text.size())), insert);
    return text;
}

void EditEngine::typeKey(int code)
{
    const int key = keyPress(code);
    if (key == keyBackspace) {
        QString text = m_text;
        int cursor = m_cursor;
        if (m_selLength > 0) {
            text.remove(m_selStart, m_selLength);
            cursor = m_selStart;
        } else if (m_cursor > 0) {
            text.remove(m_cursor - 1, 1);
            cursor = m_cursor - 1;
        }
        if (text != m_text)
            userEdited(text, cursor);
        return;
    }
    if (key < 32 || key > 0xFFFF)
        return;
    const QString text = insertAtCursor(QString(QChar(key)));
    if (m_maxLength > 0 && text.size() > m_maxLength)
        return;
    const int cursor = (m_selLength > 0 ? m_selStart : m_cursor) + 1;
    userEdited(text, cursor);
}

// ---- change handling ---------------------------------------------------------------------

void EditEngine::handleNumericSigns()
{
    const qsizetype minus = m_text.indexOf(QLatin1Char('-'));
    if (minus < 0) {
        m_state.minusPresent = false;
    } else if (minus == 0) {
        m_state.minusPresent = true;
    } else {
        QString rest = m_text;
        rest.remove(QLatin1Char('-'));
        m_state.minusPresent = true;
        writeText(QStringLiteral("-") + rest);
        setCursor(int(m_text.size()));
        notifyWritten();
    }
    const qsizetype percent = m_text.indexOf(QLatin1Char('%'));
    if (percent >= 0 && percent == m_text.size() - 1) {
        m_state.percentPresent = true;
    } else if (percent >= 0) {
        QString rest = m_text;
        rest.remove(QLatin1Char('%'));
        m_state.percentPresent = true;
        writeText(rest + QStringLiteral("%"));
    } else {
        m_state.percentPresent = false;
    }
}

void EditEngine::handleChange()
{
    if (m_text.isEmpty())
        return;
    if (m_state.textUmlaut != 0) {
        writeText(UmlautConverter::umlaut(m_text, m_state.textUmlaut));
        setCursor(int(m_text.size()));
        notifyWritten();
    }
    QString s = m_text;
    if (m_state.textArt == Numerisch) {
        handleNumericSigns();
        s = m_text;
    }
    if (m_state.textArt == NHex) {
        writeText(UmlautConverter::upper(m_text));
        s = decimalTextOfHex(m_text);
    }
    m_state.value = valueFromText(s);
    if (m_observer)
        m_observer->changeRaised();
}

QString EditEngine::decimalTextOfHex(const QString &hex) const
{
    return QString::number(HexText::read(hex));
}

// ---- numbers -----------------------------------------------------------------------------

QString EditEngine::textOf(const QVariant &value) const
{
    if (!value.isValid() || value.metaType() == QMetaType::fromType<std::nullptr_t>())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        QString text = QLocale::c().toString(value.toDouble(), 'f', QLocale::FloatingPointShortest);
        const QChar sign = decimalSign();
        text.replace(QLatin1Char('.'), sign == QChar(u'\x1') ? QLatin1Char(',') : sign);
        return text;
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
    case QMetaType::QString:
        return value.toString();
    default:
        return value.canConvert<QString>() ? value.toString() : QString();
    }
}

QString EditEngine::cleanNumber(const QString &text, bool keepMinus, bool allowX) const
{
    QString result;
    for (QChar c : text) {
        if (allowX && c == QLatin1Char('x'))
            return noLimit;
        if ((keepMinus && c == QLatin1Char('-')) || digits.contains(c)
            || QString(c) == m_state.kommaZeichenText)
            result += c;
    }
    return result;
}

bool EditEngine::checkBound(QVariant &value, bool allowMinus, bool roundToWhole)
{
    const QString cleaned = cleanNumber(textOf(value), allowMinus, true);
    if (cleaned == noLimit) {
        value = cleaned;
        return true;
    }
    const auto number = DecimalNumber::parse(cleaned, decimalSign());
    if (!number) { // nothing usable: no digit at all, a lone sign, two signs
        beep();
        return false;
    }
    value = roundToWhole ? number->roundedToWhole().toString(decimalSign()) : cleaned;
    return true;
}

std::optional<DecimalNumber> EditEngine::numberOf(const QVariant &bound) const
{
    if (isNoLimit(bound))
        return std::nullopt;
    return DecimalNumber::parse(textOf(bound), decimalSign());
}

std::optional<int> EditEngine::limitOf(const QVariant &limit) const
{
    const auto number = numberOf(limit);
    if (!number)
        return std::nullopt;
    return int(std::clamp<qint64>(number->roundedToWhole().toInt64Clamped(), 0, maximumMinLength));
}

QString EditEngine::applyLimits(const QString &text, bool checkValue, bool checkLength) const
{
    QString r = text;
    const QChar sign = decimalSign();
    if (checkValue) {
        const auto maximum = numberOf(m_state.maxWert);
        auto number = DecimalNumber::parse(r, sign);
        if (number && maximum && *number > *maximum)
            r = textOf(m_state.maxWert);
        const auto minimum = numberOf(m_state.minWert);
        number = DecimalNumber::parse(r, sign);
        if (number && minimum && *number < *minimum)
            r = textOf(m_state.minWert);
    }
    if (!checkLength)
        return r;
    const int minLength = std::clamp(m_state.minLength, 0, maximumMinLength);
    const auto before = limitOf(m_state.lengthVK);
    if (m_state.textArt >= AlphaNum && m_state.textArt <= NurTextGross) {
        if (r.size() < minLength)
            r += QString(minLength - r.size(), QLatin1Char('_'));
        if (before && r.size() > *before)
            r = r.left(*before);
    } else if (m_state.textArt == Numerisch || m_state.textArt == NHex) {
        const QString &comma = m_state.kommaZeichenText;
        const qsizetype first = comma.isEmpty() ? -1 : r.indexOf(comma);
        QString whole = first < 0 ? r : r.left(first);
        QString frac;
        if (first >= 0) {
            const qsizetype second = r.indexOf(comma, first + comma.size());
            frac = second < 0 ? r.mid(first + comma.size())
                              : r.mid(first + comma.size(), second - first - comma.size());
        }
        if (before && whole.size() > *before)
            whole = whole.right(*before);
        // The clamped text decides, not the entry: a bound keeps its own decimals.
        if (!comma.isEmpty() && r.contains(comma)) {
            const auto after = limitOf(m_state.lengthNK);
            if (after && frac.size() > *after)
                frac = frac.left(*after);
            r = whole + comma + frac;
        } else {
            r = whole;
        }
        // Zero padding goes after a leading minus sign, so the sign stays in front.
        const int signLength = r.startsWith(QLatin1Char('-')) ? 1 : 0;
        if (r.size() < minLength)
            r.insert(signLength, QString(minLength - r.size(), QLatin1Char('0')));
    }
    return r;
}

QString EditEngine::removeLeadingZeros(const QString &text) const
{
    QString result = text;
    while (result.size() > 1 && result[0] == QLatin1Char('0')
           && QString(result[1]) != m_state.kommaZeichenText)
        result.remove(0, 1);
    return result;
}

QString EditEngine::formatDisplay(const QString &text) const
{
    if (m_state.textArt != Numerisch)
        return filterText(text);
    const QString &comma = m_state.kommaZeichenText;
    const qsizetype first = comma.isEmpty() ? -1 : text.indexOf(comma);
    QString whole = first < 0 ? text : text.left(first);
    QString frac = first < 0 ? QString() : text.mid(first + comma.size());
    if (m_state.tausenderTrennzeichen) {
        const QString separator
            = comma == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
        const qsizetype length = whole.size();
        const bool leadingMinus = whole.startsWith(QLatin1Char('-'));
        for (qsizetype i = length - 1; i > 0; --i) {
            const qsizetype count = length - i;
            if (count % 3 == 0 && !(i == 1 && leadingMinus))
                whole.insert(i, separator);
        }
    }
    if (const auto decimals = limitOf(m_state.lengthNK)) {
        if (frac.isEmpty()) {
            frac = QString(*decimals, QLatin1Char('0'));
            if (*decimals >= 1)
                frac = comma + frac;
        } else if (frac.size() < *decimals) {
            frac = comma + frac.leftJustified(*decimals, QLatin1Char('0'));
        } else if (frac.size() > *decimals) {
            frac = comma + frac.left(*decimals);
        } else {
            frac = comma + frac;
        }
    } else if (!frac.isEmpty()) {
        frac = comma + frac;
    }
    const QString display
        = whole + frac + (m_state.percentPresent ? QStringLiteral("%") : QString());
    return filterText(display);
}

QVariant EditEngine::valueFromText(const QString &text) const
{
    QVariant value = cleanNumber(text, true, false);
    if (m_state.percentPresent) {
        if (const auto number = DecimalNumber::parse(value.toString(), decimalSign()))
            value = number->toString(QLatin1Char('.')).toDouble() / 100.0;
    }
    if (m_state.kommaZeichenValue != m_state.kommaZeichenText)
        value = UmlautConverter::charChange(textOf(value), m_state.kommaZeichenText,
                                            m_state.kommaZeichenValue);
    return value;
}

// ---- leave-field formatting --------------------------------------------------------------

void EditEngine::leaveField()
{
    const QString t0 = m_text;
    if (t0.isEmpty())
        return;
    QString r;
    QString v;
    switch (m_state.textArt) {
    case Numerisch:
        r = cleanNumber(t0, true, false);
        if (r.isEmpty())
            return;
        r = applyLimits(r, true, true);
        if (m_state.deleteLeadingZeros)
            r = removeLeadingZeros(r);
        v = r;
        break;
    case NHex: {
        r = UmlautConverter::upper(t0);
        r = applyLimits(r, false, true);
        QString d = applyLimits(QString::number(HexText::read(r)), true, false);
        if (m_state.deleteLeadingZeros)
            d = removeLeadingZeros(d);
        v = d;
        const auto number = DecimalNumber::parse(d, decimalSign());
        r = HexText::write(number ? number->roundedToWhole().toInt64Clamped() : HexText::read(r));
        break;
    }
    case AlphaNum:
    case AlphaNumGross:
    case NurText:
    case NurTextGross:
        r = applyLimits(t0, false, true);
        v = r;
        break;
    default:
        r = t0;
        v = r;
        break;
    }
    m_state.value = valueFromText(v);
    writeText(formatDisplay(r));
    if (m_text != t0)
        beep();
    if (m_state.autoSpellCheck && m_observer)
        m_observer->spellCheckRequested();
    if (m_observer)
        m_observer->changeRaised();
}

// ---- initialisation and setters ----------------------------------------------------------

void EditEngine::initNew(const QString &extenderName)
{
    m_state = EditState();
    m_text.clear();
    writeText(extenderName);
    const bool minus = m_state.minusPresent;
    const bool percent = m_state.percentPresent;
    m_state = EditState();
    m_state.minusPresent = minus;
    m_state.percentPresent = percent;
    m_state.value = QString();
}

void EditEngine::setTextArt(int kind)
{
    if (kind == m_state.textArt)
        return;
    m_state.textArt = kind;
    // The flags belong to the numeric text of the old kind. Kept over a change of kind, a
    // percent sign typed before would divide every later Value by 100.
    m_state.minusPresent = kind == Numerisch && m_text.startsWith(QLatin1Char('-'));
    m_state.percentPresent = kind == Numerisch && m_text.endsWith(QLatin1Char('%'));
}

void EditEngine::setTextProperty(const QString &text)
{
    writeText(text);
    leaveField();
}

void EditEngine::setValueProperty(const QVariant &value)
{
    QVariant v = value;
    if (m_state.kommaZeichenValue != m_state.kommaZeichenText)
        v = UmlautConverter::charChange(textOf(value), m_state.kommaZeichenValue,
                                        m_state.kommaZeichenText);
    if (!checkBound(v, true, false))
        return;
    if (v.toString() == noLimit) { // "x" is no value; nothing to show
        beep();
        return;
    }
    m_state.value = v;
    if (m_state.textArt == NHex) {
        const auto number = DecimalNumber::parse(v.toString(), decimalSign());
        writeText(HexText::write(number ? number->roundedToWhole().toInt64Clamped() : 0));
    } else {
        writeText(v.toString());
    }
}

void EditEngine::setMaxWert(const QVariant &value)
{
    QVariant v = value;
    if (!checkBound(v, true, false))
        return;
    if (!isNoLimit(v)) {
        const auto minimum = numberOf(m_state.minWert);
        if (minimum && *numberOf(v) < *minimum)
            v = m_state.minWert;
        const auto before = limitOf(m_state.lengthVK);
        const int length = int(textOf(v).size());
        if (before && *before > length)
            m_state.lengthVK = length;
    }
    m_state.maxWert = v;
}

void EditEngine::setMinWert(const QVariant &value)
{
    QVariant v = value;
    if (!checkBound(v, true, false))
        return;
    if (!isNoLimit(v)) {
        const auto maximum = numberOf(m_state.maxWert);
        if (maximum && *numberOf(v) > *maximum)
            v = m_state.maxWert;
    }
    m_state.minWert = v;
}

void EditEngine::setLengthVK(const QVariant &value)
{
    QVariant v = value;
    if (!checkBound(v, false, true))
        return;
    if (!isNoLimit(m_state.maxWert)) {
        const int length = int(textOf(m_state.maxWert).size());
        const auto wanted = numberOf(v);
        if (!wanted || *wanted > DecimalNumber::fromInt(length)) {
            v = length;
            beep();
        }
    }
    m_state.lengthVK = v;
}

void EditEngine::setLengthNK(const QVariant &value)
{
    QVariant v = value;
    if (checkBound(v, false, true))
        m_state.lengthNK = v;
}

void EditEngine::setMinLength(const QVariant &value)
{
    QVariant v = value;
    if (!checkBound(v, false, true))
        return;
    const auto number = numberOf(v);
    if (!number) { // "x" is no length
        beep();
        return;
    }
    m_state.minLength = int(std::clamp<qint64>(number->toInt64Clamped(), 0, maximumMinLength));
}

void EditEngine::setKommaZeichenText(const QString &sign)
{
    if (sign == QLatin1String(",") || sign == QLatin1String("."))
        m_state.kommaZeichenText = sign;
    else
        beep();
}

void EditEngine::setKommaZeichenValue(const QString &sign)
{
    if (sign == QLatin1String(",") || sign == QLatin1String("."))
        m_state.kommaZeichenValue = sign;
    else
        beep();
}

} // namespace inkora
