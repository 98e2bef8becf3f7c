#pragma once

#include <QObject>

namespace ertragon {

// The wait cursor while something the windows show is busy (the server, the
// analysis). Each instance restores only the cursor it set, when it is done or goes.
class BusyCursor : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~BusyCursor() override;

    void setBusy(bool busy);

private:
    bool m_set = false;
};

} // namespace ertragon
