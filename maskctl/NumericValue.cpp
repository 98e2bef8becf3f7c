#include "NumericValue.h"

#include <QLocale>
#include <QRegularExpression>
#include <cfloat>
#include <cmath>
#include <limits>

namespace orvel {

namespace {

struct ParsedNumber
{
    bool negative = false;
    QString whole;
    QString fraction;
};

std::optional<ParsedNumber> parse(const QString &input, QChar decimalSep)
{
    const QString text = input.trimmed();
    ParsedNumber n;
    qsizetype i = 0;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+')) {
        n.negative = text.at(i) == u'-';
        ++i;
    }
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9')
            (point ? n.fraction : n.whole).append(c);
        else if (!point && (c == u'.' || c == decimalSep))
            point = true;
        else
            return std::nullopt;
    }
    if (n.whole.isEmpty() && n.fraction.isEmpty())
        return std::nullopt;
    while (n.whole.size() > 1 && n.whole.startsWith(u'0'))
        n.whole.remove(0, 1);
    return n;
}

// The number scaled by 10^places and rounded half to even; nullopt beyond 18 digits.
std::optional<qint64> scaledRounded(const ParsedNumber &n, int places)
{
    const QString digits = n.whole + (n.fraction + QString(places, u'0')).left(places);
    const QString rest = n.fraction.mid(places);
    QString significant = digits;
    while (significant.size() > 1 && significant.startsWith(u'0'))
        significant.remove(0, 1);
    if (significant.size() > 19)
        return std::nullopt;
    // The magnitude unsigned: the negative end of 64 bits has no positive twin.
    bool ok = true;
    quint64 v = significant.isEmpty() ? 0 : significant.toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    if (!rest.isEmpty()) {
        const QChar first = rest.at(0);
        const bool tail = rest.mid(1).contains(QRegularExpression(QStringLiteral("[1-9]")));
        if (first > u'5' || (first == u'5' && (tail || (v % 2) != 0)))
            ++v;
    }
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (n.negative ? 1 : 0);
    if (v > limit)
        return std::nullopt;
    return n.negative ? qint64(0 - v) : qint64(v);
}

std::optional<QVariant> integerVariant(qint64 v, int dataType)
{
    if (dataType == DataTypeInteger) {
        if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max())
            return std::nullopt;
        return QVariant::fromValue(qint16(v));
    }
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return QVariant::fromValue(qint32(v));
}

std::optional<QVariant> floatingVariant(double d, int dataType)
{
    if (!std::isfinite(d))
        return std::nullopt;
    if (dataType == DataTypeSingle) {
        if (std::fabs(d) > double(FLT_MAX))
            return std::nullopt;
        return QVariant::fromValue(float(d));
    }
    return QVariant::fromValue(d);
}

qint64 roundHalfEven(long double x)
{
    long double r = std::nearbyint(x); // default rounding mode: to nearest, ties to even
    return qint64(r);
}

} // namespace

