#include "Rechtschreibung.h"

#include "comctl/ComControl.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

namespace inkora {

Rechtschreibung::Rechtschreibung(QWidget *parent)
    : PropertyPage(QStringLiteral("Rechtschreibung"), parent)
    , chkAutoSpellCheck(makeCheck(QStringLiteral("AutoSpellCheck")))
    , txtCustomDictFile(new QLineEdit(this))
    , txtMainDictFile(new QLineEdit(this))
    , chkIgnoreWithNumbers(makeCheck(QStringLiteral("IgnoreWithNumbers")))
    , chkIgnoreInUpperCase(makeCheck(QStringLiteral("IgnoreInUpperCase")))
    , chkIgnoreInMixedCase(makeCheck(QStringLiteral("IgnoreInMixedCase")))
{
    setObjectName(QStringLiteral("Rechtschreibung"));
    txtCustomDictFile->setObjectName(QStringLiteral("txtCustomDictFile"));
    txtMainDictFile->setObjectName(QStringLiteral("txtMainDictFile"));
    auto *layout = new QFormLayout(this);
    layout->addRow(chkAutoSpellCheck);
    layout->addRow(QStringLiteral("CustomDictFile:"), txtCustomDictFile);
    layout->addRow(QStringLiteral("MainDictFile:"), txtMainDictFile);
    layout->addRow(chkIgnoreWithNumbers);
    layout->addRow(chkIgnoreInUpperCase);
    layout->addRow(chkIgnoreInMixedCase);
    connect(txtCustomDictFile, &QLineEdit::textChanged, this, [this] { markChanged(); });
    connect(txtMainDictFile, &QLineEdit::textChanged, this, [this] { markChanged(); });
}

QCheckBox *Rechtschreibung::makeCheck(const QString &name)
{
    auto *box = new QCheckBox(name, this);
    box->setObjectName(QStringLiteral("chk") + name);
    connect(box, &QCheckBox::stateChanged, this, [this] { markChanged(); });
    return box;
}

void Rechtschreibung::fill(comctl::ComControl *first)
{
    chkAutoSpellCheck->setChecked(get(first, QStringLiteral("AutoSpellCheck")).toBool());
    txtCustomDictFile->setText(get(first, QStringLiteral("CustomDictFile")).toString());
    txtMainDictFile->setText(get(first, QStringLiteral("MainDictFile")).toString());
    chkIgnoreWithNumbers->setChecked(get(first, QStringLiteral("IgnoreWithNumbers")).toBool());
    chkIgnoreInUpperCase->setChecked(get(first, QStringLiteral("IgnoreInUpperCase")).toBool());
    chkIgnoreInMixedCase->setChecked(get(first, QStringLiteral("IgnoreInMixedCase")).toBool());
}

void Rechtschreibung::applyTo(comctl::ComControl *control)
{
    put(control, QStringLiteral("AutoSpellCheck"), chkAutoSpellCheck->isChecked() ? 1 : 0);
    put(control, QStringLiteral("CustomDictFile"), txtCustomDictFile->text());
    put(control, QStringLiteral("MainDictFile"), txtMainDictFile->text());
    put(control, QStringLiteral("IgnoreWithNumbers"), chkIgnoreWithNumbers->isChecked() ? 1 : 0);
    put(control, QStringLiteral("IgnoreInUpperCase"), chkIgnoreInUpperCase->isChecked() ? 1 : 0);
    put(control, QStringLiteral("IgnoreInMixedCase"), chkIgnoreInMixedCase->isChecked() ? 1 : 0);
}

} // namespace inkora
