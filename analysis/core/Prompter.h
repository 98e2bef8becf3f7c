#pragma once

#include <QString>

namespace ertragon {

// Every message box and question of the program goes through one prompter,
// so tests answer them without a screen.
class Prompter
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~Prompter() = default;
    virtual Answer ask(Icon icon, const QString &title, const QString &text, Buttons buttons) = 0;

    void inform(Icon icon, const QString &title, const QString &text)
    {
        ask(icon, title, text, Buttons::Ok);
    }
    bool confirm(const QString &title, const QString &text)
    {
        return ask(Icon::Question, title, text, Buttons::YesNo) == Answer::Yes;
    }
};

} // namespace ertragon
