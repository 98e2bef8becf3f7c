#pragma once

#include <QString>
#include <optional>

namespace orvel {

// Formats a number with a format picture of the usual kind ("#,##0.00", "0.0%",
// "#,##0.00 €;(#,##0.00)", named formats "Fixed", "Standard", "Percent"), with the given
// decimal and thousands separators. Used when the host offers no format service.
class PictureFormatter
{
public:
    struct Separators
    {
        QString decimal = QStringLiteral(".");
        QString thousands = QStringLiteral(",");
    };

    // nullopt when the picture holds no digit placeholder (a date picture, say).
    static std::optional<QString> format(double value, const QString &picture,
                                         const Separators &separators);
};

} // namespace orvel
