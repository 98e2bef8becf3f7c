#include "ClassRegistration.h"

namespace comctl {

QJsonObject ClassRegistration::toJson() const
{
    return QJsonObject {
        { QStringLiteral("clsid"), clsid },
        { QStringLiteral("progId"), progId },
        { QStringLiteral("userTypeName"), userTypeName },
        { QStringLiteral("inprocServer"), libraryPath },
        { QStringLiteral("toolboxBitmap"),
          QStringLiteral("%1,%2").arg(libraryPath).arg(toolboxBitmap) },
        { QStringLiteral("control"), control },
        { QStringLiteral("miscStatus"), double(miscStatus) },
        { QStringLiteral("typeLib"),
          QJsonObject { { QStringLiteral("id"), typeLibId },
                        { QStringLiteral("name"), typeLibName },
                        { QStringLiteral("version"), typeLibVersion },
                        { QStringLiteral("description"), typeLibDescription },
                        { QStringLiteral("helpDir"), helpDir } } },
    };
}

bool ClassRegistration::fromJson(const QJsonObject &object)
{
    clsid = object.value(QStringLiteral("clsid")).toString();
    progId = object.value(QStringLiteral("progId")).toString();
    userTypeName = object.value(QStringLiteral("userTypeName")).toString();
    libraryPath = object.value(QStringLiteral("inprocServer")).toString();
    control = object.value(QStringLiteral("control")).toBool(true);
    miscStatus = quint32(object.value(QStringLiteral("miscStatus")).toDouble());
    const QJsonObject typeLib = object.value(QStringLiteral("typeLib")).toObject();
    typeLibId = typeLib.value(QStringLiteral("id")).toString();
    typeLibName = typeLib.value(QStringLiteral("name")).toString();
    typeLibVersion = typeLib.value(QStringLiteral("version")).toString();
    typeLibDescription = typeLib.value(QStringLiteral("description")).toString();
    helpDir = typeLib.value(QStringLiteral("helpDir")).toString();
    return !clsid.isEmpty() && !progId.isEmpty() && !libraryPath.isEmpty();
}

} // namespace comctl
