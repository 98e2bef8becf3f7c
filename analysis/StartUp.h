#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ertragon {

class Clock;
class Prompter;
class SelectionModel;
class ServerAccess;
struct DisplayState;

// The start-up of the main window: login, rights check, caption, lists, display
// defaults and the data-basis check, in this order, with the splash texts. The
// splash and the main window follow its steps by its signals.
class StartUp : public QObject
{
    Q_OBJECT
public:
    StartUp(ServerAccess &server, Prompter &prompter, const Clock &clock, SelectionModel &selection,
            DisplayState &display, QObject *parent = nullptr);

    // The start-up login loop: true once logged in, false when the program ends.
    void setLogin(std::function<bool()> login) { m_login = std::move(login); }

    // False when the program must end (rights group below 3, user not permitted,
    // or the program was ended during the login). The user's rights go to the selection.
    bool run();

    // A new login in the running program: the start-up's checks of the logged-in
    // user (rights group, permitted list), a message when refused; then the
    // user's rules and the lists of the user's company. False keeps nothing of the user.
    bool admitNewLogin();

    // The question of the data-basis check for the output of "S P0=^XWGDAT W P0",
    // or nothing when the data basis is up to date or the output is unusable.
    static std::optional<QString> dataBasisQuestion(const QString &output, const QDate &today);

    static QString programTitle();

Q_SIGNALS:
    void splashWanted();
    void statusChanged(const QString &text);
    void splashDone();
    void captionChanged(const QString &caption);
    // The preview surface is due to be set to A4 landscape.
    void previewDue();
    // The group labels are due to be placed at their scaled positions.
    void layoutDue();
    // Captions of "Darstellung Tabelle" items 2 and 3.
    void tableCaptionsChanged(const QString &item2, const QString &item3);
    // Captions of the three optJahr options.
    void yearCaptionsChanged(const QStringList &captions);
    // A restricted user: SPCNR, mGraph 1, mTabelle 3 and mAuswahl are closed.
    void restrictedUser();
    // The display defaults were set; check marks and options follow them.
    void displayReset();
    // The data rebuild window is wanted, modal.
    void rebuildWanted();

private:
    bool login();
    // Rights group of 3 or more and permitted by the store; the user's rights then go to
    // the selection.
    bool admitUser();
    void fillLists();
    void setDefaults();
    void checkDataBasis();

    ServerAccess &m_server;
    Prompter &m_prompter;
    const Clock &m_clock;
    SelectionModel &m_selection;
    DisplayState &m_display;
    std::function<bool()> m_login;
};

} // namespace ertragon
