#pragma once

#include "DesignerControl.h"

// The Tallix numeric masked edit control of Orvel (ProgID Zifra.Tallix.1) in Qt Designer.
class Tallix : public DesignerControl
{
    Q_OBJECT
    // At design time the control keeps its Text; Value is its run-time reading.
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(int MaskType READ maskType WRITE setMaskType)
    Q_PROPERTY(int MaskWholePlaces READ maskWholePlaces WRITE setMaskWholePlaces)
    Q_PROPERTY(int MaskDecimalPlaces READ maskDecimalPlaces WRITE setMaskDecimalPlaces)
    Q_PROPERTY(bool SpinButton READ spinButton WRITE setSpinButton)
public:
    explicit Tallix(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    int maskType() const;
    void setMaskType(int type);
    int maskWholePlaces() const;
    void setMaskWholePlaces(int places);
    int maskDecimalPlaces() const;
    void setMaskDecimalPlaces(int places);
    bool spinButton() const;
    void setSpinButton(bool on);
};
