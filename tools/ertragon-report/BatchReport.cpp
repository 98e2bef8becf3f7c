#include "BatchReport.h"

#include "BookFiles.h"
#include "BreakdownTable.h"
#include "BuildReportData.h"
#include "CreateFactory.h"
#include "DetailsBreakdown.h"
#include "DetailsCsv.h"
#include "DisplayState.h"
#include "ExtendedSelection.h"
#include "FixedClock.h"
#include "LoginController.h"
#include "PeriodFetch.h"
#include "Prompter.h"
#include "RecordingSurface.h"
#include "ReportExport.h"
#include "ReportJson.h"
#include "ReportPage.h"
#include "SelectionModel.h"
#include "ServerAccess.h"
#include "ServerSession.h"
#include "StartUp.h"
#include "StartUpView.h"
#include "Waiter.h"

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

// Messages go to the error stream; questions get a fixed answer: "no" for the
// start-up (no rebuild), the --rows choice for the breakdown's row question.
class StreamPrompter final : public Prompter
{
public:
    explicit StreamPrompter(QTextStream &out, Answer questionAnswer = Answer::No)
        : m_out(out)
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
        m_out << title << ": " << oneLine
              << (m_questionAnswer == Answer::Yes ? " (Antwort: Ja)" : " (Antwort: Nein)")
              << Qt::endl;
        return m_questionAnswer;
    }

private:
    QTextStream &m_out;
    Answer m_questionAnswer;
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

// No splash and no windows in a batch run.
class NoView final : public StartUpView
{
public:
    void showSplash() override { }
    void setStatus(const QString &) override { }
    void closeSplash() override { }
    void setCaption(const QString &) override { }
    void preparePreview() override { }
    void scaleLayout() override { }
    void setTableCaptions(const QString &, const QString &) override { }
    void setYearOptionCaptions(const QStringList &) override { }
    void disableRestrictedItems() override { }
    void displayStateReset() override { }
    void openRebuild() override { }
};

QString firstWord(const QString &text)
{
    return text.trimmed().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
}

} // namespace

BatchReport::BatchReport(const BatchOptions &options, QTextStream &errors)
    : m_options(options)
    , m_errors(errors)
{
}

