#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QSettings;

namespace ertragon {

// The login defaults IT sets for every user of a machine: the file login-defaults.ini,
// section "Login" as in the user's "Cache Login.ini", in Ertragon/ of each folder of
// $XDG_CONFIG_DIRS (default /etc/xdg); a folder named earlier wins. (A package's conffile
// cannot hold a blank in its name.) They stand beneath the user's own file: server, port,
// namespace, company and branch from here apply where the user's file names none.
class LoginDefaults
{
public:
    // The existing files, the most important first.
    static QStringList systemFiles();
    static LoginDefaults fromSystem() { return LoginDefaults(systemFiles()); }

    LoginDefaults() = default;
    explicit LoginDefaults(const QStringList &files);

    // The default of key, or fallback when no file names it.
    QString value(const QString &key, const QString &fallback) const;

    // A value of a settings file as text: a value the file reads as a list (an unquoted
    // comma) is joined again; anything unreadable counts as missing.
    static QString readSetting(const QSettings &settings, const QString &key,
                               const QString &fallback);

private:
    QMap<QString, QString> m_values;
};

} // namespace ertragon
