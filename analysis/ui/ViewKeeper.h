#pragma once

#include "ViewMemory.h"

#include <QObject>

class QAction;

namespace ertragon {

class AnalysisSession;
class FMStart;

namespace report {
class PreviewSurface;
}

// Keeps the user's view from one start to the next: adds "Auswahl zurücksetzen" and
// "Letzte Ansicht beim Start wiederherstellen" to "&Eigenschaften", stores the view and
// the details options whenever the page or the zoom changes, and when a user is admitted
// brings back the details options always and the whole view when the user asked for it.
class ViewKeeper : public QObject
{
    Q_OBJECT
public:
    ViewKeeper(AnalysisSession &session, FMStart &window, report::PreviewSurface &surface,
               ViewMemory memory = ViewMemory());

    // The logged-in user's remembered values, for the windows that keep their own.
    ViewMemory &memory() { return m_memory; }
    // Stores the current view and details options for the user logged in.
    void keep();

private:
    void userAdmitted();

    AnalysisSession &m_session;
    FMStart &m_window;
    report::PreviewSurface &m_surface;
    ViewMemory m_memory;
    QAction *m_reset;
    QAction *m_restore;
    bool m_restoring = false;
};

} // namespace ertragon
