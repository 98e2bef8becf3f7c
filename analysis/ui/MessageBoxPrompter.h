#pragma once

#include "Prompter.h"

class QWidget;

namespace ertragon {

// Asks with a QMessageBox, owned by the active window.
class MessageBoxPrompter final : public Prompter
{
public:
    explicit MessageBoxPrompter(QWidget *parent = nullptr);

    Answer ask(Icon icon, const QString &title, const QString &text, Buttons buttons) override;

private:
    QWidget *m_parent;
};

} // namespace ertragon
