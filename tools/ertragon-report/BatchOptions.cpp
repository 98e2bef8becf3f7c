#include "BatchOptions.h"

#include "CommandLineWords.h"
#include "ParserComplaint.h"
#include "PasswordSource.h"

#include <QCommandLineParser>
#include <algorithm>
#include <tuple>

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
        "    [--legend] [--today YYYY-MM-DD]\n"
        "    [--pdf DATEI] [--png DATEI [--dpi N]] [--csv DATEI] [--json DATEI]\n"
        "    [--xlsx DATEI]\n"
        "    [--details DATEI [--value-kind 0|1] [--detail-period 0|1|2] [--month M]\n"
        "                     [--split N] [--rows pc|habt]]\n"
        "    [--book DATEI.pdf] [--book-csv DATEI] [--book-json DATEI] [--book-xlsx DATEI]\n"
        "    [--each pc|habt|abt|hg]... [--plain-numbers]\n"
        "    [--password-file DATEI] [--quiet] [--locale NAME|system]\n"
        "PASSWORT \"-\" liest das Passwort aus --password-file, den systemd-Zugangsdaten\n"
        "oder ERTRAGON_PASSWORD (siehe unten).\n"
        "--legend benennt die Reihen wie \"Legende und Zeilentitel\" im Fenster: Zeilentitel\n"
        "links der Wertetabelle, eine Legende zwischen den Diagrammen, die drei Jahre mit\n"
        "eigenen Strichmustern.\n"
        "--details schreibt die Aufteilungstabelle des Detailbereichs als CSV wie --csv:\n"
        "UTF-8, Trennzeichen ';', Zeilenende CRLF; Felder mit ';' oder '\"' stehen in\n"
        "Anführungszeichen ('\"' verdoppelt). Erst die Überschriften, dann je Zeile der\n"
        "Liste eine Zeile mit deren Texten.\n"
        "--plain-numbers schreibt --csv und --details mit reinen Zahlen für\n"
        "Tabellenkalkulationen: ohne Tausenderpunkte, mit Dezimalkomma, Prozente ohne '%'.\n"
        "--xlsx schreibt die Wertetabelle (und mit --details die Aufteilungstabelle) als\n"
        "Excel-Arbeitsmappe: Zahlen als Zahlen mit Zahlenformat, darüber die Auswahl.\n"
        "  --value-kind     0 Jahreswerte (Vorgabe), 1 Monatswerte\n"
        "  --detail-period  0 aktuelles Jahr (Vorgabe), 1 Vorjahr, 2 Dreijahresmittel\n"
        "                   (nur mit Jahreswerten)\n"
        "  --month          Monat 1..12 der Monatswerte (Vorgabe: Monat von --today)\n"
        "  --split          Aufteilungs-Kennzeichen: 1 Untergruppen, 2 Hauptkundengruppen,\n"
        "                   8 Hauptversandart, Summen davon (Vorgabe 3)\n"
        "  --rows           pc Profitcenter (Vorgabe) oder habt Hauptabteilungen, wenn\n"
        "                   weder --pc noch --habt, --abt oder --hg gewählt ist\n"
        "--book schreibt die Berichtsmappe: je Einheit der --each-Ebenen eine Seite, bei\n"
        "mehreren --each verschachtelt (z. B. --each habt --each abt: jede Abteilung in\n"
        "jeder Hauptabteilung), mit Lesezeichen je Ebene; --book-csv die Wertetabellen\n"
        "aller Seiten (zuerst die Spalten der Einheit), --book-json die Zahlen je Einheit,\n"
        "--book-xlsx die Wertetabellen als Arbeitsmappe mit einem Blatt je Einheit.\n"
        "Einheiten ohne Zahlen in den sechs Jahren fehlen und werden genannt.\n"
        "--password-file DATEI liest das Passwort für PASSWORT \"-\" aus der ersten Zeile\n"
        "der Datei, die nur ihr Eigentümer lesen darf (Rechte 0600 oder 0400); ohne sie\n"
        "gelten die systemd-Zugangsdaten ertragon-password ($CREDENTIALS_DIRECTORY/\n"
        "ertragon-password, ebenso nur für den Eigentümer lesbar), dann ERTRAGON_PASSWORD.\n"
        "--quiet schreibt auf stderr nur Fehler: keine beantworteten Fragen, Hinweise,\n"
        "Fortschritte und Warnungen von Qt.\n"
        "--locale NAME wählt das Zahlenformat der Seite und der Dateien (Vorgabe de_DE,\n"
        "gleich welches Locale der Aufrufer hat); system nimmt das Locale des Aufrufers\n"
        "(LC_ALL, LC_NUMERIC, LANG).\n"
        "-h, --help und --help-all zeigen diese Hilfe, -v, --version die Version. Optionen\n"
        "mit Wert gehen auch als --option=wert.\n"
        "Rückgabewerte: 0 fertig, 1 Aufruf falsch, 2 Anmeldung fehlgeschlagen oder keine\n"
        "Berechtigung, 3 Auswahl nicht erlaubt, 4 Daten nicht geholt, 5 Schreiben\n"
        "fehlgeschlagen.");
}

