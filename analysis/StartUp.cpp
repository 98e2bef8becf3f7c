#include "StartUp.h"

#include "AccessRights.h"
#include "Calendar.h"
#include "Clock.h"
#include "DisplayState.h"
#include "LoginController.h"
#include "NumberText.h"
#include "Prompter.h"
#include "SelectionModel.h"
#include "ServerAccess.h"
#include "TextHelpers.h"

namespace ertragon {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString yearText(int series, int yearKind, const QDate &today)
{
    return TextHelpers::GetPiece(Calendar::SeriesLabel(series, yearKind, today),
                                 QStringLiteral(" "), 3);
}

} // namespace

StartUp::StartUp(ServerAccess &server, Prompter &prompter, const Clock &clock,
                 SelectionModel &selection, DisplayState &display, QObject *parent)
    : QObject(parent)
    , m_server(server)
    , m_prompter(prompter)
    , m_clock(clock)
    , m_selection(selection)
    , m_display(display)
{
}

QString StartUp::programTitle()
{
    return QStringLiteral("Ertragon");
}

bool StartUp::login()
{
    // The login repeats itself until the user is in or the program ends.
    return m_login && m_login() && !m_server.shutdownRequested();
}

bool StartUp::run()
{
    if (!login())
        return false;
    const ServerContext &ctx = m_server.context();
    if (NumberText::leadingNumber(ctx.rightsGroup) < 3)
        return false;

    Q_EMIT splashWanted();
    Q_EMIT statusChanged(QStringLiteral("Überprüfung Berechtigung"));
    if (!admitUser()) {
        m_prompter.inform(Prompter::Icon::Critical, QStringLiteral("Abbruch!"),
                          QStringLiteral("Sie haben keine Berchtigung für dieses Programm."));
        Q_EMIT statusChanged(QStringLiteral("Beenden"));
        Q_EMIT splashDone();
        return false;
    }

    Q_EMIT captionChanged(
        LoginController::mainWindowCaption(ctx.firma, ctx.filiale, ctx.userDisplay));
    Q_EMIT previewDue();
    Q_EMIT layoutDue();
    const QDate today = m_clock.now().date();
    Q_EMIT tableCaptionsChanged(
        QStringLiteral("% Bezogen auf ") + yearText(3, m_display.yearKind, today),
        QStringLiteral("% Bezogen auf ") + yearText(2, m_display.yearKind, today));
    fillLists();
    setDefaults();
    Q_EMIT statusChanged(QStringLiteral("Überprüfung Datenbasis"));
    checkDataBasis();
    Q_EMIT statusChanged(QStringLiteral("Fertig!"));
    Q_EMIT splashDone();
    return !m_server.shutdownRequested();
}

bool StartUp::admitUser()
{
    const ServerContext &ctx = m_server.context();
    if (NumberText::leadingNumber(ctx.rightsGroup) < 3)
        return false;
    const AccessRights rights = AccessRights::load(m_server, ctx.firma, ctx.name);
    if (!rights.permitted)
        return false;
    m_selection.setUser(ctx.department, ctx.mainDepartment, rights);
    return true;
}

bool StartUp::admitNewLogin()
{
    if (!admitUser()) {
        // Unlike at start-up the program goes on, with the previous user.
        m_prompter.inform(Prompter::Icon::Critical, QStringLiteral("Abbruch!"),
                          QStringLiteral("Sie haben keine Berchtigung für dieses Programm."));
        return false;
    }
    fillLists();
    return true;
}

void StartUp::fillLists()
{
    Q_EMIT statusChanged(QStringLiteral("Firma Setzten"));
    m_selection.setFirma(m_server.context().firma);
    Q_EMIT statusChanged(QStringLiteral("Hauptgruppen lesen .."));
    m_selection.fillMainGroups();
    Q_EMIT statusChanged(QStringLiteral("Abteilung lesen .."));
    m_selection.fillDepartments();
    Q_EMIT statusChanged(QStringLiteral("Profitcenter lesen .."));
    m_selection.fillProfitCentres();
    Q_EMIT statusChanged(QStringLiteral("Hauptabteilung lesen .."));
    m_selection.fillMainDepartments();
    Q_EMIT statusChanged(QStringLiteral("Hauptkundengruppe lesen .."));
    Q_EMIT statusChanged(QStringLiteral("Hauptversandart lesen .."));
    m_selection.fillFixedLists();
}

void StartUp::setDefaults()
{
    Q_EMIT statusChanged(QStringLiteral("Defaultparameter .."));
    if (m_selection.rights().restricted)
        Q_EMIT restrictedUser();
    m_display.tableMode = DisplayState::PercentOfMean;
    m_display.graphMode = DisplayState::YearMean;
    m_display.valueKind = 0;
    m_display.detailPeriod = 0;
    m_selection.setSplitFlags(SelectionModel::ChkUGRP | SelectionModel::ChkHKGRP);
    const QDate today = m_clock.now().date();
    Q_EMIT yearCaptionsChanged({ yearText(1, m_display.yearKind, today),
                                 yearText(2, m_display.yearKind, today),
                                 yearText(3, m_display.yearKind, today) });
    Q_EMIT displayReset();
}

std::optional<QString> StartUp::dataBasisQuestion(const QString &output, const QDate &today)
{
    if (output.trimmed().isEmpty())
        return QStringLiteral("Die Daten wurden noch nie aufgebaut.") + crlf
            + QStringLiteral("Wollen Sie die Daten neu aufbauen?");
    const QStringList fields = output.split(QLatin1Char('`'));
    bool ok = false;
    const int built = fields.value(0).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    const QString current = QString::number((today.year() - 1900) * 100 + today.month());
    const int lastMonth = TextHelpers::ShiftPeriod(current, QStringLiteral("-1")).toInt(&ok);
    if (!ok || lastMonth <= built)
        return std::nullopt;
    const QDate date = TextHelpers::ServerDate(fields.value(1));
    const QString dateText
        = date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    return QStringLiteral("Daten für Periode:") + fields.value(0)
        + QStringLiteral(" wurden zuletzt") + crlf + QStringLiteral("am : ") + dateText
        + QStringLiteral(" aufgebaut.") + crlf
        + QStringLiteral("Wollen Sie die Daten neu aufbauen?");
}

void StartUp::checkDataBasis()
{
    bool failed = false;
    const QString output = m_server.ServerCommand(QStringLiteral("S P0=^XWGDAT W P0"), failed);
    if (failed)
        return;
    const auto question = dataBasisQuestion(output, m_clock.now().date());
    if (question && m_prompter.confirm(programTitle(), *question))
        Q_EMIT rebuildWanted();
}

} // namespace ertragon