int BatchReport::run()
{
    const QDateTime now = m_options.today ? QDateTime(*m_options.today, QTime(12, 0))
                                          : QDateTime::currentDateTime();
    FixedClock clock(now);
    StreamPrompter prompter(m_errors);
    SleepingWaiter waiter;
    QTemporaryDir settingsDir; // the batch never touches the user's login settings
    // The login values go in as the login window's settings and password field,
    // not as a blank-separated command line, so that a password may hold blanks.
    const QStringList &words = m_options.loginWords;
    const QString settingsPath = settingsDir.filePath(QStringLiteral("login.ini"));
    {
        QSettings settings(settingsPath, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Login"));
        settings.setValue(QStringLiteral("Firma"), words.value(0));
        settings.setValue(QStringLiteral("Filiale"), words.value(1));
        settings.setValue(QStringLiteral("Name"), words.value(2));
        settings.setValue(QStringLiteral("Server"), words.value(4));
        settings.setValue(QStringLiteral("Port"), words.value(5, QStringLiteral("1972")));
        settings.setValue(QStringLiteral("Namespace"), words.value(6, QStringLiteral("KORDEX")));
    }
    ServerSession session(&kordex::createFactory, prompter, waiter, settingsPath,
                          { QStringLiteral("ertragon-report") });
    LoginFields fields = session.login().fields();
    fields.password = words.value(3);
    session.login().setFields(fields);
    ServerAccess &access = session.access();
    access.setSettingsDialogHook([&access] { access.ShutdownProgram(); });
    access.setSettingsHideHook([] {});
    access.setShutdownHook([] {});
    access.setCursorHook([](bool) {});

    SelectionModel selection(access, prompter);
    DisplayState display;
    NoView view;
    StartUp startUp(access, prompter, clock, selection, display, view);
    startUp.setLogin([&session] { return session.login().Login(); });
    if (!startUp.run()) {
        m_errors << "Anmeldung fehlgeschlagen oder keine Berechtigung." << Qt::endl;
        return LoginFailed;
    }

    // The selection, in the order of the cascade.
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
        switch (selection.chooseCode(choice.list, choice.code, Qt::CaseInsensitive)) {
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

    ExtendedSelection extended;
    if (m_options.extendedSelection()) {
        extended.open(access, firstWord(selection.firma()), selection.code(SelectionModel::SHVArt));
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
    }

    display.graphMode = m_options.graphMode.value_or(display.graphMode);
    display.tableMode = m_options.tableMode.value_or(display.tableMode);
    display.yearKind = m_options.yearKind.value_or(display.yearKind);
    display.dbPercent = m_options.dbPercent;

    selection.setSplitFlags(m_options.details.splitFlags);
    display.valueKind = m_options.details.valueKind;
    display.detailPeriod = m_options.details.detailPeriod;

    // Every server call first; files are written only when all of them worked.
    PeriodTotals totals;
    if (m_options.pageRequested()) {
        PeriodFetch fetch(access, prompter, clock);
        switch (fetch.run(selection, extended, totals)) {
        case PeriodFetch::Outcome::Fetched:
            break;
        case PeriodFetch::Outcome::Refused:
            m_errors << "Die Auswahl ist nicht erlaubt: eine Abteilung muss gewählt sein."
                     << Qt::endl;
            return SelectionRefused;
        case PeriodFetch::Outcome::Failed:
            m_errors << "Die Daten konnten nicht geholt werden." << Qt::endl;
            return FetchFailed;
        }
    }
    BreakdownTable details;
    if (!m_options.details.path.isEmpty()) {
        const int status = fetchDetails(access, selection, display, now.date(), details);
        if (status != Success)
            return status;
    }

    const ReportData data
        = buildReportData(totals, display, selection, extended, access.context(), now);
    // The book last: it chooses every unit in the selection in turn.
    std::unique_ptr<BookFiles> book;
    if (m_options.bookRequested()) {
        book = std::make_unique<BookFiles>(
            BookFiles::Paths { m_options.book, m_options.bookCsv, m_options.bookJson },
            BookPdf::Metadata { QStringLiteral("Ertragon Berichtsmappe"), access.context().fullName,
                                now });
        ReportBook reportBook(access, prompter, clock, selection, extended, display);
        if (const int status = makeBook(reportBook, *book); status != Success)
            return status;
    }
    access.Disconnect();

    bool written = m_options.pageRequested() ? writePage(totals, data) : true;
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
        written = check(DetailsCsv::write(details, m_options.details.path, &error),
                        m_options.details.path, error)
            && written;
    }
    return written ? Success : WriteFailed;
}

int BatchReport::makeBook(ReportBook &reportBook, BookFiles &files)
{
    QList<ReportBook::Level> levels;
    for (const QString &word : m_options.each)
        levels.append(*ReportBook::levelFromWord(word));
    QElapsedTimer timer;
    timer.start();
    const QList<ReportBook::Unit> units = reportBook.plan(levels);
    const bool terminal = isatty(fileno(stderr));
    const auto outcome = reportBook.run(units, [&](const ReportBook::Page &page, int n, int count) {
        if (terminal)
            m_errors << "\rSeite " << n << " von " << count << ": " << page.unit.title() << "\x1b[K"
                     << Qt::flush;
        files.add(page);
        return true;
    });
    if (terminal)
        m_errors << "\r\x1b[K" << Qt::flush;
    for (const ReportBook::Unit &unit : reportBook.leftOut())
        m_errors << "Ohne Zahlen in den sechs Jahren, nicht in der Mappe: " << unit.title()
                 << Qt::endl;
    files.setLeftOut(reportBook.leftOut());
    m_bookFigures = { int(units.size()), files.pageCount(), timer.nsecsElapsed(),
                      reportBook.fetchNanoseconds(), 0 };
    const double pages = std::max(1, m_bookFigures.pages);
    qCDebug(lcBook, "book: %d units planned, %d pages; %.1f ms a page, of which fetching %.1f ms",
            m_bookFigures.units, m_bookFigures.pages, m_bookFigures.pagesNanoseconds / 1e6 / pages,
            m_bookFigures.fetchNanoseconds / 1e6 / pages);
    if (outcome != ReportBook::Outcome::Done) {
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

int BatchReport::fetchDetails(ServerAccess &access, const SelectionModel &selection,
                              const DisplayState &display, const QDate &today,
                              BreakdownTable &table)
{
    const BatchOptions::Details &options = m_options.details;
    const FetchSelection chosen = selection.fetchSelection();
    if (options.rowsByProfitCentre && selection.rights().restricted && chosen.pcnr.isEmpty()
        && chosen.habt.isEmpty() && chosen.abtnr.isEmpty() && chosen.hgrp.isEmpty())
        m_errors << "Hinweis: eingeschränkte Benutzer erhalten die Aufteilung nach "
                    "Hauptabteilungen, nicht nach Profitcentern."
                 << Qt::endl;
    StreamPrompter rowQuestion(
        m_errors, options.rowsByProfitCentre ? Prompter::Answer::Yes : Prompter::Answer::No);
    DetailsBreakdown breakdown(access, rowQuestion);
    const auto result
        = breakdown.run(selection, display, today, options.month.value_or(today.month()));
    if (!result) {
        m_errors << "Keine Aufteilung: die Auswahl ist nicht erlaubt oder unvollständig."
                 << Qt::endl;
        return SelectionRefused;
    }
    if (result->failed) {
        m_errors << "Die Aufteilung konnte nicht geholt werden." << Qt::endl;
        return FetchFailed;
    }
    table.setTable(*result);
    return Success;
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
        written
            = check(ReportExport::writeCsv(content, m_options.csv, &error), m_options.csv, error)
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
