#include "EigenschaftenEdit.h"

#include "KeyFilter.h"
#include "comctl/ComControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace inkora {

namespace {

const QString digitKeys = QStringLiteral("0123456789");
const QString noFilter = QStringLiteral("\x01all");

int checkValue(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

EigenschaftenEdit::EigenschaftenEdit(QWidget *parent)
    : PropertyPage(QStringLiteral("Allgemein"), parent)
{
    setObjectName(QStringLiteral("EigenschaftenEdit"));
    auto *layout = new QGridLayout(this);
    cmbTextArt = new QComboBox(this);
    cmbTextArt->setObjectName(QStringLiteral("cmbTextArt"));
    cmbTextUmlaut = new QComboBox(this);
    cmbTextUmlaut->setObjectName(QStringLiteral("cmbTextUmlaut"));
    layout->addWidget(new QLabel(QStringLiteral("TextArt:"), this), 0, 0);
    layout->addWidget(cmbTextArt, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("UmalutArt:"), this), 1, 0);
    layout->addWidget(cmbTextUmlaut, 1, 1);
    connect(cmbTextArt, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });
    connect(cmbTextUmlaut, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });

    txtMaxWert = addField(layout, QStringLiteral("txtMaxWert"), QStringLiteral("MaxWert:"),
                          digitKeys + "x");
    txtMinWert = addField(layout, QStringLiteral("txtMinWert"), QStringLiteral("MinWert:"),
                          digitKeys + "-");
    txtLengthVK = addField(layout, QStringLiteral("txtLängeVK"), QStringLiteral("LängeVK:"),
                           digitKeys + "x");
    txtLengthNK = addField(layout, QStringLiteral("txtLängeNK"), QStringLiteral("LängeNK:"),
                           digitKeys + "x");
    txtMinLength
        = addField(layout, QStringLiteral("txtMinLänge"), QStringLiteral("MinLänge:"), digitKeys);
    txtMaxLength
        = addField(layout, QStringLiteral("txtMaxLänge"), QStringLiteral("MaxLänge:"), digitKeys);
    txtKommaZeichenText = addField(layout, QStringLiteral("txtKommaZeichenText"),
                                   QStringLiteral("KommaZeichenText:"), QStringLiteral(",."));
    txtKommaZeichenValue = addField(layout, QStringLiteral("txtKommaZeichenValue"),
                                    QStringLiteral("KommaZeichenValue:"), QStringLiteral(",."));
    txtErlaubteSonderzeichen = addField(layout, QStringLiteral("txtErlaubteSonderzeichen"),
                                        QStringLiteral("ErlaubteSonderzeichen:"), noFilter);
    chkLeerzeichenErlaubt = addCheck(layout, QStringLiteral("chkLeerzeichenErlaubt"),
                                     QStringLiteral("Leerzeichen erlaubt"));
    chkProzentWertErlaubt = addCheck(layout, QStringLiteral("chkProzentWertErlaubt"),
                                     QStringLiteral("ProzentWertErlaubt"));
    chkDeleteLeadingZeros = addCheck(layout, QStringLiteral("chkFührendeNullenLöschen"),
                                     QStringLiteral("FührendeNullenLöschen"));
    chkTausenderTrennZeichenJN = addCheck(layout, QStringLiteral("chkTausenderTrennZeichenJN"),
                                          QStringLiteral("TausenderTrennZeichen"));
    txtText = addField(layout, QStringLiteral("txtText"), QStringLiteral("Text:"), noFilter);
    txtTausenderTrennzeichen = addField(layout, QStringLiteral("txtTausenderTrennzeichen"),
                                        QStringLiteral("TausenderTrennzeichen:"), noFilter);
    txtEingabeWert = addField(layout, QStringLiteral("txtEingabeWert"),
                              QStringLiteral("EingabeWert:"), noFilter);
}

QLineEdit *EigenschaftenEdit::addField(QGridLayout *layout, const QString &objectName,
                                       const QString &label, const QString &admitted)
{
    const int row = layout->rowCount();
    auto *field = new QLineEdit(this);
    field->setObjectName(objectName);
    layout->addWidget(new QLabel(label, this), row, 0);
    layout->addWidget(field, row, 1);
    if (admitted != noFilter)
        field->installEventFilter(new KeyFilter(
            admitted, [this] { beep(); }, field));
    connect(field, &QLineEdit::textChanged, this, [this] { markChanged(); });
    return field;
}

