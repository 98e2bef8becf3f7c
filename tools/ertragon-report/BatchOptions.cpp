#include "BatchOptions.h"

#include <QMap>

namespace ertragon::report {

namespace {

using Result = std::variant<BatchOptions, QString>;

bool isWholeNumber(const QString &word)
{
    if (word.isEmpty())
        return false;
    for (QChar ch : word)
        if (!ch.isDigit())
            return false;
    return true;
}

std::optional<int> numberIn(const QString &text, int low, int high)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return std::nullopt;
    return v;
}

QString oneOf(const QString &value, const QStringList &allowed)
{
    const QString upper = value.toUpper();
    return allowed.contains(upper) ? upper : QString();
}

bool hasControlCharacter(const QString &word)
{
    for (QChar ch : word)
        if (ch.category() == QChar::Other_Control)
            return true;
    return false;
}

bool unsafeWord(const QString &word)
{
    for (QChar ch : word)
        if (ch.isSpace())
            return true;
    return hasControlCharacter(word);
}

const QStringList detailFlags { QStringLiteral("--value-kind"), QStringLiteral("--detail-period"),
                                QStringLiteral("--month"), QStringLiteral("--split"),
                                QStringLiteral("--rows") };

// The split flags are sums of the check boxes 1, 2 and 8.
bool validSplitFlags(int flags)
{
    return flags >= 0 && (flags & ~11) == 0;
}

// One of the detail flags with its value; gives an error text or nothing.
QString readDetailFlag(const QString &word, const QString &value, BatchOptions::Details &details)
{
    const QString invalid
        = QStringLiteral("Ungültiger Wert für ") + word + QStringLiteral(": ") + value;
    if (word == QLatin1String("--rows")) {
        const QString rows = value.toLower();
        if (rows != QLatin1String("pc") && rows != QLatin1String("habt"))
            return invalid;
        details.rowsByProfitCentre = rows == QLatin1String("pc");
        return {};
    }
    std::optional<int> number;
    if (word == QLatin1String("--value-kind"))
        number = numberIn(value, 0, 1);
    else if (word == QLatin1String("--detail-period"))
        number = numberIn(value, 0, 2);
    else if (word == QLatin1String("--month"))
        number = numberIn(value, 1, 12);
    else if (const auto flags = numberIn(value, 0, 11); flags && validSplitFlags(*flags))
        number = flags;
    if (!number)
        return invalid;
    if (word == QLatin1String("--value-kind"))
        details.valueKind = *number;
    else if (word == QLatin1String("--detail-period"))
        details.detailPeriod = *number;
    else if (word == QLatin1String("--month"))
        details.month = *number;
    else
        details.splitFlags = *number;
    return {};
}

// Combinations of the detail flags that the details frame does not offer.
QString detailsCombinationError(const BatchOptions::Details &details, const QStringList &given)
{
    if (details.path.isEmpty() && !given.isEmpty())
        return given.first() + QStringLiteral(" gilt nur mit --details");
    if (details.valueKind == 1 && details.detailPeriod == 2)
        return QStringLiteral(
            "--detail-period 2 (Dreijahresmittel) gibt es nur mit --value-kind 0");
    if (details.valueKind == 0 && details.month)
        return QStringLiteral("--month gilt nur mit --value-kind 1");
    return {};
}

} // namespace

