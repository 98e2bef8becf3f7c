#pragma once

#include "AutomationError.h"

#include <QVariant>

namespace comctl {

// The outcome of a late-bound get, put or invoke: a value, or an automation error.
struct DispatchResult
{
    QVariant value;
    AutomationError error;

    bool ok() const { return !error.isError(); }
    static DispatchResult success(const QVariant &value = {}) { return { value, {} }; }
    static DispatchResult failure(const AutomationError &error) { return { {}, error }; }
};

} // namespace comctl
