#include "ClassFactory.h"

#include "ComControl.h"

namespace comctl {

ClassFactory::ClassFactory(ClassRegistration registration, Creator creator)
    : m_registration(std::move(registration))
    , m_creator(std::move(creator))
{
}

ClassFactory::~ClassFactory() = default;

ComControl *ClassFactory::createInstance(QWidget *parent)
{
    ComControl *control = m_creator ? m_creator(parent) : nullptr;
    if (!control)
        return nullptr;
    ++m_liveObjects;
    QObject::connect(control, &QObject::destroyed, [this] { --m_liveObjects; });
    return control;
}

void ClassFactory::lockServer(bool lock)
{
    m_locks += lock ? 1 : (m_locks > 0 ? -1 : 0);
}

} // namespace comctl
