#pragma once

#include "comctl/AutomationError.h"

#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>

namespace comctl {
class ComControl;
}

// The property dialog of a control, opened without blocking so that a script can read and
// fill its fields the way a user does: a text field is cleared and typed into key by key
// (the page's key filters apply), a check box is clicked, a list entry chosen.
class PageDriver
{
public:
    ~PageDriver();

    bool isOpen() const { return m_dialog; }
    // Opens the dialog of control (closing one still open); the captions of its pages.
    comctl::AutomationError open(comctl::ComControl *control, QWidget *parent,
                                 QStringList *captions);
    // Clicks the dialog's button "apply", "ok" or "cancel"; ok and cancel close it.
    comctl::AutomationError press(const QString &button);
    void close();

    // FIELD or FIELD.PROPERTY (a Qt property of the field; "hscroll" and "vscroll" are the
    // scroll ranges of a text area, 0 when everything is in sight).
    comctl::AutomationError get(const QString &page, const QString &field, QVariant *value);
    comctl::AutomationError set(const QString &page, const QString &field, const QVariant &value,
                                const std::function<void(QWidget *, const QString &)> &type);

private:
    QWidget *findPage(const QString &name) const;
    comctl::AutomationError findField(const QString &page, const QString &field, QWidget **widget);

    QPointer<QWidget> m_dialog;
};