QCheckBox *EigenschaftenEdit::addCheck(QGridLayout *layout, const QString &objectName,
                                       const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(objectName);
    layout->addWidget(box, layout->rowCount(), 1);
    connect(box, &QCheckBox::clicked, this, [this] { markChanged(); });
    connect(box, &QCheckBox::stateChanged, this, [this] { markChanged(); });
    return box;
}

void EigenschaftenEdit::fill(comctl::ComControl *first)
{
    cmbTextArt->clear();
    for (int i = 0; i <= 5; ++i)
        cmbTextArt->addItem(QStringLiteral("%1 - %2").arg(i).arg(
            first->invoke(QStringLiteral("EditArtName"), { i }).value.toString()));
    cmbTextUmlaut->clear();
    for (int i = 0; i <= 4; ++i)
        cmbTextUmlaut->addItem(QStringLiteral("%1 - %2").arg(i).arg(
            first->invoke(QStringLiteral("UmlautArtName"), { i }).value.toString()));
    cmbTextArt->setCurrentIndex(get(first, QStringLiteral("TextArt")).toInt());
    cmbTextUmlaut->setCurrentIndex(get(first, QStringLiteral("TextUmlaut")).toInt());
    txtErlaubteSonderzeichen->setText(
        get(first, QStringLiteral("ErlaubteSonderzeichen")).toString());
    txtErlaubteSonderzeichen->setCursorPosition(0);
    txtMinLength->setText(get(first, QStringLiteral("MinLänge")).toString());
    txtKommaZeichenText->setText(get(first, QStringLiteral("KommaZeichenText")).toString());
    txtKommaZeichenValue->setText(get(first, QStringLiteral("KommaZeichenValue")).toString());
    txtLengthNK->setText(get(first, QStringLiteral("LängeNK")).toString());
    txtLengthVK->setText(get(first, QStringLiteral("LängeVK")).toString());
    txtMinWert->setText(get(first, QStringLiteral("MinWert")).toString());
    txtMaxWert->setText(get(first, QStringLiteral("MaxWert")).toString());
    chkDeleteLeadingZeros->setChecked(get(first, QStringLiteral("FührendeNullenLöschen")).toBool());
    chkProzentWertErlaubt->setChecked(get(first, QStringLiteral("ProzentWertErlaubt")).toBool());
    chkTausenderTrennZeichenJN->setChecked(
        get(first, QStringLiteral("TausenderTrennzeichen")).toBool());
    chkLeerzeichenErlaubt->setChecked(get(first, QStringLiteral("LeerzeichenErlaubt")).toBool());
}

void EigenschaftenEdit::applyTo(comctl::ComControl *control)
{
    put(control, QStringLiteral("ErlaubteSonderzeichen"), txtErlaubteSonderzeichen->text());
    put(control, QStringLiteral("MinLänge"), txtMinLength->text());
    put(control, QStringLiteral("FührendeNullenLöschen"), checkValue(chkDeleteLeadingZeros));
    put(control, QStringLiteral("ProzentWertErlaubt"), checkValue(chkProzentWertErlaubt));
    put(control, QStringLiteral("KommaZeichenText"), txtKommaZeichenText->text());
    put(control, QStringLiteral("KommaZeichenValue"), txtKommaZeichenValue->text());
    put(control, QStringLiteral("TausenderTrennzeichen"), checkValue(chkTausenderTrennZeichenJN));
    put(control, QStringLiteral("LeerzeichenErlaubt"), checkValue(chkLeerzeichenErlaubt));
    put(control, QStringLiteral("LängeNK"), txtLengthNK->text());
    put(control, QStringLiteral("LängeVK"), txtLengthVK->text());
    put(control, QStringLiteral("MinWert"), txtMinWert->text());
    put(control, QStringLiteral("MaxWert"), txtMaxWert->text());
    put(control, QStringLiteral("TextArt"), cmbTextArt->currentIndex());
    put(control, QStringLiteral("TextUmlaut"), cmbTextUmlaut->currentIndex());
}

} // namespace inkora
