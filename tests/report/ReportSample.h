#pragma once

#include "ReportData.h"
#include "TextMeasurer.h"

#include <cmath>

// A fixed report for tests: 15 March 2005, calendar year, the login company
// selected, revenue between 80,000 and 250,000 and a margin of about a quarter.
namespace sample {

inline ertragon::ReportData reportData()
{
    using namespace ertragon;
    ReportData data;
    data.now = QDateTime(QDate(2005, 3, 15), QTime(9, 41));
    data.userFullName = QStringLiteral("Demo Benutzer");
    data.loginCompany = QStringLiteral("1");
    data.selection.company = QStringLiteral("1 Musterhandel");
    data.locale = QLocale(QLocale::German, QLocale::Germany);
    data.display.graphMode = DisplayState::Absolute;
    data.display.tableMode = DisplayState::TableAbsolute;
    for (int m = 1; m <= 12; ++m) {
        const double season = 165000 + 85000 * std::sin((m - 1) * 0.52);
        const double values[6]
            = { season * 1.05, season, season * 0.92, season * 0.26, season * 0.24, season * 0.22 };
        for (int s = 1; s <= 6; ++s) {
            if (s % 3 == 1 && m >= 3)
                continue; // the current year has January and February
            const double v = std::round(values[s - 1]);
            data.values.monthValues.set(m, s, v);
            data.values.graphValues.set(m, s, v);
            data.values.cumulatedValues.set(m, s, data.values.cumulatedValues.value(m - 1, s) + v);
        }
    }
    return data;
}

// Text widths that do not depend on the installed fonts: 100 twips per
// character, 230 twips high; an empty text measures nothing.
class FixedMeasurer final : public ertragon::report::TextMeasurer
{
public:
    QSizeF measure(const QString &text, const QString &, double points) const override
    {
        if (text.isEmpty())
            return { 0, 0 };
        return { 100.0 * text.size(), 23.0 * points };
    }
};

} // namespace sample
