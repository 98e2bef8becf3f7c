#pragma once

#include "DesignerControl.h"

// The Edit control of Inkora (ProgID Inkolib.Edit) in Qt Designer. The members whose
// names hold umlauts appear under ASCII names: MaxLaenge is MaxLänge.
class Edit : public DesignerControl
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int MaxLaenge READ maxLaenge WRITE setMaxLaenge) // MaxLänge
    Q_PROPERTY(int MinLaenge READ minLaenge WRITE setMinLaenge) // MinLänge
    // FührendeNullenLöschen
    Q_PROPERTY(
        bool FuehrendeNullenLoeschen READ fuehrendeNullenLoeschen WRITE setFuehrendeNullenLoeschen)
public:
    explicit Edit(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    int maxLaenge() const;
    void setMaxLaenge(int length);
    int minLaenge() const;
    void setMinLaenge(int length);
    bool fuehrendeNullenLoeschen() const;
    void setFuehrendeNullenLoeschen(bool on);
};
