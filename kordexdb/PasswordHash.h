#pragma once

#include <QByteArray>
#include <QString>

namespace kordex {

// Salted, slow password hashes of a SQLite store (PBKDF2-HMAC-SHA256 by OpenSSL). A
// stored hash is the text "pbkdf2-sha256$<iterations>$<salt base64>$<hash base64>";
// no password is kept. A PostgreSQL store keeps no hashes: the server checks logins.
class PasswordHash
{
public:
    static constexpr int defaultIterations = 120000;

    static QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt,
                                   int iterations, int length);

    // A new stored hash with the given salt (16 random bytes when empty).
    static QString make(const QString &password, QByteArray salt = {},
                        int iterations = defaultIterations);
    // True when password matches the stored hash; false for any malformed hash.
    static bool verify(const QString &password, const QString &stored);
};

} // namespace kordex
