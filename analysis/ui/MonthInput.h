#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QObject;
class QWidget;

namespace comctl {
class ComControl;
class HostSite;
} // namespace comctl

namespace ertragon {

// The month input txtMonat: a Tallix numeric masked edit of the Orvel library, created
// by ProgID through the control registry and Orvel's class factory. When the registry
// does not know the class yet (or names a library that is gone), the library shipped
// with the program is registered first. Set up for a whole month 1..12, checked on leaving.
class MonthInput
{
public:
    MonthInput();
    ~MonthInput();
    MonthInput(const MonthInput &) = delete;
    MonthInput &operator=(const MonthInput &) = delete;

    // Creates the control on parent; nullptr with *error when Orvel cannot serve it.
    QWidget *create(QWidget *parent, const QString &bundledLibrary, QString *error);

    QWidget *widget() const;
    // The month shown, or 0 when the input is empty or not a number.
    int month() const;
    void setMonth(int month);
    // Calls changed (in receiver's lifetime) whenever the control reports a change.
    void whenChanged(QObject *receiver, std::function<void()> changed);

    // Where the program looks for its own copy of the Orvel library when the control
    // registry does not name it: relative to the program's folder, as it is installed.
    // The first candidate that exists, else the first one.
    static QString bundledLibraryPath();

private:
    bool configure(QString *error);

    std::unique_ptr<comctl::HostSite> m_site; // outlives the control, see the destructor
    QPointer<comctl::ComControl> m_control;
};

} // namespace ertragon
