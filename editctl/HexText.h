#pragma once

#include <QString>

namespace inkora {

// Hexadecimal texts of the NHex input kind.
class HexText
{
public:
    // Reads a text as a signed number: up to four hex digits as a 16-bit value ("FFFF" is -1),
    // five to eight as a 32-bit value; empty is 0. Characters that are no hex digits are
    // ignored; of more than eight digits only the last eight count.
    static qint32 read(const QString &text);

    // Upper-case hex digits without leading zeros. Negative numbers in two's complement of four
    // digits (down to -32768) or eight digits. A positive number whose four or eight digits
    // would read back as negative gets one leading zero ("0FFFF" for 65535), so that read()
    // gives the number back. Numbers beyond the 32-bit range are clamped into it.
    static QString write(qint64 number);
};

} // namespace inkora
