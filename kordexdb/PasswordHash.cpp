#include "PasswordHash.h"

#include <QStringList>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace kordex {

namespace {

const unsigned char *bytes(const QByteArray &data)
{
    return reinterpret_cast<const unsigned char *>(data.constData());
}

} // namespace

QByteArray PasswordHash::pbkdf2Sha256(const QByteArray &password, const QByteArray &salt,
                                      int iterations, int length)
{
    QByteArray result(length, '\0');
    if (PKCS5_PBKDF2_HMAC(password.constData(), int(password.size()), bytes(salt), int(salt.size()),
                          iterations, EVP_sha256(), length,
                          reinterpret_cast<unsigned char *>(result.data()))
        != 1)
        return {};
    return result;
}

QString PasswordHash::make(const QString &password, QByteArray salt, int iterations)
{
    if (salt.isEmpty()) {
        salt.resize(16);
        if (RAND_bytes(reinterpret_cast<unsigned char *>(salt.data()), int(salt.size())) != 1)
            qFatal("no random bytes for a password salt");
    }
    const QByteArray hash = pbkdf2Sha256(password.toUtf8(), salt, iterations, 32);
    return QStringLiteral("pbkdf2-sha256$%1$%2$%3")
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

bool PasswordHash::verify(const QString &password, const QString &stored)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != QLatin1String("pbkdf2-sha256"))
        return false;
    bool ok = false;
    const int iterations = parts[1].toInt(&ok);
    if (!ok || iterations < 1 || iterations > 10000000)
        return false;
    const QByteArray salt = QByteArray::fromBase64(parts[2].toLatin1());
    const QByteArray expected = QByteArray::fromBase64(parts[3].toLatin1());
    if (salt.isEmpty() || expected.size() != 32)
        return false;
    const QByteArray actual = pbkdf2Sha256(password.toUtf8(), salt, iterations, 32);
    return actual.size() == 32 && CRYPTO_memcmp(actual.constData(), expected.constData(), 32) == 0;
}

} // namespace kordex
