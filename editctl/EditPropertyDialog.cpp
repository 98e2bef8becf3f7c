#include "EditPropertyDialog.h"

#include "ColorPage.h"
#include "EigenschaftenEdit.h"
#include "ExplanationPage.h"
#include "FontPage.h"
#include "Rechtschreibung.h"
#include "TextBox.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace inkora {

EditPropertyDialog::EditPropertyDialog(const PropertyPage::Controls &controls, QWidget *parent)
    : QDialog(parent)
    , m_tabs(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("Eigenschaftenseiten"));
    m_pages = { new EigenschaftenEdit(this), new TextBox(this),   new Rechtschreibung(this),
                new FontPage(this),          new ColorPage(this), new ExplanationPage(this) };
    for (PropertyPage *page : std::as_const(m_pages)) {
        m_tabs->addTab(page, page->caption());
        connect(page, &PropertyPage::changedChanged, this, &EditPropertyDialog::updateApply);
    }
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    m_apply = buttons->button(QDialogButtonBox::Apply);
    m_apply->setText(QStringLiteral("Ü&bernehmen"));
    connect(m_apply, &QPushButton::clicked, this, &EditPropertyDialog::applyChanges);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        applyChanges();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    setSelection(controls);
    resize(760, 560);
}

void EditPropertyDialog::setSelection(const PropertyPage::Controls &controls)
{
    for (PropertyPage *page : std::as_const(m_pages))
        page->selectionChanged(controls);
    updateApply();
}

void EditPropertyDialog::applyChanges()
{
    for (PropertyPage *page : std::as_const(m_pages)) {
        if (page->isChanged())
            page->apply();
    }
    updateApply();
}

void EditPropertyDialog::updateApply()
{
    bool changed = false;
    for (PropertyPage *page : std::as_const(m_pages))
        changed = changed || page->isChanged();
    m_apply->setEnabled(changed);
}

} // namespace inkora
