#include "ScratchMount.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace ertragon::test {

ScratchMount::~ScratchMount()
{
    unmount();
}

bool ScratchMount::mount(const QString &folder, qint64 bytes, QString *why)
{
    unmount();
    if (::geteuid() != 0) {
        if (why)
            *why = QStringLiteral("mounting a small tmpfs needs root");
        return false;
    }
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData())
        != 0) {
        if (why)
            *why = QStringLiteral("cannot mount a tmpfs on %1: %2")
                       .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_folder = folder;
    return true;
}

void ScratchMount::unmount()
{
    if (m_folder.isEmpty())
        return;
    ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    m_folder.clear();
}

} // namespace ertragon::test
