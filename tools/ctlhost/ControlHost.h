#pragma once

#include "ScriptHostSite.h"
#include "comctl/AutomationError.h"
#include "comctl/ComControl.h"
#include "comctl/DispatchResult.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLineEdit;

// The host form of the test container: holds the control under test and one ordinary text
// field that takes the focus away from it, logs the control's events and runs the handlers
// that write into by-reference arguments. Knows controls only through comctl.
class ControlHost : public QWidget
{
    Q_OBJECT
public:
    explicit ControlHost(QWidget *parent = nullptr);
    ~ControlHost() override;

    ScriptHostSite &site() { return m_site; }
    comctl::ComControl *control() const { return m_control; }

    comctl::AutomationError create(const QString &progId, const QString &name = {});
    comctl::AutomationError save(const QString &path);
    comctl::AutomationError load(const QString &path);
    comctl::AutomationError screenshot(const QString &path);

    void focusControl();
    void blurControl();
    void typeText(const QString &text);
    // Backspace Delete Enter Escape Tab Home End Left Right Up Down Insert F4 NumPlus NumMinus,
    // or a single letter (with ctrl). False for an unknown name.
    bool pressKey(const QString &name, bool shift, bool ctrl);
    void resizeTwips(int width, int height);

    // A handler of event that writes value into the by-reference argument arg.
    comctl::AutomationError addHandler(const QString &event, const QString &arg,
                                       const QVariant &value);
    QStringList takeEvents();

Q_SIGNALS:
    void eventLogged(const QString &line);
    void controlCreated(comctl::ComControl *control);

private:
    void attach(comctl::ComControl *control, const QString &progId);
    void onEvent(const QString &name, QVariantList &args);
    void sendKey(int key, Qt::KeyboardModifiers modifiers, const QString &text);

    struct Handler
    {
        QString event;
        int argIndex;
        QVariant value;
    };

    ScriptHostSite m_site;
    QPointer<comctl::ComControl> m_control;
    QString m_progId;
    QLineEdit *m_focusSink;
    QStringList m_events;
    QList<Handler> m_handlers;
};
