#pragma once

#include <QString>
#include <optional>

namespace ertragon::report {

// Where the password of a PASSWORD word "-" comes from, the first that is given: the file
// of --password-file, the systemd credential "ertragon-password"
// ($CREDENTIALS_DIRECTORY/ertragon-password), then $ERTRAGON_PASSWORD. A file must be
// readable by its owner only; its first line is the password.
class PasswordSource
{
public:
    static const char *const credentialName; // "ertragon-password"

    struct Result
    {
        QString password;
        QString error; // empty when the password was read
    };

    // passwordFile empty: none given; credentialsDirectory empty: none set.
    static Result read(const QString &passwordFile, const QString &credentialsDirectory,
                       const std::optional<QString> &environmentPassword);

    // The first line of the file, which nobody but its owner may read.
    static Result readFile(const QString &path);
};

} // namespace ertragon::report
