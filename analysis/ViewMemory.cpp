#include "ViewMemory.h"

#include <QSettings>
#include <QStandardPaths>

namespace ertragon {

namespace {

int bounded(const QVariant &value, int first, int last, int fallback)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    return ok && n >= first && n <= last ? n : fallback;
}

// A group name that cannot reach outside its own group, whatever a code holds.
QString safeKey(QString text)
{
    for (QChar &c : text) {
        if (!c.isLetterOrNumber())
            c = u'_';
    }
    return text.left(40);
}

} // namespace

ViewMemory::ViewMemory(QString file)
    : m_file(std::move(file))
{
}

ViewMemory::~ViewMemory() = default;
ViewMemory::ViewMemory(ViewMemory &&) noexcept = default;
ViewMemory &ViewMemory::operator=(ViewMemory &&) noexcept = default;

void ViewMemory::sync()
{
    if (m_settings)
        m_settings->sync();
}

QString ViewMemory::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Ertragon/Ansicht.ini");
}

void ViewMemory::setUser(const QString &company, const QString &user)
{
    m_company = company;
    m_user = user;
    // Read when a user is admitted, so the file is the one that holds at login.
    m_settings = std::make_unique<QSettings>(m_file, QSettings::IniFormat);
}

QString ViewMemory::group() const
{
    return QStringLiteral("Firma_") + safeKey(m_company) + QStringLiteral("_Benutzer_")
        + safeKey(m_user);
}

QVariant ViewMemory::value(const QString &key, const QVariant &fallback) const
{
    if (m_user.isEmpty())
        return fallback;
    return m_settings->value(group() + u'/' + key, fallback);
}

void ViewMemory::setValue(const QString &key, const QVariant &value)
{
    if (m_user.isEmpty())
        return;
    if (m_settings->value(group() + u'/' + key) != value)
        m_settings->setValue(group() + u'/' + key, value);
}

bool ViewMemory::restoreAtStart() const
{
    return value(QStringLiteral("Wiederherstellen"), false).toBool();
}

void ViewMemory::setRestoreAtStart(bool restore)
{
    setValue(QStringLiteral("Wiederherstellen"), restore);
}

std::optional<ViewMemory::View> ViewMemory::view() const
{
    const QStringList codes = value(QStringLiteral("Auswahl")).toStringList();
    if (codes.size() != SelectionModel::ListCount)
        return std::nullopt;
    View view;
    view.codes = codes;
    view.splitFlags = bounded(value(QStringLiteral("Aufteilung")), 0, 15, 3);
    DisplayState &d = view.display;
    d.graphMode = bounded(value(QStringLiteral("Graph")), 0, 2, d.graphMode);
    d.dbPercent = value(QStringLiteral("DbProzent"), false).toBool();
    d.tableMode = bounded(value(QStringLiteral("Tabelle")), 0, 4, d.tableMode);
    d.yearKind = bounded(value(QStringLiteral("Jahr")), 0, 1, d.yearKind);
    view.display = details(view.display);
    view.zoom = value(QStringLiteral("Zoom")).toString().left(40);
    return view;
}

void ViewMemory::keepView(const View &view)
{
    setValue(QStringLiteral("Auswahl"), view.codes);
    setValue(QStringLiteral("Aufteilung"), view.splitFlags);
    setValue(QStringLiteral("Graph"), view.display.graphMode);
    setValue(QStringLiteral("DbProzent"), view.display.dbPercent);
    setValue(QStringLiteral("Tabelle"), view.display.tableMode);
    setValue(QStringLiteral("Jahr"), view.display.yearKind);
    setValue(QStringLiteral("Zoom"), view.zoom);
}

void ViewMemory::keepDetails(const DisplayState &display, int month)
{
    setValue(QStringLiteral("DetailsPeriode"), display.detailPeriod);
    setValue(QStringLiteral("DetailsWerte"), display.valueKind);
    setValue(QStringLiteral("DetailsMonat"), month);
}

DisplayState ViewMemory::details(const DisplayState &into) const
{
    DisplayState d = into;
    d.valueKind = bounded(value(QStringLiteral("DetailsWerte")), 0, 1, d.valueKind);
    d.detailPeriod = bounded(value(QStringLiteral("DetailsPeriode")), 0, 2, d.detailPeriod);
    if (d.valueKind == 1 && d.detailPeriod == 2) // month values have no three-year mean
        d.detailPeriod = 0;
    return d;
}

int ViewMemory::detailsMonth(int fallback) const
{
    return bounded(value(QStringLiteral("DetailsMonat")), 1, 12, fallback);
}

} // namespace ertragon
