#pragma once

#include "PropertyPage.h"

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;

namespace inkora {

// The standard font page: the control's Font (name, size, styles).
class FontPage : public PropertyPage
{
    Q_OBJECT
public:
    explicit FontPage(QWidget *parent = nullptr);

    QFontComboBox *cmbName;
    QDoubleSpinBox *spnSize;
    QCheckBox *chkBold;
    QCheckBox *chkItalic;
    QCheckBox *chkUnderline;
    QCheckBox *chkStrikethru;

protected:
    void fill(comctl::ComControl *first) override;
    void applyTo(comctl::ComControl *control) override;
};

} // namespace inkora
