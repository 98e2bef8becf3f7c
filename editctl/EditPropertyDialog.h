#pragma once

#include "PropertyPage.h"

#include <QDialog>

class QPushButton;
class QTabWidget;

namespace inkora {

// The property dialog of the Edit control: the pages Allgemein, TextBox, Rechtschreibung,
// the font page, the colour page and Erklärung over the selected controls. Apply is enabled
// while a page has changes; OK applies and closes.
class EditPropertyDialog : public QDialog
{
    Q_OBJECT
public:
    explicit EditPropertyDialog(const PropertyPage::Controls &controls, QWidget *parent = nullptr);

    void setSelection(const PropertyPage::Controls &controls);
    QList<PropertyPage *> pages() const { return m_pages; }
    QTabWidget *tabs() const { return m_tabs; }
    QPushButton *applyButton() const { return m_apply; }
    void applyChanges();

private:
    void updateApply();

    QTabWidget *m_tabs;
    QPushButton *m_apply;
    QList<PropertyPage *> m_pages;
};

} // namespace inkora
