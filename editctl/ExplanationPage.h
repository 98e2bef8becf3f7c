#pragma once

#include "PropertyPage.h"

class QPlainTextEdit;

namespace inkora {

// The "Erklärung" page: a fixed explanation of how Text, Value and the limits
// work.
class ExplanationPage : public PropertyPage
{
public:
    explicit ExplanationPage(QWidget *parent = nullptr);
    static QString explanation();

    QPlainTextEdit *txtExplanation; // txtErklärung

protected:
    void fill(comctl::ComControl *) override { }
    void applyTo(comctl::ComControl *) override { }
};

} // namespace inkora
