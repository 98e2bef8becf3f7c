#include "MonthInput.h"

#include "comctl/ComControl.h"
#include "comctl/ControlLoader.h"
#include "comctl/HostSite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QVariantMap>

namespace ertragon {

namespace {

const QString tallixProgId = QStringLiteral("Zifra.Tallix.1");

// The control selects its text when it gets the focus, but the click that gave
// it the focus then places the caret. After such a click that selected nothing,
// the whole text is selected again.
class SelectAfterFocusClick final : public QObject
{
public:
    explicit SelectAfterFocusClick(comctl::ComControl *control)
        : QObject(control)
        , m_control(control)
    {
        control->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            m_clicked = static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason;
        if (event->type() == QEvent::MouseButtonRelease && m_clicked) {
            m_clicked = false;
            QMetaObject::invokeMethod(
                this, [this] { selectAllUnlessSelected(); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void selectAllUnlessSelected()
    {
        if (m_control->get(QStringLiteral("SelLength")).value.toInt() > 0)
            return;
        const QString text = m_control->get(QStringLiteral("InputText")).value.toString();
        m_control->put(QStringLiteral("SelStart"), 0);
        m_control->put(QStringLiteral("SelLength"), int(text.size()));
    }

    comctl::ComControl *m_control;
    bool m_clicked = false;
};

comctl::ComControl *createByProgId(QWidget *parent, comctl::HostSite *site, QString *error)
{
    comctl::AutomationError failure;
    comctl::ComControl *control
        = comctl::ControlLoader::create(tallixProgId, parent, site, &failure);
    if (!control && error)
        *error = failure.text();
    return control;
}

} // namespace

MonthInput::MonthInput()
    : m_site(std::make_unique<comctl::HostSite>())
{
}

MonthInput::~MonthInput()
{
    // The control talks to its site until it is gone, so it goes first.
    delete m_control.data();
}

namespace {

QStringList bundledLibraryCandidates(const QString &programDir)
{
    // bin/ertragon beside lib/<multiarch>/libOrvel.so.N (or lib/), wherever the tree
    // lies: /usr, a staging folder, or the build tree, which has the same layout.
    const QString soname = QStringLiteral(ERTRAGON_ORVEL_SONAME);
    QStringList candidates { QStringLiteral(ERTRAGON_LIBDIR_FROM_PROGRAM) + QLatin1Char('/')
                             + soname };
    const QString multiarch = QStringLiteral(ERTRAGON_LIBRARY_ARCHITECTURE);
    if (!multiarch.isEmpty())
        candidates.append(QStringLiteral("../lib/") + multiarch + QLatin1Char('/') + soname);
    candidates.append(QStringLiteral("../lib/") + soname);
    for (QString &candidate : candidates)
        candidate = QDir::cleanPath(programDir + QLatin1Char('/') + candidate);
    candidates.removeDuplicates();
    return candidates;
}

} // namespace

QString MonthInput::bundledLibraryPath()
{
    const QStringList candidates = bundledLibraryCandidates(QCoreApplication::applicationDirPath());
    for (const QString &candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return candidates.first();
}

QWidget *MonthInput::create(QWidget *parent, const QString &bundledLibrary, QString *error)
{
    QString firstError;
    comctl::ComControl *control = createByProgId(parent, m_site.get(), &firstError);
    if (!control) {
        const comctl::AutomationError registration
            = comctl::ControlLoader::registerLibrary(bundledLibrary);
        if (registration.isError()) {
            if (error)
                *error = firstError + QStringLiteral("; ") + registration.text();
            return nullptr;
        }
        control = createByProgId(parent, m_site.get(), error);
        if (!control)
            return nullptr;
    }
    m_control = control;
    m_control->setObjectName(QStringLiteral("txtMonat"));
    m_control->initNew();
    new SelectAfterFocusClick(m_control);
    if (!configure(error)) {
        delete m_control.data();
        return nullptr;
    }
    return m_control;
}

bool MonthInput::configure(QString *error)
{
    // A whole number from 1 to 12: no decimals, no sign, two digits, range checked.
    const QList<std::pair<QString, QVariant>> settings = {
        { QStringLiteral("MaskType"), 0 },
        { QStringLiteral("MaskDecimalPlaces"), 0 },
        { QStringLiteral("MaskWholePlaces"), 2 },
        { QStringLiteral("MaskAllowNegative"), false },
        { QStringLiteral("DataType"), 1 },
        { QStringLiteral("ValidateType"), 1 },
        { QStringLiteral("ValidateRangeLow"), QStringLiteral("1") },
        { QStringLiteral("ValidateRangeHigh"), QStringLiteral("12") },
        { QStringLiteral("Alignment"), 1 },
        { QStringLiteral("SpinButton"), true },
        // Typing replaces the month shown, as the mask holds only two places.
        { QStringLiteral("AutoSelect"), true },
    };
    for (const auto &[name, value] : settings) {
        const auto result = m_control->put(name, value);
        if (!result.ok()) {
            if (error)
                *error = name + QStringLiteral(": ") + result.error.text();
            return false;
        }
    }
    return true;
}

QWidget *MonthInput::widget() const
{
    return m_control.data();
}

int MonthInput::month() const
{
    if (!m_control)
        return 0;
    const QVariant value = m_control->get(QStringLiteral("Value")).value;
    bool ok = false;
    const int month = value.toInt(&ok);
    return ok ? month : 0;
}

void MonthInput::setMonth(int month)
{
    if (m_control)
        m_control->put(QStringLiteral("Value"), month);
}

void MonthInput::whenChanged(QObject *receiver, std::function<void()> changed)
{
    if (!m_control)
        return;
    QObject::connect(m_control.data(), &comctl::ComControl::eventRaised, receiver,
                     [changed = std::move(changed)](const QString &name) {
                         if (name == u"Change")
                             changed();
                     });
}

} // namespace ertragon