std::optional<QVariant> NumericValue::fromText(const QString &text, int dataType, QChar sep)
{
    if (dataType == DataTypeNone)
        return QVariant(text);
    const auto n = parse(text, sep);
    if (!n)
        return std::nullopt;
    switch (dataType) {
    case DataTypeInteger:
    case DataTypeLong: {
        const auto v = scaledRounded(*n, 0);
        return v ? integerVariant(*v, dataType) : std::nullopt;
    }
    case DataTypeCurrency: {
        const auto v = scaledRounded(*n, 4);
        return v ? std::optional<QVariant>(QVariant::fromValue(Currency { *v })) : std::nullopt;
    }
    case DataTypeSingle:
    case DataTypeDouble: {
        const QString plain = (n->negative ? QStringLiteral("-") : QString()) + n->whole
            + (n->fraction.isEmpty() ? QString() : u'.' + n->fraction);
        bool ok = false;
        const double d = QLocale::c().toDouble(plain.isEmpty() ? QStringLiteral("0") : plain, &ok);
        return ok ? floatingVariant(d, dataType) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

bool NumericValue::isNumericVariant(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return v.typeId() == qMetaTypeId<Currency>();
    }
}

std::optional<double> NumericValue::toDouble(const QVariant &v)
{
    if (v.typeId() == qMetaTypeId<Currency>())
        return v.value<Currency>().toDouble();
    if (!isNumericVariant(v))
        return std::nullopt;
    return v.toDouble();
}

std::optional<QVariant> NumericValue::fromVariant(const QVariant &v, int dataType)
{
    if (dataType == DataTypeNone)
        return QVariant(toText(v));
    if (v.typeId() == qMetaTypeId<Currency>()) {
        const Currency c = v.value<Currency>();
        if (dataType == DataTypeCurrency)
            return v;
        if (dataType == DataTypeInteger || dataType == DataTypeLong)
            return integerVariant(roundHalfEven((long double)c.units / Currency::scale), dataType);
        return floatingVariant(c.toDouble(), dataType);
    }
    const auto d = toDouble(v);
    if (!d || !std::isfinite(*d))
        return std::nullopt;
    switch (dataType) {
    case DataTypeInteger:
    case DataTypeLong:
        if (std::fabs(*d) > 1e18)
            return std::nullopt;
        return integerVariant(roundHalfEven(*d), dataType);
    case DataTypeCurrency: {
        const long double units = (long double)*d * Currency::scale;
        if (std::fabs(units) > 9.2e18L)
            return std::nullopt;
        return QVariant::fromValue(Currency { roundHalfEven(units) });
    }
    case DataTypeSingle:
    case DataTypeDouble:
        return floatingVariant(*d, dataType);
    default:
        return std::nullopt;
    }
}

int NumericValue::compare(const QVariant &a, const QVariant &b)
{
    if (a.typeId() == qMetaTypeId<Currency>() && b.typeId() == qMetaTypeId<Currency>()) {
        const auto x = a.value<Currency>().units, y = b.value<Currency>().units;
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (a.typeId() == QMetaType::Float && b.typeId() == QMetaType::Float) {
        const float x = a.toFloat(), y = b.toFloat();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if ((a.typeId() == QMetaType::Short || a.typeId() == QMetaType::Int)
        && (b.typeId() == QMetaType::Short || b.typeId() == QMetaType::Int)) {
        const qint64 x = a.toLongLong(), y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const double x = toDouble(a).value_or(0), y = toDouble(b).value_or(0);
    return x < y ? -1 : (x > y ? 1 : 0);
}

bool NumericValue::isNegative(const QVariant &v)
{
    if (v.typeId() == QMetaType::Float) {
        const float f = v.toFloat();
        return std::signbit(f) && f != 0.0f;
    }
    if (v.typeId() == qMetaTypeId<Currency>())
        return v.value<Currency>().units < 0;
    return toDouble(v).value_or(0) < 0;
}

bool NumericValue::isZero(const QVariant &v)
{
    if (v.typeId() == qMetaTypeId<Currency>())
        return v.value<Currency>().units == 0;
    return toDouble(v).value_or(1) == 0;
}

QString NumericValue::doubleToText(double value)
{
    if (!std::isfinite(value))
        return {};
    QString s = QString::number(value, 'g', 15);
    if (s.contains(u'e')) {
        const int exponent = int(std::floor(std::log10(std::fabs(value))));
        const int decimals = exponent < 0 ? qMin(14 - exponent, 320) : 0;
        s = QString::number(value, 'f', decimals);
    }
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    if (s == u"-0")
        s = QStringLiteral("0");
    return s;
}

QString NumericValue::floorDecimals(const QString &number, int places)
{
    const auto n = parse(number, u'.');
    if (!n || places < 0)
        return number;
    const QString kept = n->fraction.left(places);
    const bool dropped
        = n->fraction.mid(places).contains(QRegularExpression(QStringLiteral("[1-9]")));
    QString digits = n->whole + kept + QString(places - kept.size(), u'0');
    if (n->negative && dropped) {
        // Away from zero: add one unit in the last kept place.
        int i = int(digits.size()) - 1;
        while (i >= 0 && digits.at(i) == u'9') {
            digits[i] = u'0';
            --i;
        }
        if (i < 0)
            digits.prepend(u'1');
        else
            digits[i] = QChar(digits.at(i).unicode() + 1);
    }
    QString whole = digits.left(digits.size() - places);
    QString fraction = digits.right(places);
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    if (whole.isEmpty())
        whole = QStringLiteral("0");
    QString out = whole + (fraction.isEmpty() ? QString() : u'.' + fraction);
    const bool zero = !out.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (n->negative && !zero ? QStringLiteral("-") : QString()) + out;
}

QString NumericValue::toText(const QVariant &v, QChar sep)
{
    QString s;
    if (v.typeId() == qMetaTypeId<Currency>()) {
        const qint64 u = v.value<Currency>().units;
        const quint64 a = u < 0 ? quint64(-(u + 1)) + 1 : quint64(u);
        s = QString::number(a / Currency::scale);
        QString frac = QStringLiteral("%1").arg(a % Currency::scale, 4, 10, QChar(u'0'));
        while (frac.endsWith(u'0'))
            frac.chop(1);
        if (!frac.isEmpty())
            s += u'.' + frac;
        if (u < 0)
            s.prepend(u'-');
    } else if (v.typeId() == QMetaType::Float) {
        s = QString::number(v.toFloat(), 'g', 7);
        if (s.contains(u'e'))
            s = doubleToText(double(v.toFloat()));
    } else if (v.typeId() == QMetaType::Double) {
        s = doubleToText(v.toDouble());
    } else {
        s = v.toString();
    }
    if (sep != u'.')
        s.replace(u'.', sep);
    return s;
}

std::optional<QVariant> NumericValue::step(const QVariant &current, const QVariant &step, bool up)
{
    const int type = current.typeId();
    if (type != step.typeId())
        return std::nullopt;
    std::optional<QVariant> result;
    if (type == QMetaType::Short || type == QMetaType::Int) {
        const qint64 r = current.toLongLong() + (up ? step.toLongLong() : -step.toLongLong());
        result = integerVariant(r, type == QMetaType::Short ? DataTypeInteger : DataTypeLong);
    } else if (type == qMetaTypeId<Currency>()) {
        qint64 r = 0;
        const qint64 a = current.value<Currency>().units, b = step.value<Currency>().units;
        if (up ? __builtin_add_overflow(a, b, &r) : __builtin_sub_overflow(a, b, &r))
            return std::nullopt;
        result = QVariant::fromValue(Currency { r });
    } else if (type == QMetaType::Float) {
        const float r
            = up ? current.toFloat() + step.toFloat() : current.toFloat() - step.toFloat();
        result = std::isfinite(r) ? std::optional<QVariant>(QVariant::fromValue(r)) : std::nullopt;
    } else if (type == QMetaType::Double) {
        const double r
            = up ? current.toDouble() + step.toDouble() : current.toDouble() - step.toDouble();
        result = std::isfinite(r) ? std::optional<QVariant>(QVariant(r)) : std::nullopt;
    }
    if (!result)
        return std::nullopt;
    const int order = compare(*result, current);
    if ((up && order < 0) || (!up && order > 0))
        return std::nullopt;
    return result;
}

int NumericValue::metaTypeOf(int dataType)
{
    switch (dataType) {
    case DataTypeInteger:
        return QMetaType::Short;
    case DataTypeLong:
        return QMetaType::Int;
    case DataTypeSingle:
        return QMetaType::Float;
    case DataTypeDouble:
        return QMetaType::Double;
    case DataTypeCurrency:
        return qMetaTypeId<Currency>();
    default:
        return QMetaType::QString;
    }
}

QVariant NumericValue::forHost(const QVariant &value)
{
    if (value.typeId() == qMetaTypeId<Currency>())
        return value.value<Currency>().toDouble();
    return value;
}

void registerCurrencyType()
{
    static const bool done = [] {
        QMetaType::registerConverter<Currency, double>([](Currency c) { return c.toDouble(); });
        QMetaType::registerConverter<Currency, QString>(
            [](Currency c) { return NumericValue::toText(QVariant::fromValue(c)); });
        return true;
    }();
    (void)done;
}

} // namespace orvel
