#pragma once

#include <optional>

class QPrinter;
class QWidget;

namespace ertragon::report {

// Asks the user for the printer and the number of copies.
class PrinterDialog
{
public:
    virtual ~PrinterDialog() = default;
    // The number of copies chosen, or nothing when the user cancelled.
    virtual std::optional<int> ask(QPrinter &printer) = 0;
};

// The platform's printer dialog (QPrintDialog). The copies are printed one
// document at a time, so the printer itself is set to one copy.
class QtPrinterDialog final : public PrinterDialog
{
public:
    explicit QtPrinterDialog(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    std::optional<int> ask(QPrinter &printer) override;

private:
    QWidget *m_parent;
};

} // namespace ertragon::report
