#pragma once

#include "PropertyPage.h"

class QComboBox;
class QLineEdit;

namespace inkora {

// The standard colour page: ForeColor and BackColor as OLE colours (hexadecimal, system
// colours 0x800000nn included), with a colour chooser.
class ColorPage : public PropertyPage
{
    Q_OBJECT
public:
    explicit ColorPage(QWidget *parent = nullptr);

    QComboBox *cmbProperty;
    QLineEdit *txtColor;

protected:
    void fill(comctl::ComControl *first) override;
    void applyTo(comctl::ComControl *control) override;

private:
    void showSelected();
    void chooseColor();

    quint32 m_colors[2] = { 0, 0 };
};

} // namespace inkora
