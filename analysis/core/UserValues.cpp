#include "UserValues.h"

#include <QSettings>
#include <QStandardPaths>

namespace ertragon {

namespace {

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

UserValues::UserValues(QString file)
    : m_file(std::move(file))
{
}

UserValues::~UserValues() = default;
UserValues::UserValues(UserValues &&) noexcept = default;
UserValues &UserValues::operator=(UserValues &&) noexcept = default;

QString UserValues::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Ertragon/Ansicht.ini");
}

void UserValues::setUser(const QString &company, const QString &user)
{
    m_user = user;
    m_group = QStringLiteral("Firma_") + safeKey(company) + QStringLiteral("_Benutzer_")
        + safeKey(user) + u'/';
    m_settings = std::make_unique<QSettings>(m_file, QSettings::IniFormat);
}

QVariant UserValues::value(const QString &key, const QVariant &fallback) const
{
    if (!hasUser())
        return fallback;
    return m_settings->value(m_group + key, fallback);
}

void UserValues::setValue(const QString &key, const QVariant &value)
{
    if (!hasUser())
        return;
    const QString path = m_group + key;
    if (!value.isValid())
        m_settings->remove(path);
    else if (m_settings->value(path) != value)
        m_settings->setValue(path, value);
}

void UserValues::sync()
{
    if (m_settings)
        m_settings->sync();
}

} // namespace ertragon
