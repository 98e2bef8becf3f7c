#include "BatchReport.h"

#include "AnalysisSession.h"
#include "BookFiles.h"
#include "CreateFactory.h"
#include "DetailsCsv.h"
#include "FixedClock.h"
#include "LoginController.h"
#include "RecordingSurface.h"
#include "ReportExport.h"
#include "ReportJson.h"
#include "ReportPage.h"
#include "ServerAccess.h"
#include "ServerSession.h"
#include "Waiter.h"
#include "XlsxExport.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcBook, "ertragon.report.book", QtWarningMsg)

namespace ertragon::report {

namespace {

// Messages go to the error stream; questions get the answer the run sets, and the
// answered questions are notes.
class StreamPrompter final : public Prompter
{
public:
    StreamPrompter(QTextStream &out, QTextStream &notes, const Answer &questionAnswer)
        : m_out(out)
        , m_notes(notes)
        , m_questionAnswer(questionAnswer)
    {
    }
    Answer ask(Icon, const QString &title, const QString &text, Buttons buttons) override
    {
        QString oneLine = text;
        oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (buttons != Buttons::YesNo) {
            m_out << title << ": " << oneLine << Qt::endl;
            return Answer::Ok;
        }
        m_notes << title << ": " << oneLine
                << (m_questionAnswer == Answer::Yes ? " (Antwort: Ja)" : " (Antwort: Nein)")
                << Qt::endl;
        return m_questionAnswer;
    }

private:
    QTextStream &m_out;
    QTextStream &m_notes;
    const Answer &m_questionAnswer;
};

class SleepingWaiter final : public Waiter
{
public:
    int waitHundredths(int n) override
    {
        QThread::msleep(ulong(qMax(0, n)) * 10);
        return n / 100;
    }
};

} // namespace

BatchReport::BatchReport(const BatchOptions &options, QTextStream &errors)
    : m_options(options)
    , m_errors(errors)
    , m_discarded(&m_discardedText)
{
}

QTextStream &BatchReport::notes()
{
    return m_options.quiet ? m_discarded : m_errors;
}

int BatchReport::run()
{
    const QDateTime now = m_options.today ? QDateTime(*m_options.today, QTime(12, 0))
                                          : QDateTime::currentDateTime();
    FixedClock clock(now);
    StreamPrompter prompter(m_errors, notes(), m_questionAnswer);
    SleepingWaiter waiter;
    QTemporaryDir settingsDir; // the batch never touches the user's login settings
    const QString settingsPath = settingsDir.filePath(QStringLiteral("login.ini"));
    writeLoginSettings(settingsPath);
    ServerSession session(&kordex::createFactory, prompter, waiter, settingsPath,
                          { QStringLiteral("ertragon-report") });
    LoginFields fields = session.login().fields();
    fields.password = m_options.loginWords.value(3);
    session.login().setFields(fields);
    ServerAccess &access = session.access();
    QObject::connect(&access, &ServerAccess::settingsWanted, &access,
                     &ServerAccess::ShutdownProgram);

    AnalysisSession analysis(access, prompter, clock);
    QObject::connect(&analysis, &AnalysisSession::refused, [this] { m_refused = true; });
    if (!analysis.startUp([&session] { return session.login().Login(); })) {
        m_errors << "Anmeldung fehlgeschlagen oder keine Berechtigung." << Qt::endl;
        return LoginFailed;
    }
    if (const int status = choose(analysis); status != Success)
        return status;
    if (const int status = chooseExtended(analysis); status != Success)
        return status;
    setDisplay(analysis);

    std::unique_ptr<BookFiles> book;
    if (m_options.bookRequested())
        book = std::make_unique<BookFiles>(
            BookFiles::Paths { m_options.book, m_options.bookCsv, m_options.bookJson,
                               m_options.bookXlsx },
            BookPdf::Metadata { QStringLiteral("Ertragon Berichtsmappe"), analysis.login().fullName,
                                now });
    if (const int status = fetchAll(analysis, book.get()); status != Success)
        return status;
    access.Disconnect();
    return writeFiles(analysis, book.get()) ? Success : WriteFailed;
}

void BatchReport::writeLoginSettings(const QString &path) const
{
    // The login values go in as the login window's settings and password field, not
    // as a blank-separated command line, so that a password may hold blanks.
    const QStringList &words = m_options.loginWords;
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Login"));
    settings.setValue(QStringLiteral("Firma"), words.value(0));
    settings.setValue(QStringLiteral("Filiale"), words.value(1));
    settings.setValue(QStringLiteral("Name"), words.value(2));
    settings.setValue(QStringLiteral("Server"), words.value(4));
    settings.setValue(QStringLiteral("Port"), words.value(5, QStringLiteral("1972")));
    settings.setValue(QStringLiteral("Namespace"), words.value(6, QStringLiteral("KORDEX")));
}

int BatchReport::choose(AnalysisSession &analysis)
{
    const struct
    {
        const char *option;
        SelectionModel::List list;
        QString code;
    } choices[] = { { "--pc", SelectionModel::SPCNR, m_options.pc },
                    { "--habt", SelectionModel::SHABT, m_options.habt },
                    { "--abt", SelectionModel::SABTNR, m_options.abt },
                    { "--hg", SelectionModel::SHGRP, m_options.hg },
                    { "--ug", SelectionModel::SUGRP, m_options.ug },
                    { "--hkg", SelectionModel::SPG, m_options.hkg },
                    { "--hvart", SelectionModel::SHVArt, m_options.hvart } };
    for (const auto &choice : choices) {
        if (choice.code.isEmpty())
            continue;
        switch (analysis.selection().chooseCode(choice.list, choice.code, Qt::CaseInsensitive)) {
        case SelectionModel::Choice::Chosen:
            break;
        case SelectionModel::Choice::Unknown:
            m_errors << "Unbekannter Code für " << choice.option << ": " << choice.code << Qt::endl;
            return SelectionRefused;
        case SelectionModel::Choice::Refused:
            m_errors << "Auswahl nicht erlaubt: " << choice.option << " " << choice.code
                     << Qt::endl;
            return SelectionRefused;
        }
    }
    analysis.selection().setSplitFlags(m_options.details.splitFlags);
    return Success;
}

int BatchReport::chooseExtended(AnalysisSession &analysis)
{
    if (!m_options.extendedSelection())
        return Success;
    analysis.openExtended();
    ExtendedSelection &extended = analysis.extended();
    if (!m_options.typ.isEmpty()
        && !extended.chooseArticleType(m_options.typ, Qt::CaseInsensitive)) {
        m_errors << "Unbekannter Typ: " << m_options.typ << Qt::endl;
        return SelectionRefused;
    }
    if (!m_options.svart.isEmpty()
        && !extended.chooseShippingType(m_options.svart, Qt::CaseInsensitive)) {
        m_errors << "Unbekannte Versandart: " << m_options.svart << Qt::endl;
        return SelectionRefused;
    }
    extended.setDiscountView(m_options.discount ? 1 : 0);
    return Success;
}

void BatchReport::setDisplay(AnalysisSession &analysis) const
{
    DisplayState display = analysis.display();
    display.graphMode = m_options.graphMode.value_or(display.graphMode);
    display.tableMode = m_options.tableMode.value_or(display.tableMode);
    display.yearKind = m_options.yearKind.value_or(display.yearKind);
    display.dbPercent = m_options.dbPercent;
    display.seriesLegend = m_options.legend;
    display.valueKind = m_options.details.valueKind;
    display.detailPeriod = m_options.details.detailPeriod;
    analysis.setDisplay(display);
}

int BatchReport::fetchAll(AnalysisSession &analysis, BookFiles *book)
{
    if (m_options.pageRequested()) {
        if (const int status = fetchPage(analysis); status != Success)
            return status;
    }
    if (!m_options.details.path.isEmpty()) {
        if (const int status = fetchDetails(analysis); status != Success)
            return status;
    }
    analysis.redraw();
    // The book last: it walks through the units in a selection of its own.
    return book ? makeBook(analysis, *book) : Success;
}

int BatchReport::fetchPage(AnalysisSession &analysis)
{
    m_refused = false;
    if (analysis.fetch())
        return Success;
    if (m_refused) {
        m_errors << "Die Auswahl ist nicht erlaubt: eine Abteilung muss gewählt sein." << Qt::endl;
        return SelectionRefused;
    }
    m_errors << "Die Daten konnten nicht geholt werden." << Qt::endl;
    return FetchFailed;
}

int BatchReport::fetchDetails(AnalysisSession &analysis)
{
    const BatchOptions::Details &options = m_options.details;
    const FetchSelection chosen = analysis.selection().fetchSelection();
    if (options.rowsByProfitCentre && analysis.rights().restricted && chosen.pcnr.isEmpty()
        && chosen.habt.isEmpty() && chosen.abtnr.isEmpty() && chosen.hgrp.isEmpty())
        notes() << "Hinweis: eingeschränkte Benutzer erhalten die Aufteilung nach "
                   "Hauptabteilungen, nicht nach Profitcentern."
                << Qt::endl;
    m_refused = false;
    m_questionAnswer = options.rowsByProfitCentre ? Prompter::Answer::Yes : Prompter::Answer::No;
    const QDate today = analysis.clock().now().date();
    const bool done = analysis.refreshBreakdown(options.month.value_or(today.month()));
    m_questionAnswer = Prompter::Answer::No;
    if (done)
        return Success;
    if (m_refused) {
        m_errors << "Keine Aufteilung: die Auswahl ist nicht erlaubt oder unvollständig."
                 << Qt::endl;
        return SelectionRefused;
    }
    m_errors << "Die Aufteilung konnte nicht geholt werden." << Qt::endl;
    return FetchFailed;
}

int BatchReport::makeBook(AnalysisSession &analysis, BookFiles &files)
{
    QList<ReportBook::Level> levels;
    for (const QString &word : m_options.each)
        levels.append(*ReportBook::levelFromWord(word));
    QElapsedTimer timer;
    timer.start();
    const bool terminal = !m_options.quiet && isatty(fileno(stderr));
    const AnalysisSession::Book book
        = analysis.makeBook(levels, [&](const ReportBook::Page &page, int n, int count) {
              if (terminal)
                  m_errors << "\rSeite " << n << " von " << count << ": " << page.unit.title()
                           << "\x1b[K" << Qt::flush;
              files.add(page);
              return true;
          });
    if (terminal)
        m_errors << "\r\x1b[K" << Qt::flush;
    for (const ReportBook::Unit &unit : book.leftOut)
        notes() << "Ohne Zahlen in den sechs Jahren, nicht in der Mappe: " << unit.title()
                << Qt::endl;
    files.setLeftOut(book.leftOut);
    m_bookFigures
        = { book.planned, files.pageCount(), timer.nsecsElapsed(), book.fetchNanoseconds, 0 };
    const double pages = std::max(1, m_bookFigures.pages);
    qCDebug(lcBook, "book: %d units planned, %d pages; %.1f ms a page, of which fetching %.1f ms",
            m_bookFigures.units, m_bookFigures.pages, m_bookFigures.pagesNanoseconds / 1e6 / pages,
            m_bookFigures.fetchNanoseconds / 1e6 / pages);
    if (book.outcome != ReportBook::Outcome::Done) {
        m_errors << "Die Daten der Berichtsmappe konnten nicht geholt werden." << Qt::endl;
        return FetchFailed;
    }
    if (files.pageCount() == 0) {
        m_errors << "Die Berichtsmappe hat keine Seite: keine Einheit mit Zahlen, die dieser "
                    "Benutzer wählen darf."
                 << Qt::endl;
        return SelectionRefused;
    }
    return Success;
}

bool BatchReport::writeFiles(AnalysisSession &analysis, BookFiles *book)
{
    bool written
        = m_options.pageRequested() ? writePage(analysis.totals(), analysis.report()) : true;
    if (book) {
        QString error;
        QElapsedTimer timer;
        timer.start();
        written = check(book->write(&error), QStringLiteral("Berichtsmappe"), error) && written;
        m_bookFigures.writeNanoseconds = timer.nsecsElapsed();
        qCDebug(lcBook, "book: files finished and written in %.1f ms",
                m_bookFigures.writeNanoseconds / 1e6);
    }
    if (!m_options.details.path.isEmpty()) {
        QString error;
        const int role = m_options.plainNumbers ? BreakdownTable::PlainTextRole : Qt::DisplayRole;
        written
            = check(DetailsCsv::write(analysis.breakdown(), m_options.details.path, &error, role),
                    m_options.details.path, error)
            && written;
    }
    if (!m_options.xlsx.isEmpty())
        written = writeWorkbook(analysis) && written;
    return written;
}

bool BatchReport::writeWorkbook(AnalysisSession &analysis)
{
    const bool details = !m_options.details.path.isEmpty();
    const QList<XlsxExport::Sheet> sheets = XlsxExport::report(
        analysis.report(), details ? &analysis.breakdown() : nullptr, BreakdownTable::SortRole);
    QString error;
    return check(XlsxExport::write(sheets, m_options.xlsx, &error), m_options.xlsx, error);
}
bool BatchReport::writePage(const PeriodTotals &totals, const ReportData &data)
{
    RecordingSurface surface;
    ReportPage::draw(surface, data);
    const PageContent content = ReportPage::content(data);
    const PageDocument &document = surface.document();

    bool written = true;
    QString error;
    if (!m_options.pdf.isEmpty())
        written = check(ReportExport::writePdf(document, surface.paperKind(),
                                               surface.pageOrientation(), m_options.pdf, &error),
                        m_options.pdf, error)
            && written;
    if (!m_options.png.isEmpty())
        written
            = check(ReportExport::writePng(document, surface.paperKind(), surface.pageOrientation(),
                                           m_options.png, m_options.dpi, &error),
                    m_options.png, error)
            && written;
    if (!m_options.csv.isEmpty())
        written = check(m_options.plainNumbers
                            ? ReportExport::writePlainCsv(data, m_options.csv, &error)
                            : ReportExport::writeCsv(content, m_options.csv, &error),
                        m_options.csv, error)
            && written;
    if (!m_options.json.isEmpty()) {
        const QJsonDocument json(ReportJson::build(totals, data, content, document));
        written = check(ReportExport::writeFile(m_options.json,
                                                json.toJson(QJsonDocument::Indented), &error),
                        m_options.json, error)
            && written;
    }
    return written;
}

bool BatchReport::check(bool ok, const QString &path, const QString &error)
{
    if (!ok)
        m_errors << "Schreiben fehlgeschlagen: " << path << ": " << error << Qt::endl;
    return ok;
}

} // namespace ertragon::report
