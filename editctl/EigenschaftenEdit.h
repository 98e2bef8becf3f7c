#pragma once

#include "PropertyPage.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

namespace inkora {

// The "Allgemein" page: input kind, umlaut mode, bounds, lengths, decimal signs, special
// characters and the behaviour check boxes.
class EigenschaftenEdit : public PropertyPage
{
    Q_OBJECT
public:
    explicit EigenschaftenEdit(QWidget *parent = nullptr);

    QComboBox *cmbTextArt;
    QComboBox *cmbTextUmlaut;
    QLineEdit *txtMaxWert;
    QLineEdit *txtMinWert;
    QLineEdit *txtLengthVK; // txtLängeVK
    QLineEdit *txtLengthNK; // txtLängeNK
    QLineEdit *txtMinLength; // txtMinLänge
    QLineEdit *txtMaxLength; // txtMaxLänge
    QLineEdit *txtKommaZeichenText;
    QLineEdit *txtKommaZeichenValue;
    QLineEdit *txtErlaubteSonderzeichen;
    QCheckBox *chkLeerzeichenErlaubt;
    QCheckBox *chkProzentWertErlaubt;
    QCheckBox *chkDeleteLeadingZeros; // chkFührendeNullenLöschen
    QCheckBox *chkTausenderTrennZeichenJN;
    QLineEdit *txtText;
    QLineEdit *txtTausenderTrennzeichen;
    QLineEdit *txtEingabeWert;

protected:
    void fill(comctl::ComControl *first) override;
    void applyTo(comctl::ComControl *control) override;

private:
    QLineEdit *addField(QGridLayout *layout, const QString &objectName, const QString &label,
                        const QString &admitted);
    QCheckBox *addCheck(QGridLayout *layout, const QString &objectName, const QString &caption);
};

} // namespace inkora
