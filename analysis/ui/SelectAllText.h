#pragma once

class QLineEdit;

namespace ertragon::TextHelpers {

// Selects the whole text of the field and focuses it unless noFocus is set.
void SelectAllText(QLineEdit *field, bool noFocus = false);

} // namespace ertragon::TextHelpers
