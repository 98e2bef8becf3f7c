#pragma once

class QPrinter;
class QWidget;

namespace ertragon::report {

// Asks the user for the printer's page: paper, orientation and margins.
class PageSetupDialog
{
public:
    virtual ~PageSetupDialog() = default;
    // True when the user accepted; the printer then holds the chosen page.
    virtual bool ask(QPrinter &printer) = 0;
};

// The platform's page and printer set-up (QPageSetupDialog).
class QtPageSetupDialog final : public PageSetupDialog
{
public:
    explicit QtPageSetupDialog(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    bool ask(QPrinter &printer) override;

private:
    QWidget *m_parent;
};

} // namespace ertragon::report