QString BatchOptions::usage()
{
    return QStringLiteral(
        "Aufruf: ertragon-report FIRMA FILIALE BENUTZER PASSWORT SERVER [PORT [NAMESPACE]]\n"
        "    [--pc CODE] [--habt CODE] [--abt CODE] [--hg CODE] [--ug CODE]\n"
        "    [--hkg P|G] [--hvart L|S] [--typ A|L|B|W] [--svart CODE] [--discount]\n"
        "    [--graph-mode 0|1|2] [--table-mode 0..4] [--year-kind 0|1] [--db-percent]\n"
        "    [--today YYYY-MM-DD]\n"
        "    [--pdf DATEI] [--png DATEI [--dpi N]] [--csv DATEI] [--json DATEI]\n"
        "    [--details DATEI [--value-kind 0|1] [--detail-period 0|1|2] [--month M]\n"
        "                     [--split N] [--rows pc|habt]]\n"
        "PASSWORT \"-\" liest das Passwort aus ERTRAGON_PASSWORD.\n"
        "--details schreibt die Aufteilungstabelle des Detailbereichs als CSV wie --csv:\n"
        "UTF-8, Trennzeichen ';', Zeilenende CRLF; Felder mit ';' oder '\"' stehen in\n"
        "Anführungszeichen ('\"' verdoppelt). Erst die Überschriften, dann je Zeile der\n"
        "Liste eine Zeile mit deren Texten.\n"
        "  --value-kind     0 Jahreswerte (Vorgabe), 1 Monatswerte\n"
        "  --detail-period  0 aktuelles Jahr (Vorgabe), 1 Vorjahr, 2 Dreijahresmittel\n"
        "                   (nur mit Jahreswerten)\n"
        "  --month          Monat 1..12 der Monatswerte (Vorgabe: Monat von --today)\n"
        "  --split          Aufteilungs-Kennzeichen: 1 Untergruppen, 2 Hauptkundengruppen,\n"
        "                   8 Hauptversandart, Summen davon (Vorgabe 3)\n"
        "  --rows           pc Profitcenter (Vorgabe) oder habt Hauptabteilungen, wenn\n"
        "                   weder --pc noch --habt, --abt oder --hg gewählt ist\n"
        "--help zeigt diese Hilfe.");
}

