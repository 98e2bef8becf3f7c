#include "NumberText.h"

#include <cmath>

namespace ertragon::NumberText {

namespace {

int skipDigits(const QString &t, int i)
{
    while (i < t.size() && t.at(i).isDigit() && t.at(i).unicode() < 128)
        ++i;
    return i;
}

} // namespace

double leadingNumber(const QString &text)
{
    int i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    const int start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    const int intStart = i;
    i = skipDigits(text, i);
    bool digits = i > intStart;
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        const int fracEnd = skipDigits(text, i + 1);
        if (fracEnd > i + 1 || digits) {
            digits = digits || fracEnd > i + 1;
            i = fracEnd;
        }
    }
    if (!digits)
        return 0.0;
    int end = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < text.size() && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            ++j;
        const int expEnd = skipDigits(text, j);
        if (expEnd > j)
            end = expEnd;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QString companyArgument(const QString &text)
{
    return QString::number(leadingNumber(text), 'g', 15);
}

} // namespace ertragon::NumberText
