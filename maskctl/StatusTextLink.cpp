#include "CNumCtrl.h"
#include "StatusTarget.h"
#include "StatusTextLink_p.h"
#include "comctl/HostSite.h"

namespace orvel {

StatusTextLink::StatusTextLink(CNumCtrl &control)
    : q(control)
{
}

void StatusTextLink::bind()
{
    const QString &name = q.state().statusBarControlName;
    if (name.isEmpty())
        return;
    QList<QObject *> candidates;
    const QList<QWidget *> controls
        = q.site() ? q.site()->formControls(&q) : comctl::HostSite().formControls(&q);
    for (QWidget *w : controls)
        candidates.append(w);
    if (QWidget *form = q.window()) {
        for (QObject *child : form->findChildren<QObject *>())
            candidates.append(child);
    }
    if (QObject *found = StatusTarget::find(candidates, name, &q))
        m_target = found;
}

void StatusTextLink::update(bool focused)
{
    if (q.designMode())
        return;
    if (!m_target)
        bind();
    if (!m_target)
        return;
    const QString property = q.state().statusBarPropName;
    const QString restore = q.state().statusBarRestoreText;
    // Before the control has shown a text of its own there is nothing to put back.
    if (!focused && restore.isEmpty() && !m_shown)
        return;
    m_shown = focused;
    QString text = focused ? q.state().statusBarText : (!restore.isEmpty() ? restore : m_saved);
    if (focused && restore.isEmpty())
        m_saved = StatusTarget::read(m_target, property).value_or(QString());
    qint16 cancel = 0;
    const qint16 restoreFlag = focused ? 1 : 0;
    const auto answers = q.fire(&CNumCtrl::StatusBarUpdate, QStringLiteral("StatusBarUpdate"),
                                restoreFlag, text, cancel);
    if (!answers || answers->value(2).toInt() != 0 || cancel != 0)
        return;
    StatusTarget::write(m_target, property, answers->value(1).toString());
}

} // namespace orvel
