#pragma once

#include "PropertyPage.h"

class QCheckBox;
class QLineEdit;

namespace inkora {

// The "Rechtschreibung" page: the automatic check, the dictionaries and the ignore settings.
class Rechtschreibung : public PropertyPage
{
    Q_OBJECT
public:
    explicit Rechtschreibung(QWidget *parent = nullptr);

    QCheckBox *chkAutoSpellCheck;
    QLineEdit *txtCustomDictFile;
    QLineEdit *txtMainDictFile;
    QCheckBox *chkIgnoreWithNumbers;
    QCheckBox *chkIgnoreInUpperCase;
    QCheckBox *chkIgnoreInMixedCase;

protected:
    void fill(comctl::ComControl *first) override;
    void applyTo(comctl::ComControl *control) override;

private:
    QCheckBox *makeCheck(const QString &name);
};

} // namespace inkora
