#include "LoginDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace ertragon {

namespace {

const QStringList centralKeys { QStringLiteral("Firma"), QStringLiteral("Filiale"),
                                QStringLiteral("Server"), QStringLiteral("Port"),
                                QStringLiteral("Namespace") };

} // namespace

QStringList LoginDefaults::systemFiles()
{
    QString folders = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (folders.isEmpty())
        folders = QStringLiteral("/etc/xdg");
    QStringList files;
    for (const QString &folder : folders.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative entries are not meant for a shared machine and are skipped.
        if (QDir::isRelativePath(folder))
            continue;
        const QString file = folder + QStringLiteral("/Ertragon/login-defaults.ini");
        if (QFileInfo(file).isFile())
            files.append(file);
    }
    return files;
}

LoginDefaults::LoginDefaults(const QStringList &files)
{
    for (auto file = files.crbegin(); file != files.crend(); ++file) {
        QSettings settings(*file, QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Login"));
        for (const QString &key : centralKeys) {
            if (const QString value = readSetting(settings, key, QString()); !value.isNull())
                m_values.insert(key, value);
        }
    }
}

QString LoginDefaults::value(const QString &key, const QString &fallback) const
{
    return m_values.value(key, fallback);
}

QString LoginDefaults::readSetting(const QSettings &settings, const QString &key,
                                   const QString &fallback)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return fallback;
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    if (!value.canConvert<QString>())
        return fallback;
    return value.toString();
}

} // namespace ertragon