QLocale BatchOptions::pageLocale() const
{
    return locale == QLatin1String("system") ? QLocale::system() : QLocale(locale);
}

namespace {

// The options that take no value.
const char *const flagNames[] = { "discount", "db-percent", "legend", "quiet", "plain-numbers" };

bool isFlag(const QString &name)
{
    return std::any_of(std::cbegin(flagNames), std::cend(flagNames),
                       [&name](const char *flag) { return name == QLatin1String(flag); });
}

// A locale name Qt knows ("de_DE", "en_GB", "C") or "system"; Qt makes an unknown name C.
bool knownLocale(const QString &name)
{
    return name == QLatin1String("system") || name == QLatin1String("C")
        || QLocale(name).language() != QLocale::C;
}

// The password of a PASSWORD word "-"; the error text when there is none.
QString resolvePassword(BatchOptions &options, const std::optional<QString> &environmentPassword,
                        const QString &credentialsDirectory)
{
    if (options.loginWords[3] != QLatin1String("-")) {
        return options.passwordFile.isEmpty()
            ? QString()
            : QStringLiteral("--password-file gilt nur mit PASSWORT \"-\"");
    }
    const PasswordSource::Result read
        = PasswordSource::read(options.passwordFile, credentialsDirectory, environmentPassword);
    if (!read.error.isEmpty())
        return read.error;
    options.loginWords[3] = read.password;
    return {};
}

// The options the parser knows; those with a value name take a value.
QList<QCommandLineOption> optionTable()
{
    QList<QCommandLineOption> table;
    for (const char *name :
         { "pc",      "habt",       "abt",           "hg",         "ug",         "hkg",
           "hvart",   "typ",        "svart",         "graph-mode", "table-mode", "year-kind",
           "today",   "pdf",        "png",           "dpi",        "csv",        "json",
           "details", "value-kind", "detail-period", "month",      "split",      "rows",
           "book",    "book-csv",   "book-json",     "each",       "xlsx",       "book-xlsx" })
        table.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("x")));
    for (const char *name : { "password-file", "locale" })
        table.append(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("x")));
    for (const char *name : flagNames)
        table.append(QCommandLineOption(QString::fromLatin1(name)));
    table.append(QCommandLineOption(
        QStringList { QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("help-all") }));
    table.append(
        QCommandLineOption(QStringList { QStringLiteral("v"), QStringLiteral("version") }));
    return table;
}

} // namespace

