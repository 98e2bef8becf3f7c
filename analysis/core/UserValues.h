#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

namespace ertragon {

// The values a user keeps from one start to the next, per company and user, in one INI
// file beside the login settings ("Ansicht.ini"): the view, the details and display
// options, the book's levels and file, the export folder and file names. A damaged or
// missing file reads as nothing kept; without a user nothing is read or kept.
class UserValues
{
public:
    explicit UserValues(QString file = defaultFile());
    virtual ~UserValues();
    UserValues(UserValues &&) noexcept;
    UserValues &operator=(UserValues &&) noexcept;
    static QString defaultFile();

    // Whose values are read and written: company and user code. The file is read here,
    // so the values are those that held when the user was admitted.
    void setUser(const QString &company, const QString &user);
    bool hasUser() const { return !m_user.isEmpty(); }

    QVariant value(const QString &key, const QVariant &fallback = {}) const;
    // Stores value unless it is the one kept already; an invalid value removes the key.
    void setValue(const QString &key, const QVariant &value);
    // Writes what was set to the file now (it is written later by itself otherwise).
    void sync();

private:
    QString m_file;
    std::unique_ptr<QSettings> m_settings;
    QString m_user;
    QString m_group; // "Firma_<company>_Benutzer_<user>/"
};

} // namespace ertragon
