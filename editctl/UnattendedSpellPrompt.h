#pragma once

#include "SpellPrompt.h"

namespace inkora {

// The answer of a host without a user: replace with the first suggestion, or ignore the word
// when there is none.
class UnattendedSpellPrompt : public SpellPrompt
{
public:
    Answer ask(const QString &, const QStringList &suggestions, QString *replacement) override
    {
        if (suggestions.isEmpty())
            return Answer::Ignore;
        *replacement = suggestions.first();
        return Answer::Replace;
    }
};

} // namespace inkora
