#include "PageSetupDialog.h"

#include <QPageSetupDialog>

namespace ertragon::report {

bool QtPageSetupDialog::ask(QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace ertragon::report
