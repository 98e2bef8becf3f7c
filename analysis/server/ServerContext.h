#pragma once

#include <QString>

namespace ertragon {

// The process-wide record of the server layer: login values, the user found
// at login, and the two login flags. Owned by ServerAccess.
struct ServerContext
{
    QString connectString;

    // login values
    QString firma; // company
    QString filiale; // branch
    QString name; // user code
    QString password;
    QString server;
    QString port;
    QString nameSpace; // shown and stored, never part of the connect string

    // from the login check
    QString userDisplay; // user code "|" full name; empty while not logged in
    QString fullName;
    QString personnelNumber; // "PNR"
    QString dw; // "DW"
    QString rightsGroup; // "BERGRP"
    QString department; // "AbtNr" of KX.ParPersAbt
    QString mainDepartment; // "HAbtNr" of KX.ParPersAbt
    QString departmentName; // "abtbez" through "ABTBEZlogicaltoodbc"
    QString fax;
    QString email;

    bool loginFailed = false;
    bool passwordFromDialog = false;

    QString commandLine; // the raw command line, blank-separated words
};

} // namespace ertragon
