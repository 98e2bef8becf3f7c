#pragma once

#include "PropertyPage.h"

class QPlainTextEdit;

namespace inkora {

// The "Erklärung" page: a fixed explanation of how Text, Value and the limits work.
class Erklärung : public PropertyPage
{
public:
    explicit Erklärung(QWidget *parent = nullptr);
    static QString explanation();

    QPlainTextEdit *txtErklärung;

protected:
    void fill(comctl::ComControl *) override { }
    void applyTo(comctl::ComControl *) override { }
};

} // namespace inkora
