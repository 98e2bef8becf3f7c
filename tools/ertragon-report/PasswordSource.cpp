#include "PasswordSource.h"

#include <QDir>
#include <QFile>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ertragon::report {

const char *const PasswordSource::credentialName = "ertragon-password";

namespace {

// Longer than any password; the rest of a longer file is never read.
constexpr std::size_t maximumLength = 4096;

PasswordSource::Result failure(const QString &path, const QString &why)
{
    return { QString(), path + QStringLiteral(": ") + why };
}

} // namespace

PasswordSource::Result PasswordSource::readFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failure(path, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !(S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode))) {
        ::close(fd);
        return failure(path, QStringLiteral("keine Datei"));
    }
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        ::close(fd);
        return failure(path,
                       QStringLiteral("darf nur für den Eigentümer lesbar sein (Rechte %1, "
                                      "erwartet 0600 oder 0400)")
                           .arg(status.st_mode & 07777, 4, 8, QLatin1Char('0')));
    }
    std::array<char, maximumLength> buffer {};
    std::size_t length = 0;
    while (length < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + length, buffer.size() - length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        length += std::size_t(n);
    }
    ::close(fd);
    std::size_t end = 0;
    while (end < length && buffer[end] != '\n')
        ++end;
    if (end > 0 && buffer[end - 1] == '\r')
        --end;
    Result result { QString::fromUtf8(buffer.data(), qsizetype(end)), QString() };
    explicit_bzero(buffer.data(), buffer.size());
    if (result.password.isEmpty())
        return failure(path, QStringLiteral("die erste Zeile ist leer"));
    return result;
}

PasswordSource::Result PasswordSource::read(const QString &passwordFile,
                                            const QString &credentialsDirectory,
                                            const std::optional<QString> &environmentPassword)
{
    if (!passwordFile.isEmpty())
        return readFile(passwordFile);
    if (!credentialsDirectory.isEmpty()) {
        const QString credential
            = QDir(credentialsDirectory).filePath(QString::fromLatin1(credentialName));
        if (QFile::exists(credential))
            return readFile(credential);
    }
    if (environmentPassword && !environmentPassword->isEmpty())
        return { *environmentPassword, QString() };
    return { QString(),
             QStringLiteral("ERTRAGON_PASSWORD ist nicht gesetzt (kein --password-file, keine "
                            "Zugangsdaten %1 in $CREDENTIALS_DIRECTORY)")
                 .arg(QString::fromLatin1(credentialName)) };
}

} // namespace ertragon::report
