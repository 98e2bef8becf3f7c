#include "Tallix.h"

Tallix::Tallix(QWidget *parent)
    : DesignerControl(QStringLiteral("Zifra.Tallix.1"), QStringLiteral(ERTRAGON_ORVEL_SONAME),
                      parent)
{
}

QString Tallix::text() const
{
    return member(QStringLiteral("Text")).toString();
}

void Tallix::setText(const QString &text)
{
    setMember(QStringLiteral("Text"), text);
}

int Tallix::maskType() const
{
    return member(QStringLiteral("MaskType")).toInt();
}

void Tallix::setMaskType(int type)
{
    setMember(QStringLiteral("MaskType"), type);
}

int Tallix::maskWholePlaces() const
{
    return member(QStringLiteral("MaskWholePlaces")).toInt();
}

void Tallix::setMaskWholePlaces(int places)
{
    setMember(QStringLiteral("MaskWholePlaces"), places);
}

int Tallix::maskDecimalPlaces() const
{
    return member(QStringLiteral("MaskDecimalPlaces")).toInt();
}

void Tallix::setMaskDecimalPlaces(int places)
{
    setMember(QStringLiteral("MaskDecimalPlaces"), places);
}

bool Tallix::spinButton() const
{
    return member(QStringLiteral("SpinButton")).toBool();
}

void Tallix::setSpinButton(bool on)
{
    setMember(QStringLiteral("SpinButton"), on);
}
