#pragma once

#include "PropertyPage.h"

class QCheckBox;
class QComboBox;

namespace inkora {

// The "TextBox" page: Enabled and AlignmentText.
class TextBox : public PropertyPage
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    QCheckBox *chkEnabled;
    QComboBox *cmbAlignment;

protected:
    void fill(comctl::ComControl *first) override;
    void applyTo(comctl::ComControl *control) override;
};

} // namespace inkora
