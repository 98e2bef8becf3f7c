#include "PrinterDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace ertragon::report {

std::optional<int> QtPrinterDialog::ask(QPrinter &printer)
{
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    return copies;
}

} // namespace ertragon::report
