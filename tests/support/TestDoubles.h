#pragma once

#include "Prompter.h"
#include "Waiter.h"

#include <QList>
#include <QStringList>
#include <functional>

// Records every box and answers from a queue (Yes when it runs dry).
class FakePrompter final : public ertragon::Prompter
{
public:
    struct Box
    {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
    };

    Answer ask(Icon icon, const QString &title, const QString &text, Buttons buttons) override
    {
        boxes.append({ icon, title, text, buttons });
        if (onAsk)
            onAsk(boxes.constLast());
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
    }

    QStringList titles() const
    {
        QStringList result;
        for (const Box &box : boxes)
            result.append(box.title);
        return result;
    }

    QList<Box> boxes;
    QList<Answer> answers;
    std::function<void(const Box &)> onAsk;
};

// Returns at once; counts what it was asked to wait.
class FakeWaiter final : public ertragon::Waiter
{
public:
    int waitHundredths(int n) override
    {
        ++waits;
        hundredths += n;
        if (onWait)
            onWait();
        return n / 100;
    }

    int waits = 0;
    int hundredths = 0;
    std::function<void()> onWait;
};
