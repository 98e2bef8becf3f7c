#include "SelectAllText.h"

#include <QLineEdit>

namespace ertragon::TextHelpers {

void SelectAllText(QLineEdit *field, bool noFocus)
{
    if (!field)
        return;
    field->setSelection(0, int(field->text().size()));
    if (!noFocus)
        field->setFocus();
}

} // namespace ertragon::TextHelpers
