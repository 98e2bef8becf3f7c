#pragma once

#include <QPointer>
#include <QString>

namespace orvel {

class CNumCtrl;

// The status text of a CNumCtrl: while the control has the focus, StatusBarText shows in the
// host object that StatusBarControlName names (or StatusBarControl sets), through its
// property StatusBarPropName; leaving puts back StatusBarRestoreText, else the text that was
// there before (StatusBarUpdate may change or cancel each).
class StatusTextLink
{
public:
    explicit StatusTextLink(CNumCtrl &control);

    QObject *target() const { return m_target; }
    void setTarget(QObject *target) { m_target = target; }
    // Looks the named object up among the form's controls and the window's children.
    void bind();
    void update(bool focused);

private:
    CNumCtrl &q;
    QPointer<QObject> m_target;
    QString m_saved;
    bool m_shown = false;
};

} // namespace orvel
