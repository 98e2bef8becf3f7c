#pragma once

#include <QIcon>

namespace ertragon {

// The program's icon: the scalable icon that is installed into the hicolor theme, built
// into the program as well, so that its windows carry it wherever it runs from.
class ProgramIcon
{
public:
    static QIcon icon();
};

} // namespace ertragon