std::variant<BatchOptions, QString>
BatchOptions::parse(const QStringList &arguments, const std::optional<QString> &environmentPassword,
                    const QString &credentialsDirectory)
{
    BatchOptions options;
    const QList<QCommandLineOption> table = optionTable();
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(table);
    const auto words
        = cli::CommandLineWords::split(QStringLiteral("ertragon-report"), arguments, table);
    options.loginWords = words.positional;
    options.passwordArgument = words.positionalIndex.value(3, -1);
    if (!parser.parse(words.options))
        return cli::ParserComplaint::german(parser);
    if (parser.isSet(QStringLiteral("help"))) {
        options.help = true;
        return options;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        options.version = true;
        return options;
    }
    const auto value
        = [&parser](const char *name) { return parser.value(QString::fromLatin1(name)); };
    const auto given
        = [&parser](const char *name) { return parser.isSet(QString::fromLatin1(name)); };
    // Every option given names a value, and an empty one is a mistake.
    for (const QString &name : parser.optionNames()) {
        if (!isFlag(name) && parser.value(name).isEmpty())
            return QStringLiteral("Leerer Wert nach --") + name;
    }
    options.discount = given("discount");
    options.dbPercent = given("db-percent");
    options.legend = given("legend");
    options.quiet = given("quiet");
    options.plainNumbers = given("plain-numbers");
    options.passwordFile = value("password-file");
    if (given("locale")) {
        if (!knownLocale(value("locale")))
            return QStringLiteral("Unbekanntes Locale für --locale: ") + value("locale");
        options.locale = value("locale");
    }

    const std::pair<const char *, QString *> codes[]
        = { { "pc", &options.pc }, { "habt", &options.habt }, { "abt", &options.abt },
            { "hg", &options.hg }, { "ug", &options.ug },     { "svart", &options.svart } };
    for (const auto &[name, target] : codes) {
        if (!given(name))
            continue;
        if (unsafeWord(value(name)))
            return QStringLiteral("Ungültiger Code nach --") + QString::fromLatin1(name)
                + QStringLiteral(": ") + value(name);
        *target = value(name);
    }
    const std::tuple<const char *, QStringList, QString *> choices[]
        = { { "hkg", { "P", "G" }, &options.hkg },
            { "hvart", { "L", "S" }, &options.hvart },
            { "typ", { "A", "L", "B", "W" }, &options.typ } };
    for (const auto &[name, allowed, target] : choices) {
        if (!given(name))
            continue;
        *target = oneOf(value(name), allowed);
        if (target->isEmpty())
            return QStringLiteral("Ungültiger Wert für --") + QString::fromLatin1(name)
                + QStringLiteral(": ") + value(name);
    }
    const std::tuple<const char *, int, int, std::optional<int> *> numbers[]
        = { { "graph-mode", 0, 2, &options.graphMode },
            { "table-mode", 0, 4, &options.tableMode },
            { "year-kind", 0, 1, &options.yearKind } };
    for (const auto &[name, low, high, target] : numbers) {
        if (!given(name))
            continue;
        *target = numberIn(value(name), low, high);
        if (!*target)
            return QStringLiteral("Ungültiger Wert für --") + QString::fromLatin1(name)
                + QStringLiteral(": ") + value(name);
    }
    if (given("today")) {
        const QDate date = QDate::fromString(value("today"), Qt::ISODate);
        if (!date.isValid() || value("today").size() != 10 || date.year() < 1901)
            return QStringLiteral("Ungültiges Datum für --today: ") + value("today");
        options.today = date;
    }
    const std::pair<const char *, QString *> paths[] = { { "pdf", &options.pdf },
                                                         { "png", &options.png },
                                                         { "csv", &options.csv },
                                                         { "json", &options.json },
                                                         { "xlsx", &options.xlsx },
                                                         { "details", &options.details.path },
                                                         { "book", &options.book },
                                                         { "book-csv", &options.bookCsv },
                                                         { "book-json", &options.bookJson },
                                                         { "book-xlsx", &options.bookXlsx } };
    for (const auto &[name, target] : paths)
        *target = value(name);
    for (const QString &level : parser.values(QStringLiteral("each"))) {
        const QString word = level.toLower();
        if (word != QLatin1String("pc") && word != QLatin1String("habt")
            && word != QLatin1String("abt") && word != QLatin1String("hg"))
            return QStringLiteral("Ungültiger Wert für --each: ") + level;
        if (options.each.contains(word))
            return QStringLiteral("--each ") + word + QStringLiteral(" steht doppelt");
        options.each.append(word);
    }
    if (options.bookRequested() && options.each.isEmpty())
        return QStringLiteral("Die Berichtsmappe braucht mindestens ein --each");
    if (!options.each.isEmpty() && !options.bookRequested())
        return QStringLiteral(
            "--each gilt nur mit --book, --book-csv, --book-json oder --book-xlsx");
    if (given("dpi")) {
        const auto dpi = numberIn(value("dpi"), 10, 1200);
        if (!dpi)
            return QStringLiteral("Ungültige Auflösung für --dpi: ") + value("dpi");
        options.dpi = *dpi;
    }
    QStringList detailFlagsGiven;
    for (const QString &name : parser.optionNames()) {
        const QString flag = QStringLiteral("--") + name;
        if (!detailFlags.contains(flag) || detailFlagsGiven.contains(flag))
            continue;
        if (const QString error = readDetailFlag(flag, parser.value(name), options.details);
            !error.isEmpty())
            return error;
        detailFlagsGiven.append(flag);
    }

    if (options.loginWords.size() < 5 || options.loginWords.size() > 7)
        return QStringLiteral(
            "Erwartet werden FIRMA FILIALE BENUTZER PASSWORT SERVER [PORT [NAMESPACE]]");
    if (!isWholeNumber(options.loginWords[0]))
        return QStringLiteral("Die Firma muss eine Zahl sein: ") + options.loginWords[0];
    if (const QString error = resolvePassword(options, environmentPassword, credentialsDirectory);
        !error.isEmpty())
        return error;
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
    if (given("dpi") && options.png.isEmpty())
        return QStringLiteral("--dpi gilt nur mit --png");
    if (const QString error = detailsCombinationError(options.details, detailFlagsGiven);
        !error.isEmpty())
        return error;
    if (!options.pageRequested() && options.details.path.isEmpty() && !options.bookRequested())
        return QStringLiteral(
            "Keine Ausgabe: --pdf, --png, --csv, --json, --xlsx, --details oder --book angeben");
    return options;
}

} // namespace ertragon::report
