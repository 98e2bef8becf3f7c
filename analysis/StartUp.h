#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace ertragon {

class Clock;
class Prompter;
class SelectionModel;
class ServerAccess;
class StartUpView;
struct DisplayState;

// The start-up of the main window: login, rights check, caption, lists, display
// defaults and the data-basis check, in this order, with the splash texts.
class StartUp
{
public:
    StartUp(ServerAccess &server, Prompter &prompter, const Clock &clock, SelectionModel &selection,
            DisplayState &display, StartUpView &view);

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
    StartUpView &m_view;
    std::function<bool()> m_login;
};

} // namespace ertragon
