#include "ViewKeeper.h"

#include "AnalysisSession.h"
#include "FMStart.h"
#include "PreviewSurface.h"
#include "ServerContext.h"
#include "ZoomChoice.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace ertragon {

ViewKeeper::ViewKeeper(AnalysisSession &session, FMStart &window, report::PreviewSurface &surface,
                       ViewMemory memory)
    : QObject(&window)
    , m_session(session)
    , m_window(window)
    , m_surface(surface)
    , m_memory(std::move(memory))
    , m_reset(new QAction(QStringLiteral("Auswahl &zurücksetzen"), window.propertiesMenu()))
    , m_restore(new QAction(QStringLiteral("Letzte Ansicht beim Start &wiederherstellen"),
                            window.propertiesMenu()))
{
    m_reset->setObjectName(QStringLiteral("mAuswahlZuruecksetzen"));
    m_reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_restore->setObjectName(QStringLiteral("mAnsichtWiederherstellen"));
    m_restore->setCheckable(true);
    QMenu *menu = window.propertiesMenu();
    menu->addSeparator();
    menu->addAction(m_reset);
    menu->addAction(m_restore);
    window.addAction(m_reset);

    connect(m_reset, &QAction::triggered, this, [this] { m_session.clearSelection(); });
    connect(m_restore, &QAction::toggled, this,
            [this](bool on) { m_memory.setRestoreAtStart(on); });
    connect(&session, &AnalysisSession::userChanged, this, &ViewKeeper::userAdmitted);
    // Every redraw of the page ends in previewChanged, as does a zoom step.
    connect(&surface, &report::PreviewSurface::previewChanged, this, &ViewKeeper::keep);
}

void ViewKeeper::keep()
{
    if (m_restoring)
        return;
    ViewMemory::View view = m_session.view();
    view.zoom = m_window.zoomCombo()->currentText();
    m_memory.keepView(view);
    m_memory.keepDetails(view.display, m_window.chosenMonth());
    m_memory.sync();
}

void ViewKeeper::userAdmitted()
{
    m_memory.setUser(m_session.selection().firma(), m_session.login().name);
    m_restoring = true;
    {
        const QSignalBlocker block(m_restore);
        m_restore->setChecked(m_memory.restoreAtStart());
    }
    m_window.setChosenMonth(m_memory.detailsMonth(m_window.chosenMonth()));
    const std::optional<ViewMemory::View> view = m_memory.view();
    if (m_restore->isChecked() && view) {
        m_session.restoreView(*view);
        if (!view->zoom.isEmpty() && report::ZoomChoice::apply(view->zoom, m_surface))
            m_window.zoomCombo()->setEditText(view->zoom);
    } else {
        m_session.restoreDetails(m_memory.details(m_session.display()));
    }
    m_restoring = false;
    keep();
}

} // namespace ertragon
