#pragma once

#include "DataRow.h"
#include "MouseInput.h"
#include "PageDriver.h"
#include "ScriptHostSite.h"
#include "comctl/AutomationError.h"
#include "comctl/ComControl.h"
#include "comctl/DispatchResult.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLineEdit;

// The host form of the test container: holds the controls under test, one of them current,
// and one ordinary text field that takes the focus away from them; logs the controls' events
// and runs the handlers that write into by-reference arguments. It offers the user's input
// (keys, mouse, time), a data source row and the controls' property dialog. Knows controls
// only through comctl.
class ControlHost : public QWidget
{
    Q_OBJECT
public:
    explicit ControlHost(QWidget *parent = nullptr);
    ~ControlHost() override;

    ScriptHostSite &site() { return m_site; }
    // The current control: the last one created, loaded or chosen by use().
    comctl::ComControl *control() const { return m_current; }
    // A control of the form by its name; nullptr when there is none.
    comctl::ComControl *control(const QString &name) const;

    // A new instance in place of the current control (NAME default: class name + 1).
    comctl::AutomationError create(const QString &progId, const QString &name = {});
    // A new instance beside the others; its events are logged as "NAME: Event".
    comctl::AutomationError createNamed(const QString &progId, const QString &name);
    comctl::AutomationError use(const QString &name);
    comctl::AutomationError save(const QString &path);
    comctl::AutomationError load(const QString &path);
    comctl::AutomationError screenshot(const QString &path);
    // The colour painted at a point of the current control.
    comctl::AutomationError pixel(QPoint point, QColor *colour);

    // The current control, or the one named.
    comctl::AutomationError focusControl(const QString &name = {});
    void blurControl();
    // The focus to the next (previous) field of the form, as the Tab key of the form does.
    void tab(bool forward);
    void typeText(const QString &text);
    // Types text into a widget key by key.
    void typeInto(QWidget *target, const QString &text);
    // Backspace Delete Enter Escape Tab Home End Left Right Up Down Insert F4 NumPlus NumMinus,
    // or a single letter (with ctrl). False for an unknown name.
    bool pressKey(const QString &name, bool shift, bool ctrl);
    void resizeTwips(int width, int height);

    // target: "X Y" in pixels of the current control, a part the control names ("spin-up",
    // "calc:7") or "outside" (a free spot of the form, off every control and popup).
    comctl::AutomationError mouse(MouseInput::Action action, const QString &target,
                                  Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // Runs the event loop for the time; the controls' tick count moves on by the same.
    void wait(int milliseconds);

    // Binds the control named to a field of the data source row.
    comctl::AutomationError bind(const QString &name, const QString &field);
    DataRow &row() { return m_row; }
    // The data source is about to save its row: bound controls write their changes back.
    void updateRow();

    PageDriver &pages() { return m_pages; }
    comctl::AutomationError openPages(QStringList *captions);

    // A handler of event that writes value into the by-reference argument arg.
    comctl::AutomationError addHandler(const QString &event, const QString &arg,
                                       const QVariant &value);
    QStringList takeEvents();

Q_SIGNALS:
    void eventLogged(const QString &line);
    void controlCreated(comctl::ComControl *control);

private:
    struct Entry
    {
        QPointer<comctl::ComControl> control;
        QString progId;
        bool named = false;
    };
    struct Handler
    {
        QPointer<comctl::ComControl> control;
        QString event;
        int argIndex;
        QVariant value;
    };

    comctl::ComControl *make(const QString &progId, const QString &name,
                             comctl::AutomationError *error);
    void attach(comctl::ComControl *control, const QString &progId, bool named, QPoint at);
    void remove(comctl::ComControl *control);
    Entry *entryOf(const comctl::ComControl *control);
    QPoint freePlace() const;
    QPoint outsidePoint() const;
    void onEvent(comctl::ComControl *control, const QString &name, QVariantList &args);
    void sendKey(int key, Qt::KeyboardModifiers modifiers, const QString &text,
                 QWidget *target = nullptr);

    ScriptHostSite m_site;
    QList<Entry> m_controls;
    QPointer<comctl::ComControl> m_current;
    QLineEdit *m_focusSink;
    QStringList m_events;
    QList<Handler> m_handlers;
    DataRow m_row;
    PageDriver m_pages;
};
