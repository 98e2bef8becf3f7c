#pragma once

#include <QByteArray>
#include <QString>

namespace kordex {

// Salted, slow password hashes (PBKDF2-HMAC-SHA256). A stored hash is the text
// "pbkdf2-sha256$<iterations>$<salt base64>$<hash base64>"; no password is kept.
class PasswordHash
{
public:
    static constexpr int defaultIterations = 120000;

    static QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt,
                                   int iterations, int length);
    static QByteArray sha256(const QByteArray &data);

    // A new stored hash with the given salt (16 random bytes when empty).
    static QString make(const QString &password, QByteArray salt = {},
                        int iterations = defaultIterations);
    // True when password matches the stored hash; false for any malformed hash.
    static bool verify(const QString &password, const QString &stored);
};

} // namespace kordex
