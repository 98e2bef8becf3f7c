#pragma once

#include "LocaleInfo.h"

namespace orvel {

// Reads LC_NUMERIC and LC_MONETARY of the process locale through localeconv() at each
// call, so a change of the locale takes effect at the next use.
class PosixLocaleInfo : public LocaleInfo
{
public:
    QString item(LocaleItem which) const override;

    // The process-wide instance the controls use unless a host injects another one.
    static const LocaleInfo &instance();
};

} // namespace orvel
