#include "PictureFormatter.h"

#include "MaskFormatter.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <utility>

namespace orvel {

namespace {

struct Section
{
    QString prefix;
    QString suffix;
    int minWhole = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool grouped = false;
    bool percent = false;
    bool hasDigits = false;
};

bool isPlaceholder(QChar c)
{
    return c == u'#' || c == u'0' || c == u',' || c == u'.';
}

// Splits at ";" outside quotes.
QStringList sections(const QString &picture)
{
    QStringList out(QString {});
    bool quoted = false;
    for (qsizetype i = 0; i < picture.size(); ++i) {
        const QChar c = picture.at(i);
        if (c == u'"')
            quoted = !quoted;
        if (c == u';' && !quoted) {
            out.append(QString());
            continue;
        }
        out.last().append(c);
        if (c == u'\\' && i + 1 < picture.size())
            out.last().append(picture.at(++i));
    }
    return out;
}

Section parseSection(const QString &text)
{
    Section s;
    QString *literal = &s.prefix;
    bool inNumber = false, afterPoint = false, numberDone = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inNumber && !numberDone && !isPlaceholder(c)) {
            numberDone = true;
            literal = &s.suffix;
        }
        if (c == u'"') {
            const qsizetype end = text.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            literal->append(text.mid(i + 1, stop - i - 1));
            i = stop;
            continue;
        }
        if (c == u'\\' && i + 1 < text.size()) {
            literal->append(text.at(++i));
            continue;
        }
        if (!numberDone && isPlaceholder(c)) {
            inNumber = true;
            if (c == u'.') {
                afterPoint = true;
            } else if (c == u',') {
                s.grouped = !afterPoint;
            } else {
                s.hasDigits = true;
                if (afterPoint) {
                    ++s.maxDecimals;
                    if (c == u'0')
                        s.minDecimals = s.maxDecimals;
                } else if (c == u'0') {
                    ++s.minWhole;
                }
            }
            continue;
        }
        if (c == u'%')
            s.percent = true;
        literal->append(c);
    }
    return s;
}

QString namedPicture(const QString &picture)
{
    const QString p = picture.trimmed().toLower();
    if (p == u"fixed")
        return QStringLiteral("0.00");
    if (p == u"standard")
        return QStringLiteral("#,##0.00");
    if (p == u"percent")
        return QStringLiteral("0.00%");
    if (p == u"general number")
        return QStringLiteral("0.##########");
    return picture;
}

// From 2^53 on a double holds no fraction, and scaling it for rounding could overflow.
constexpr double wholeOnly = 9007199254740992.0;

// Whole and decimal digits of the magnitude, rounded half away from zero.
std::pair<QString, QString> digitsOf(double magnitude, const Section &s)
{
    const double v = s.percent ? magnitude * 100.0 : magnitude;
    if (v >= wholeOnly || !std::isfinite(v)) {
        // The shortest digits that read back as the value, not the binary expansion.
        QString whole = QLocale::c().toString(magnitude, 'f', QLocale::FloatingPointShortest);
        if (s.percent)
            whole += QStringLiteral("00");
        return { whole, QString(s.maxDecimals, u'0') };
    }
    const double scale = std::pow(10.0, s.maxDecimals);
    const double scaled = std::round(v * scale);
    const QString digits
        = QString::number(std::isfinite(scaled) ? scaled / scale : v, 'f', s.maxDecimals);
    return { digits.section(u'.', 0, 0), digits.section(u'.', 1) };
}

QString render(double magnitude, const Section &s, const PictureFormatter::Separators &sep)
{
    auto [whole, decimals] = digitsOf(magnitude, s);
    while (decimals.size() > s.minDecimals && decimals.endsWith(u'0'))
        decimals.chop(1);
    if (whole == u"0" && s.minWhole == 0)
        whole.clear();
    while (whole.size() < s.minWhole)
        whole.prepend(u'0');
    if (s.grouped)
        whole = MaskFormatter::group(whole, sep.thousands, 3);
    QString number = whole;
    if (!decimals.isEmpty())
        number += sep.decimal + decimals;
    return s.prefix + number + s.suffix;
}

} // namespace

std::optional<QString> PictureFormatter::format(double value, const QString &picture,
                                                const Separators &separators)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const QStringList parts = sections(namedPicture(picture));
    const Section positive = parseSection(parts.value(0));
    if (!positive.hasDigits)
        return std::nullopt;
    const bool negative = value < 0;
    if (value == 0 && parts.size() > 2 && !parts.at(2).isEmpty()) {
        const Section zero = parseSection(parts.at(2));
        if (zero.hasDigits)
            return render(0, zero, separators);
        return zero.prefix;
    }
    if (negative && parts.size() > 1 && !parts.at(1).isEmpty()) {
        const Section neg = parseSection(parts.at(1));
        if (neg.hasDigits)
            return render(-value, neg, separators);
    }
    const QString text = render(std::fabs(value), positive, separators);
    const bool showsNonZero = text.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return negative && showsNonZero ? u'-' + text : text;
}

} // namespace orvel
