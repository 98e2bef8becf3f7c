#include "TextBox.h"

#include "comctl/ComControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>

namespace inkora {

TextBox::TextBox(QWidget *parent)
    : PropertyPage(QStringLiteral("TextBox"), parent)
    , chkEnabled(new QCheckBox(QStringLiteral("Enabled"), this))
    , cmbAlignment(new QComboBox(this))
{
    setObjectName(QStringLiteral("TextBox"));
    chkEnabled->setObjectName(QStringLiteral("chkEnabled"));
    cmbAlignment->setObjectName(QStringLiteral("cmbAlignment"));
    cmbAlignment->addItems({ QStringLiteral("0 - Links"), QStringLiteral("1 - Rechts"),
                             QStringLiteral("2 - Zentriert") });
    auto *layout = new QFormLayout(this);
    layout->addRow(chkEnabled);
    layout->addRow(QStringLiteral("Alignment:"), cmbAlignment);
    connect(chkEnabled, &QCheckBox::stateChanged, this, [this] { markChanged(); });
    connect(cmbAlignment, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });
}

void TextBox::fill(comctl::ComControl *first)
{
    chkEnabled->setChecked(get(first, QStringLiteral("Enabled")).toBool());
    cmbAlignment->setCurrentIndex(get(first, QStringLiteral("AlignmentText")).toInt());
}

void TextBox::applyTo(comctl::ComControl *control)
{
    put(control, QStringLiteral("Enabled"), chkEnabled->isChecked() ? 1 : 0);
    put(control, QStringLiteral("AlignmentText"), cmbAlignment->currentIndex());
}

} // namespace inkora
