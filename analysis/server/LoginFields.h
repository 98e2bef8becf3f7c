#pragma once

#include <QString>

namespace ertragon {

// The texts of the login windows: the five fields of FMServer and the two of FMPass.
struct LoginFields
{
    QString firma; // BFIRMA
    QString filiale; // BFIL
    QString serverIp; // BSERVERIP
    QString port; // BPORT
    QString nameSpace; // BNAMESPACE
    QString user; // BUSER
    QString password; // BPASSWORT

    bool operator==(const LoginFields &) const = default;
};

} // namespace ertragon
