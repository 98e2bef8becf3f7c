#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace ertragon::report {

// The command line of the batch report tool:
//   ertragon-report COMPANY BRANCH USER PASSWORD SERVER [PORT [NAMESPACE]]
//       [--pc CODE] [--habt CODE] [--abt CODE] [--hg CODE] [--ug CODE]
//       [--hkg P|G] [--hvart L|S] [--typ A|L|B|W] [--svart CODE] [--discount]
//       [--graph-mode 0|1|2] [--table-mode 0..4] [--year-kind 0|1] [--db-percent]
//       [--today YYYY-MM-DD]
//       [--pdf FILE] [--png FILE [--dpi N]] [--csv FILE] [--json FILE]
struct BatchOptions
{
    // COMPANY BRANCH USER PASSWORD SERVER and optionally PORT and NAMESPACE.
    QStringList loginWords;

    QString pc, habt, abt, hg, ug, hkg, hvart;
    QString typ, svart;
    bool discount = false;

    std::optional<int> graphMode;
    std::optional<int> tableMode;
    std::optional<int> yearKind;
    bool dbPercent = false;
    std::optional<QDate> today;

    QString pdf, png, csv, json;
    int dpi = 150;

    bool extendedSelection() const { return !typ.isEmpty() || !svart.isEmpty() || discount; }
    // The login words as the program's command line: blank-separated.
    QString loginCommandLine() const { return loginWords.join(QLatin1Char(' ')); }

    // arguments without the program name; environmentPassword is used when the
    // PASSWORD word is "-". Gives the options or an error text.
    static std::variant<BatchOptions, QString>
    parse(const QStringList &arguments, const std::optional<QString> &environmentPassword);
    static QString usage();
};

} // namespace ertragon::report
