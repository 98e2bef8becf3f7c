#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace ertragon {

class Clock;
class ServerAccess;

// The rebuild of the server's period sums: what the dialog frmNeueDaten shows
// when it opens, the checks of the two periods, and the rebuild with its two
// history lines.
class DataRebuild
{
public:
    using Logger = std::function<void(const QString &programmteil, const QString &text,
                                      const QString &parameter)>;
    struct Opening
    {
        std::optional<QString> label; // nothing: the label keeps its text
        QString from;
        QString to;
    };

    // Runs the one long server call of the rebuild. The dialog runs it beside a busy
    // indicator so that the window keeps painting; without one it runs at once.
    using LongCallRunner = std::function<void(const std::function<void()> &call)>;

    DataRebuild(ServerAccess &server, const Clock &clock);
    void setLogger(Logger logger) { m_log = std::move(logger); }

    // The period of a date: year - 1900 and the two-digit month (December 2005 is 10512).
    static QString currentPeriod(const QDate &date);
    // The label text for the output of the data-basis command.
    static QString labelText(const QString &output);
    Opening open();

    // An empty text when both periods may be sent, else the message to show.
    static QString check(const QString &from, const QString &to);

    // Generieren(company, from, to) of KXUmsatz.Daten; false after a server error
    // (reported by the server layer).
    bool rebuild(const QString &from, const QString &to, const LongCallRunner &runLongCall = {});

    static QString doneMessage(const QString &from, const QString &to);

private:
    ServerAccess &m_server;
    const Clock &m_clock;
    Logger m_log;
};

} // namespace ertragon
