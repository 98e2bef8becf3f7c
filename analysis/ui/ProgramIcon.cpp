#include "ProgramIcon.h"

namespace ertragon {

QIcon ProgramIcon::icon()
{
    return QIcon(QStringLiteral(":/icons/ertragon.svg"));
}

} // namespace ertragon
