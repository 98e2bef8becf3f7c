#include "WriterLock.h"

#include "EchoedInput.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <kordex/ErrorNumbers.h>
#include <kordex/ServerError.h>
#include <sys/file.h>
#include <unistd.h>

namespace kordex {

WriterLock::WriterLock(int fd, QString notePath)
    : m_fd(fd)
    , m_notePath(std::move(notePath))
{
}

WriterLock::~WriterLock()
{
    QFile::remove(m_notePath);
    ::close(m_fd); // ends the flock
}

std::unique_ptr<WriterLock> WriterLock::take(const QString &storePath, const QString &work)
{
    const int fd = ::open(QFile::encodeName(storePath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr; // opening the store reports a missing file
    const QString notePath = storePath + QStringLiteral("-writer");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        QFile note(notePath);
        const QString other = note.open(QIODevice::ReadOnly)
            ? QString::fromUtf8(note.read(500)).trimmed()
            : QStringLiteral("ein anderer Vorgang");
        throw ServerError(error::WriterBusy,
                          QStringLiteral("Der Datenbestand %1 wird gerade geschrieben: %2. Bitte"
                                         " später noch einmal versuchen.")
                              .arg(EchoedInput::quoted(storePath), EchoedInput::oneLine(other)));
    }
    QFile note(notePath);
    if (note.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const QString program = QCoreApplication::instance()
            ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
            : QStringLiteral("?");
        note.write(QStringLiteral("%1 (%2, Prozess %3, seit %4)")
                       .arg(work, program)
                       .arg(QCoreApplication::applicationPid())
                       .arg(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss")))
                       .toUtf8());
    }
    return std::unique_ptr<WriterLock>(new WriterLock(fd, notePath));
}

} // namespace kordex
