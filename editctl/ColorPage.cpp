#include "ColorPage.h"

#include "comctl/ComControl.h"
#include "comctl/OleColor.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace inkora {

namespace {

const char *const properties[] = { "ForeColor", "BackColor" };

} // namespace

ColorPage::ColorPage(QWidget *parent)
    : PropertyPage(QStringLiteral("Farbe"), parent)
    , cmbProperty(new QComboBox(this))
    , txtColor(new QLineEdit(this))
{
    setObjectName(QStringLiteral("StandardColor"));
    cmbProperty->addItems({ QStringLiteral("ForeColor"), QStringLiteral("BackColor") });
    auto *choose = new QPushButton(QStringLiteral("Farbe wählen..."), this);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Eigenschaft:"), cmbProperty);
    layout->addRow(QStringLiteral("Farbe (hex):"), txtColor);
    layout->addRow(choose);
    connect(cmbProperty, &QComboBox::currentIndexChanged, this, &ColorPage::showSelected);
    connect(choose, &QPushButton::clicked, this, &ColorPage::chooseColor);
    connect(txtColor, &QLineEdit::textEdited, this, [this](const QString &text) {
        bool ok = false;
        const quint32 color = text.toUInt(&ok, 16);
        if (ok) {
            m_colors[cmbProperty->currentIndex()] = color;
            markChanged();
        }
    });
}

void ColorPage::showSelected()
{
    txtColor->setText(QString::number(m_colors[cmbProperty->currentIndex()], 16).toUpper());
}

void ColorPage::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(
        comctl::OleColor::toQColor(m_colors[cmbProperty->currentIndex()], QApplication::palette()),
        this);
    if (!chosen.isValid())
        return;
    m_colors[cmbProperty->currentIndex()] = comctl::OleColor::fromQColor(chosen);
    showSelected();
    markChanged();
}

void ColorPage::fill(comctl::ComControl *first)
{
    for (int i = 0; i < 2; ++i)
        m_colors[i] = quint32(get(first, QString::fromLatin1(properties[i])).toLongLong());
    showSelected();
}

void ColorPage::applyTo(comctl::ComControl *control)
{
    for (int i = 0; i < 2; ++i)
        put(control, QString::fromLatin1(properties[i]), qint64(m_colors[i]));
}

} // namespace inkora
