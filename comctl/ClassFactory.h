#pragma once

#include "ClassRegistration.h"

#include <functional>

class QWidget;

namespace comctl {

class ComControl;

// The class factory of one control class: creates a new instance per request and counts the
// live instances and server locks, so that the module can answer whether it may be unloaded.
class ClassFactory
{
public:
    using Creator = std::function<ComControl *(QWidget *parent)>;

    ClassFactory(ClassRegistration registration, Creator creator);
    virtual ~ClassFactory();

    const ClassRegistration &registration() const { return m_registration; }
    void setLibraryPath(const QString &path) { m_registration.libraryPath = path; }

    // A new, uninitialised instance; the host calls initNew() or loadProperties() next.
    virtual ComControl *createInstance(QWidget *parent);
    void lockServer(bool lock);

    int liveObjects() const { return m_liveObjects; }
    int locks() const { return m_locks; }

private:
    ClassRegistration m_registration;
    Creator m_creator;
    int m_liveObjects = 0;
    int m_locks = 0;
};

} // namespace comctl
