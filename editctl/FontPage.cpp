#include "FontPage.h"

#include "comctl/ComControl.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>

namespace inkora {

FontPage::FontPage(QWidget *parent)
    : PropertyPage(QStringLiteral("Schriftart"), parent)
    , cmbName(new QFontComboBox(this))
    , spnSize(new QDoubleSpinBox(this))
    , chkBold(new QCheckBox(QStringLiteral("Fett"), this))
    , chkItalic(new QCheckBox(QStringLiteral("Kursiv"), this))
    , chkUnderline(new QCheckBox(QStringLiteral("Unterstrichen"), this))
    , chkStrikethru(new QCheckBox(QStringLiteral("Durchgestrichen"), this))
{
    setObjectName(QStringLiteral("StandardFont"));
    spnSize->setRange(1, 500);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Schriftart:"), cmbName);
    layout->addRow(QStringLiteral("Größe:"), spnSize);
    for (QCheckBox *box : { chkBold, chkItalic, chkUnderline, chkStrikethru }) {
        layout->addRow(box);
        connect(box, &QCheckBox::stateChanged, this, [this] { markChanged(); });
    }
    connect(cmbName, &QFontComboBox::currentFontChanged, this, [this] { markChanged(); });
    connect(spnSize, &QDoubleSpinBox::valueChanged, this, [this] { markChanged(); });
}

void FontPage::fill(comctl::ComControl *first)
{
    const QFont font = get(first, QStringLiteral("Font")).value<QFont>();
    cmbName->setCurrentFont(font);
    spnSize->setValue(font.pointSizeF());
    chkBold->setChecked(font.bold());
    chkItalic->setChecked(font.italic());
    chkUnderline->setChecked(font.underline());
    chkStrikethru->setChecked(font.strikeOut());
}

void FontPage::applyTo(comctl::ComControl *control)
{
    QFont font = cmbName->currentFont();
    font.setPointSizeF(spnSize->value());
    font.setBold(chkBold->isChecked());
    font.setItalic(chkItalic->isChecked());
    font.setUnderline(chkUnderline->isChecked());
    font.setStrikeOut(chkStrikethru->isChecked());
    put(control, QStringLiteral("Font"), font);
}

} // namespace inkora
