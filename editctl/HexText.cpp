#include "HexText.h"

#include <limits>

namespace inkora {

qint32 HexText::read(const QString &text)
{
    QString digits;
    for (QChar c : text) {
        // ASCII only: digits of other scripts are no hex digits either
        const QChar upper = c.toUpper();
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            || (upper >= QLatin1Char('A') && upper <= QLatin1Char('F')))
            digits += upper;
    }
    if (digits.size() > 8)
        digits = digits.right(8);
    if (digits.isEmpty())
        return 0;
    const quint32 raw = digits.toUInt(nullptr, 16);
    if (digits.size() <= 4)
        return qint16(quint16(raw));
    return qint32(raw);
}

QString HexText::write(qint64 number)
{
    number = std::clamp<qint64>(number, std::numeric_limits<qint32>::min(),
                                std::numeric_limits<qint32>::max());
    if (number < 0 && number >= std::numeric_limits<qint16>::min())
        return QString::number(quint16(qint16(number)), 16).toUpper();
    if (number < 0)
        return QString::number(quint32(qint32(number)), 16).toUpper();
    QString digits = QString::number(number, 16).toUpper();
    if (digits.size() == 4 && digits[0] >= QLatin1Char('8'))
        digits.prepend(QLatin1Char('0'));
    return digits;
}

} // namespace inkora