std::variant<BatchOptions, QString>
BatchOptions::parse(const QStringList &arguments, const std::optional<QString> &environmentPassword)
{
    BatchOptions options;
    QMap<QString, QString *> codes {
        { QStringLiteral("--pc"), &options.pc },   { QStringLiteral("--habt"), &options.habt },
        { QStringLiteral("--abt"), &options.abt }, { QStringLiteral("--hg"), &options.hg },
        { QStringLiteral("--ug"), &options.ug },   { QStringLiteral("--svart"), &options.svart }
    };
    QMap<QString, QString *> paths { { QStringLiteral("--pdf"), &options.pdf },
                                     { QStringLiteral("--png"), &options.png },
                                     { QStringLiteral("--csv"), &options.csv },
                                     { QStringLiteral("--json"), &options.json },
                                     { QStringLiteral("--details"), &options.details.path } };
    const QMap<QString, QStringList> choices { { QStringLiteral("--hkg"), { "P", "G" } },
                                               { QStringLiteral("--hvart"), { "L", "S" } },
                                               { QStringLiteral("--typ"),
                                                 { "A", "L", "B", "W" } } };
    const QMap<QString, QString *> choiceTargets { { QStringLiteral("--hkg"), &options.hkg },
                                                   { QStringLiteral("--hvart"), &options.hvart },
                                                   { QStringLiteral("--typ"), &options.typ } };
    struct Range
    {
        int low, high;
        std::optional<int> *target;
    };
    const QMap<QString, Range> numbers {
        { QStringLiteral("--graph-mode"), { 0, 2, &options.graphMode } },
        { QStringLiteral("--table-mode"), { 0, 4, &options.tableMode } },
        { QStringLiteral("--year-kind"), { 0, 1, &options.yearKind } }
    };
    bool dpiGiven = false;
    QStringList detailFlagsGiven;

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments[i];
        if (!word.startsWith(QStringLiteral("--"))) {
            options.loginWords.append(word);
            continue;
        }
        if (word == QLatin1String("--discount")) {
            options.discount = true;
            continue;
        }
        if (word == QLatin1String("--db-percent")) {
            options.dbPercent = true;
            continue;
        }
        if (word == QLatin1String("--help")) {
            options.help = true;
            return options;
        }
        const bool isDetailFlag = detailFlags.contains(word);
        const bool known = codes.contains(word) || paths.contains(word) || choices.contains(word)
            || numbers.contains(word) || isDetailFlag || word == QLatin1String("--today")
            || word == QLatin1String("--dpi");
        if (!known)
            return QStringLiteral("Unbekannte Option: ") + word;
        if (i + 1 >= arguments.size())
            return QStringLiteral("Wert fehlt nach ") + word;
        const QString value = arguments[++i];
        if (value.isEmpty())
            return QStringLiteral("Leerer Wert nach ") + word;
        if (isDetailFlag) {
            const QString error = readDetailFlag(word, value, options.details);
            if (!error.isEmpty())
                return error;
            detailFlagsGiven.append(word);
        } else if (paths.contains(word)) {
            *paths[word] = value;
        } else if (codes.contains(word)) {
            if (unsafeWord(value))
                return QStringLiteral("Ungültiger Code nach ") + word + QStringLiteral(": ")
                    + value;
            *codes[word] = value;
        } else if (choices.contains(word)) {
            const QString chosen = oneOf(value, choices[word]);
            if (chosen.isEmpty())
                return QStringLiteral("Ungültiger Wert für ") + word + QStringLiteral(": ") + value;
            *choiceTargets[word] = chosen;
        } else if (numbers.contains(word)) {
            const Range range = numbers[word];
            *range.target = numberIn(value, range.low, range.high);
            if (!*range.target)
                return QStringLiteral("Ungültiger Wert für ") + word + QStringLiteral(": ") + value;
        } else if (word == QLatin1String("--today")) {
            const QDate date = QDate::fromString(value, Qt::ISODate);
            if (!date.isValid() || value.size() != 10 || date.year() < 1901)
                return QStringLiteral("Ungültiges Datum für --today: ") + value;
            options.today = date;
        } else {
            const auto dpi = numberIn(value, 10, 1200);
            if (!dpi)
                return QStringLiteral("Ungültige Auflösung für --dpi: ") + value;
            options.dpi = *dpi;
            dpiGiven = true;
        }
    }

    if (options.loginWords.size() < 5 || options.loginWords.size() > 7)
        return QStringLiteral(
            "Erwartet werden FIRMA FILIALE BENUTZER PASSWORT SERVER [PORT [NAMESPACE]]");
    if (!isWholeNumber(options.loginWords[0]))
        return QStringLiteral("Die Firma muss eine Zahl sein: ") + options.loginWords[0];
    if (options.loginWords[3] == QLatin1String("-")) {
        if (!environmentPassword || environmentPassword->isEmpty())
            return QStringLiteral("ERTRAGON_PASSWORD ist nicht gesetzt");
        options.loginWords[3] = *environmentPassword;
    }
    for (qsizetype i = 0; i < options.loginWords.size(); ++i) {
        const QString &w = options.loginWords[i];
        // A password may hold blanks; it never travels through a blank-separated line.
        if (i == 3 && !w.isEmpty() && !hasControlCharacter(w))
            continue;
        if (w.isEmpty() || unsafeWord(w))
            return i == 3 ? QStringLiteral("Das Passwort darf nicht leer sein und keine"
                                           " Steuerzeichen enthalten")
                          : QStringLiteral("Anmeldedaten dürfen keine Leerzeichen enthalten");
    }
    if (dpiGiven && options.png.isEmpty())
        return QStringLiteral("--dpi gilt nur mit --png");
    if (const QString error = detailsCombinationError(options.details, detailFlagsGiven);
        !error.isEmpty())
        return error;
    if (!options.pageRequested() && options.details.path.isEmpty())
        return QStringLiteral("Keine Ausgabe: --pdf, --png, --csv, --json oder --details angeben");
    return options;
}

} // namespace ertragon::report
