#include "ControlRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

namespace comctl {

QString ControlRegistry::defaultPath()
{
    const QString overridden = qEnvironmentVariable("ERTRAGON_CONTROL_REGISTRY");
    if (!overridden.isEmpty())
        return overridden;
    // The program's one settings folder, Ertragon/. Earlier versions kept the registry in
    // a folder of the lowercase name: it is moved over once, and that folder goes when empty.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString path = config + QStringLiteral("/Ertragon/controls.json");
    const QString earlier = config + QStringLiteral("/ertragon/controls.json");
    if (!QFileInfo::exists(path) && QFileInfo::exists(earlier)
        && QDir().mkpath(QFileInfo(path).absolutePath()) && QFile::rename(earlier, path))
        QDir().rmdir(QFileInfo(earlier).absolutePath());
    return path;
}

QString ControlRegistry::systemFolder()
{
    const QString overridden = qEnvironmentVariable("ERTRAGON_SYSTEM_CONTROL_REGISTRY");
    return overridden.isEmpty() ? QStringLiteral(ERTRAGON_SYSTEM_CONTROL_REGISTRY) : overridden;
}

QList<ControlRegistry> ControlRegistry::searchOrder()
{
    QList<ControlRegistry> registries { ControlRegistry(defaultPath()) };
    const QDir system(systemFolder());
    const QStringList files
        = system.entryList({ QStringLiteral("*.json") }, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &file : files)
        registries.append(ControlRegistry(system.filePath(file)));
    return registries;
}

ControlRegistry::ControlRegistry(const QString &path)
    : m_path(path)
{
}

bool ControlRegistry::load(QString *error)
{
    m_classes.clear();
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        if (error)
            *error = QStringLiteral("broken control registry %1").arg(m_path);
        return false;
    }
    const QJsonArray entries = document.object().value(QStringLiteral("classes")).toArray();
    for (const QJsonValue &entry : entries) {
        ClassRegistration registration;
        if (registration.fromJson(entry.toObject()))
            m_classes.append(registration);
    }
    return true;
}

bool ControlRegistry::save(QString *error) const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QJsonArray entries;
    for (const ClassRegistration &registration : m_classes)
        entries.append(registration.toJson());
    QSaveFile file(m_path);
    const QJsonDocument document(QJsonObject { { QStringLiteral("classes"), entries } });
    if (!file.open(QIODevice::WriteOnly) || file.write(document.toJson()) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void ControlRegistry::add(const ClassRegistration &registration)
{
    remove(registration.clsid);
    m_classes.append(registration);
}

bool ControlRegistry::remove(const QString &clsid)
{
    return m_classes.removeIf([&](const ClassRegistration &entry) {
        return entry.clsid.compare(clsid, Qt::CaseInsensitive) == 0;
    }) > 0;
}

std::optional<ClassRegistration> ControlRegistry::findByProgId(const QString &progId) const
{
    for (const ClassRegistration &entry : m_classes) {
        if (entry.progId.compare(progId, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return std::nullopt;
}

} // namespace comctl
