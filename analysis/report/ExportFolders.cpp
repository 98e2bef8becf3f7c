#include "ExportFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace ertragon::report {

namespace {

// One key per company and user; both percent-encoded, so that no name can reach into
// another's key.
QString keyOf(const QString &company, const QString &user)
{
    const auto encoded = [](const QString &text) {
        return QString::fromLatin1(QUrl::toPercentEncoding(text.trimmed()));
    };
    return QStringLiteral("Ordner/") + encoded(company) + QLatin1Char('@') + encoded(user);
}

} // namespace

ExportFolders::ExportFolders(QString path)
    : m_path(path.isEmpty() ? defaultFile() : std::move(path))
{
}

QString ExportFolders::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Ertragon/Exporte.ini");
}

QString ExportFolders::folder(const QString &company, const QString &user) const
{
    const QSettings settings(m_path, QSettings::IniFormat);
    const QString folder = settings.value(keyOf(company, user)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void ExportFolders::remember(const QString &company, const QString &user, const QString &filePath)
{
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(keyOf(company, user), QFileInfo(filePath).absolutePath());
}

} // namespace ertragon::report
