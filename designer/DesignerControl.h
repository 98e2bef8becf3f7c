#pragma once

#include "comctl/ComControl.h"
#include "comctl/HostSite.h"

#include <QPointer>
#include <QVariant>
#include <QWidget>

// A control of Inkora or Orvel as Qt Designer and QUiLoader see it: a widget that holds the
// control, made by its class factory through the control registry (the library is
// registered from beside the plugin when the registry lacks it). Subclasses expose the
// control's members as Q_PROPERTYs under ASCII names; the members keep their own names.
class DesignerControl : public QWidget
{
    Q_OBJECT
public:
    // The library's file name (libOrvel.so.1) is looked for beside the plugin when the
    // registry does not name the ProgID.
    DesignerControl(const QString &progId, const QString &libraryFile, QWidget *parent);
    ~DesignerControl() override;

    // The control itself (object name "control"), or nullptr with error() when it could
    // not be made.
    comctl::ComControl *control() const { return m_control; }
    QString error() const { return m_error; }

    QSize sizeHint() const override;

protected:
    QVariant member(const QString &name) const;
    void setMember(const QString &name, const QVariant &value);

private:
    comctl::HostSite m_site;
    QPointer<comctl::ComControl> m_control;
    QString m_error;
};
