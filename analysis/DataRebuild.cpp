#include "DataRebuild.h"

#include "Clock.h"
#include "ServerAccess.h"
#include "ServerCall.h"
#include "ServerHandle.h"
#include "TextHelpers.h"

#include <QRegularExpression>
#include <exception>
#include <kordex/ServerError.h>
#include <memory>

namespace ertragon {

namespace {

const QString logPart = QStringLiteral("frmNeueDaten.OKButton_Click");

bool isPeriod(const QString &text)
{
    // Anchored at the true end: "$" would also accept a final line break.
    static const QRegularExpression period(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,3}(0[1-9]|1[0-2])")));
    return period.match(text).hasMatch();
}

} // namespace

DataRebuild::DataRebuild(ServerAccess &server, const Clock &clock)
    : m_server(server)
    , m_clock(clock)
{
}

QString DataRebuild::currentPeriod(const QDate &date)
{
    return QString::number(date.toString(QStringLiteral("yyyyMM")).toInt() - 190000);
}

QString DataRebuild::labelText(const QString &output)
{
    const QString built = output.section(QLatin1Char('`'), 0, 0);
    const QDate date = TextHelpers::ServerDate(output.section(QLatin1Char('`'), 1, 1));
    const bool hasDate = output.contains(QLatin1Char('`')) && date.isValid();
    return QStringLiteral("Letzte Periode ") + built + QStringLiteral(" erstellt am ")
        + (hasDate ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString());
}

DataRebuild::Opening DataRebuild::open()
{
    Opening opening;
    bool failed = false;
    const QString output = m_server.ServerCommand(QStringLiteral("S P0=^XWGDAT W P0"), failed);
    if (!failed && !output.isEmpty())
        opening.label = labelText(output);
    const QString current = currentPeriod(m_clock.now().date());
    opening.from = TextHelpers::ShiftPeriod(current, QStringLiteral("-2"));
    opening.to = TextHelpers::ShiftPeriod(current, QStringLiteral("-1"));
    return opening;
}

QString DataRebuild::check(const QString &from, const QString &to)
{
    for (const QString &p : { from, to }) {
        if (!isPeriod(p.trimmed()))
            return QStringLiteral("\"%1\" ist keine Periode. Eine Periode ist das Jahr minus 1900 "
                                  "und der zweistellige Monat, z. B. 10512 für Dezember 2005.")
                .arg(p);
    }
    if (from.trimmed().toInt() > to.trimmed().toInt())
        return QStringLiteral("Die Periode \"Von\" (%1) liegt nach der Periode \"Bis\" (%2).")
            .arg(from, to);
    return {};
}

bool DataRebuild::rebuild(const QString &from, const QString &to, const LongCallRunner &runLongCall)
{
    const QString f = from.trimmed();
    const QString t = to.trimmed();
    if (m_log)
        m_log(logPart, QStringLiteral("Daten Holen für"),
              f + QLatin1Char(' ') + t + QStringLiteral(" um ")
                  + m_clock.now().toString(QStringLiteral("HH:mm:ss")));
    {
        ServerCall call(m_server, QStringLiteral("Daten Generieren"));
        if (!call.connected())
            return false;
        call.setOperation(QStringLiteral("Daten Generieren ") + f + QLatin1Char(' ') + t);
        const bool done = call.run([&] {
            ServerHandle data(m_server, call.factory().NewObject(QStringLiteral("KXUmsatz.Daten")));
            const QStringList arguments { m_server.context().firma, f, t };
            std::exception_ptr failure;
            const auto generate = [&] {
                try {
                    data->call(QStringLiteral("Generieren"), arguments);
                } catch (...) {
                    failure = std::current_exception();
                }
            };
            if (runLongCall)
                runLongCall(generate);
            else
                generate();
            if (failure)
                std::rethrow_exception(failure);
        });
        if (!done)
            return false;
    }
    if (m_log)
        m_log(logPart, QStringLiteral("Daten Holen erledigt um"),
              m_clock.now().toString(QStringLiteral("HH:mm:ss")));
    return true;
}

QString DataRebuild::doneMessage(const QString &from, const QString &to)
{
    return QStringLiteral("Daten Holen für Periode ") + from + QStringLiteral(" bis ") + to
        + QStringLiteral(" erledigt!");
}

} // namespace ertragon
