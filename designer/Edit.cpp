#include "Edit.h"

Edit::Edit(QWidget *parent)
    : DesignerControl(QStringLiteral("Inkolib.Edit"), QStringLiteral(ERTRAGON_INKORA_SONAME),
                      parent)
{
}

QString Edit::text() const
{
    return member(QStringLiteral("Text")).toString();
}

void Edit::setText(const QString &text)
{
    setMember(QStringLiteral("Text"), text);
}

int Edit::maxLaenge() const
{
    return member(QStringLiteral("MaxLänge")).toInt();
}

void Edit::setMaxLaenge(int length)
{
    setMember(QStringLiteral("MaxLänge"), length);
}

int Edit::minLaenge() const
{
    return member(QStringLiteral("MinLänge")).toInt();
}

void Edit::setMinLaenge(int length)
{
    setMember(QStringLiteral("MinLänge"), length);
}

bool Edit::fuehrendeNullenLoeschen() const
{
    return member(QStringLiteral("FührendeNullenLöschen")).toBool();
}

void Edit::setFuehrendeNullenLoeschen(bool on)
{
    setMember(QStringLiteral("FührendeNullenLöschen"), on);
}
