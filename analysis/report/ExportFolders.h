#pragma once

#include <QString>

namespace ertragon::report {

// The folder of the last export of each user of each company, kept in the user's
// Ertragon settings folder ("Exporte.ini") from one start to the next.
class ExportFolders
{
public:
    // path: the settings file; empty for the user's own.
    explicit ExportFolders(QString path = QString());

    static QString defaultFile();

    // The folder of the last export of user in company; the home folder before the first.
    QString folder(const QString &company, const QString &user) const;
    // Remembers the folder of the file just written.
    void remember(const QString &company, const QString &user, const QString &filePath);

private:
    QString m_path;
};

} // namespace ertragon::report
