#pragma once

#include <QString>
#include <QStringList>

namespace inkora {

// The question the spell checker asks for a misspelt word. The control uses a dialog; tests
// and unattended hosts answer without one.
class SpellPrompt
{
public:
    enum class Answer { Replace, Ignore, AddToCustom, Cancel };

    virtual ~SpellPrompt() = default;
    // replacement: preset to the first suggestion (or the word); the answer Replace uses it.
    virtual Answer ask(const QString &word, const QStringList &suggestions, QString *replacement)
        = 0;
};

} // namespace inkora
