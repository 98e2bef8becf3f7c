#pragma once

#include <QDate>
#include <QLocale>
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
//       [--legend] [--today YYYY-MM-DD]
//       [--pdf FILE] [--png FILE [--dpi N]] [--csv FILE] [--json FILE] [--xlsx FILE]
//       [--details FILE [--value-kind 0|1] [--detail-period 0|1|2] [--month M]
//                       [--split N] [--rows pc|habt]]
//       [--book FILE.pdf] [--book-csv FILE] [--book-json FILE] [--book-xlsx FILE]
//       [--each pc|habt|abt|hg]... [--plain-numbers]
//       [--password-file FILE] [--quiet] [--locale NAME|system]
struct BatchOptions
{
    // The breakdown table of the details frame, written as CSV.
    struct Details
    {
        QString path;
        int valueKind = 0; // 0 year values, 1 month values
        int detailPeriod = 0; // 0 current year, 1 previous year, 2 three-year mean
        std::optional<int> month; // month values only; default: the month of today
        int splitFlags = 3;
        // The answer to "Wollen Sie nach Profitcenter aufteilen?" when nothing is
        // selected: true profit centres, false main departments.
        bool rowsByProfitCentre = true;
    };

    // COMPANY BRANCH USER PASSWORD SERVER and optionally PORT and NAMESPACE;
    // only the password may hold blanks.
    QStringList loginWords;
    // Where the password word stood among the arguments (without the program name);
    // -1 without one.
    qsizetype passwordArgument = -1;

    QString pc, habt, abt, hg, ug, hkg, hvart;
    QString typ, svart;
    bool discount = false;

    std::optional<int> graphMode;
    std::optional<int> tableMode;
    std::optional<int> yearKind;
    bool dbPercent = false;
    bool legend = false; // "Legende und Zeilentitel"
    std::optional<QDate> today;

    QString pdf, png, csv, json, xlsx;
    // The report book: one page per unit of the levels (pc, habt, abt, hg), nested
    // in the order given, as PDF and/or CSV and JSON.
    QString book, bookCsv, bookJson, bookXlsx;
    QStringList each;
    int dpi = 150;
    Details details;
    // Where a PASSWORD word "-" is read from first (see PasswordSource).
    QString passwordFile;
    // --csv and --details with plain numbers: no grouping, percentages without "%".
    bool plainNumbers = false;
    bool quiet = false; // nothing on stderr but errors: no answered questions, notes, progress
    // The number format of the page and the files: de_DE unless another is chosen;
    // "system" is the caller's POSIX locale (LC_ALL, LC_NUMERIC, LANG).
    QString locale = QStringLiteral("de_DE");
    bool help = false; // -h, --help, --help-all: show the usage and do nothing else
    bool version = false; // -v, --version: show the version and do nothing else

    // Is any file of the report page asked for?
    bool pageRequested() const
    {
        return !pdf.isEmpty() || !png.isEmpty() || !csv.isEmpty() || !json.isEmpty()
            || !xlsx.isEmpty();
    }
    bool bookRequested() const
    {
        return !book.isEmpty() || !bookCsv.isEmpty() || !bookJson.isEmpty() || !bookXlsx.isEmpty();
    }
    bool extendedSelection() const { return !typ.isEmpty() || !svart.isEmpty() || discount; }
    QLocale pageLocale() const;

    // arguments without the program name; a PASSWORD word "-" is read from --password-file,
    // the credential in credentialsDirectory ($CREDENTIALS_DIRECTORY) or
    // environmentPassword, in this order. Gives the options or a one-line error text.
    static std::variant<BatchOptions, QString>
    parse(const QStringList &arguments, const std::optional<QString> &environmentPassword,
          const QString &credentialsDirectory = QString());
    static QString usage();
};

} // namespace ertragon::report
