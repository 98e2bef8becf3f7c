#include "DesignerControl.h"

#include "comctl/ComControl.h"
#include "comctl/ControlLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QVBoxLayout>
#include <dlfcn.h>

namespace {

// The folder of the plugin's own file: plugins/designer/ below the library folder.
QString pluginDir()
{
    Dl_info info {};
    static const int anchor = 0;
    if (dladdr(&anchor, &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

comctl::ComControl *createControl(const QString &progId, const QString &libraryFile,
                                  QWidget *parent, comctl::HostSite *site, QString *error)
{
    comctl::AutomationError failure;
    if (auto *control = comctl::ControlLoader::create(progId, parent, site, &failure))
        return control;
    // <libdir>/qt6/plugins/designer/ holds the plugin, <libdir>/ the control libraries.
    const QString library = QDir::cleanPath(
        pluginDir() + QStringLiteral("/" ERTRAGON_LIBDIR_FROM_PLUGIN "/") + libraryFile);
    const comctl::AutomationError registration = comctl::ControlLoader::registerLibrary(library);
    if (registration.isError()) {
        *error = failure.text() + QStringLiteral("; ") + registration.text();
        return nullptr;
    }
    auto *control = comctl::ControlLoader::create(progId, parent, site, &failure);
    if (!control)
        *error = failure.text();
    return control;
}

} // namespace

DesignerControl::DesignerControl(const QString &progId, const QString &libraryFile, QWidget *parent)
    : QWidget(parent)
{
    // Designer's form editor is design time for the control.
    m_site.setUserMode(false);
    m_control = createControl(progId, libraryFile, this, &m_site, &m_error);
    if (!m_control) {
        qWarning("Ertragon Designer plugin: %s: %s", qPrintable(progId), qPrintable(m_error));
        return;
    }
    m_control->setObjectName(QStringLiteral("control"));
    m_control->initNew();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_control);
}

DesignerControl::~DesignerControl()
{
    // The control talks to its site until it is gone, so it goes first.
    delete m_control.data();
}

QSize DesignerControl::sizeHint() const
{
    return m_control ? m_control->sizeHint() : QSize(100, 24);
}

QVariant DesignerControl::member(const QString &name) const
{
    return m_control ? m_control->get(name).value : QVariant();
}

void DesignerControl::setMember(const QString &name, const QVariant &value)
{
    if (!m_control)
        return;
    const auto result = m_control->put(name, value);
    if (!result.ok())
        qWarning("Ertragon Designer plugin: %s: %s", qPrintable(name),
                 qPrintable(result.error.text()));
}
