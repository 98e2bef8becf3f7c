#pragma once

#include <QJsonObject>
#include <QString>

namespace comctl {

// One control class as the per-user control registry records it.
struct ClassRegistration
{
    QString clsid; // "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"
    QString progId; // "Inkolib.Edit"
    QString userTypeName; // shown to users
    QString libraryPath; // absolute path of the in-process server
    QString typeLibId;
    QString typeLibName;
    QString typeLibVersion = QStringLiteral("1.0");
    QString typeLibDescription;
    QString helpDir;
    quint32 miscStatus = 0;
    int toolboxBitmap = 1; // resource number of the toolbox bitmap
    bool control = true;

    QJsonObject toJson() const;
    // Fills from JSON; false when the entry lacks a class id, a ProgID or a library.
    bool fromJson(const QJsonObject &object);
};

} // namespace comctl
