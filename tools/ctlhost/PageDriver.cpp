#include "PageDriver.h"

#include "comctl/ComControl.h"
#include "comctl/Variants.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>

using comctl::AutomationError;

namespace {

const AutomationError noDialog(91,
                               QStringLiteral("Object variable or With block variable not set"));

AutomationError unknown()
{
    return AutomationError(AutomationError::ObjectDoesntSupportMember);
}

} // namespace

PageDriver::~PageDriver()
{
    delete m_dialog.data(); // with the form that goes as well: nobody to hand the activation
}

AutomationError PageDriver::open(comctl::ComControl *control, QWidget *parent,
                                 QStringList *captions)
{
    close();
    m_dialog = control->createPropertyDialog(parent);
    if (!m_dialog)
        return unknown();
    m_dialog->show();
    QApplication::processEvents();
    captions->clear();
    if (const auto *tabs = m_dialog->findChild<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            captions->append(tabs->tabText(i).remove(u'&'));
    }
    return {};
}

AutomationError PageDriver::press(const QString &button)
{
    if (!m_dialog)
        return noDialog;
    const auto *box = m_dialog->findChild<QDialogButtonBox *>();
    const QDialogButtonBox::StandardButton which = button == u"apply" ? QDialogButtonBox::Apply
        : button == u"ok"                                             ? QDialogButtonBox::Ok
        : button == u"cancel"                                         ? QDialogButtonBox::Cancel
                                                                      : QDialogButtonBox::NoButton;
    QPushButton *pushButton
        = box && which != QDialogButtonBox::NoButton ? box->button(which) : nullptr;
    if (!pushButton)
        return AutomationError(5, QStringLiteral("Invalid procedure call or argument"));
    if (pushButton->isEnabled())
        pushButton->click();
    QApplication::processEvents();
    if (which != QDialogButtonBox::Apply)
        close();
    return {};
}

void PageDriver::close()
{
    if (!m_dialog)
        return;
    QWidget *form = m_dialog->parentWidget() ? m_dialog->parentWidget()->window() : nullptr;
    delete m_dialog.data();
    // As the window system does when a dialog goes: its form is the active window again.
    if (form && form->isVisible()) {
        form->activateWindow();
        QApplication::processEvents();
    }
}

QWidget *PageDriver::findPage(const QString &name) const
{
    auto *tabs = m_dialog->findChild<QTabWidget *>();
    if (!tabs)
        return m_dialog;
    for (int i = 0; i < tabs->count(); ++i) {
        QWidget *page = tabs->widget(i);
        if (page->objectName() == name || tabs->tabText(i).remove(u'&') == name) {
            tabs->setCurrentIndex(i); // the user looks at the page he works on
            return page;
        }
    }
    return nullptr;
}

AutomationError PageDriver::findField(const QString &page, const QString &field, QWidget **widget)
{
    if (!m_dialog)
        return noDialog;
    QWidget *pageWidget = findPage(page);
    *widget = pageWidget ? pageWidget->findChild<QWidget *>(field) : nullptr;
    return *widget ? AutomationError() : unknown();
}

AutomationError PageDriver::get(const QString &page, const QString &field, QVariant *value)
{
    const qsizetype dot = field.indexOf(u'.');
    QWidget *widget = nullptr;
    if (const AutomationError error = findField(page, field.left(dot), &widget); error.isError())
        return error;
    QApplication::processEvents(); // a page just brought to the front lays itself out
    if (dot >= 0) {
        const QString property = field.mid(dot + 1);
        auto *area = qobject_cast<QAbstractScrollArea *>(widget);
        if (area && property == u"hscroll")
            *value = area->horizontalScrollBar()->maximum();
        else if (area && property == u"vscroll")
            *value = area->verticalScrollBar()->maximum();
        else
            *value = widget->property(property.toUtf8().constData());
        return value->isValid() ? AutomationError() : unknown();
    }
    if (auto *line = qobject_cast<QLineEdit *>(widget))
        *value = line->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        *value = button->isChecked() ? 1 : 0;
    else if (auto *combo = qobject_cast<QComboBox *>(widget))
        *value = combo->currentText();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget))
        *value = plain->toPlainText();
    else if (auto *rich = qobject_cast<QTextEdit *>(widget))
        *value = rich->toPlainText();
    else if (auto *spin = qobject_cast<QSpinBox *>(widget))
        *value = spin->value();
    else if (auto *label = qobject_cast<QLabel *>(widget))
        *value = label->text();
    else
        return unknown();
    return {};
}

AutomationError PageDriver::set(const QString &page, const QString &field, const QVariant &value,
                                const std::function<void(QWidget *, const QString &)> &type)
{
    QWidget *widget = nullptr;
    if (const AutomationError error = findField(page, field, &widget); error.isError())
        return error;
    try {
        if (auto *line = qobject_cast<QLineEdit *>(widget)) {
            line->setFocus(Qt::OtherFocusReason);
            line->clear();
            type(line, comctl::Variants::toString(value));
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            if (button->isChecked() != comctl::Variants::toBool(value))
                button->click();
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            const int index = value.typeId() == QMetaType::QString
                ? combo->findText(value.toString())
                : comctl::Variants::toInt32(value);
            if (index < 0 || index >= combo->count())
                return AutomationError(AutomationError::InvalidPropertyValue);
            combo->setCurrentIndex(index);
        } else if (auto *plain = qobject_cast<QPlainTextEdit *>(widget)) {
            plain->setPlainText(comctl::Variants::toString(value));
        } else if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
            spin->setValue(comctl::Variants::toInt32(value));
        } else {
            return unknown();
        }
    } catch (const AutomationError &error) {
        return error;
    }
    QApplication::processEvents();
    return {};
}
