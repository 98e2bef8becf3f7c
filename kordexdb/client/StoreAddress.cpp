#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <kordex/StoreAddress.h>

namespace kordex {

namespace {

// Earlier versions kept the demo store in a folder of the lowercase name: it moves once,
// with SQLite's -wal and -shm files, and that folder goes when empty.
void moveEarlierStore(const QString &dataHome, const QString &path)
{
    const QString earlier = dataHome + QStringLiteral("/ertragon/demo.db");
    if (QFileInfo::exists(path) || !QFileInfo::exists(earlier)
        || !QDir().mkpath(QFileInfo(path).absolutePath()) || !QFile::rename(earlier, path))
        return;
    for (const char *suffix : { "-wal", "-shm" }) {
        const QString file = earlier + QLatin1String(suffix);
        if (QFileInfo::exists(file))
            QFile::rename(file, path + QLatin1String(suffix));
    }
    QDir().rmdir(QFileInfo(earlier).absolutePath());
}

} // namespace

QString connectString(const QString &server, const QString &port)
{
    return QStringLiteral("cn_iptcp:") + server + QLatin1Char('[') + port
        + QStringLiteral("]:KORDEX");
}

QString defaultStorePath()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString path = dataHome + QStringLiteral("/Ertragon/demo.db");
    moveEarlierStore(dataHome, path);
    return path;
}

} // namespace kordex
