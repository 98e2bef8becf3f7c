#pragma once

// The analysis tests' server: the access layer over a FakeStore whose commands
// must be known, logged in as company 1, with a prompter and a waiter that
// answer at once.

#include "FakeStore.h"
#include "Prompter.h"
#include "ServerAccess.h"
#include "Waiter.h"

#include <QList>
#include <QStringList>

namespace fake {

using Rows = FakeRows;
using Call = FakeQuery;

struct Message
{
    ertragon::Prompter::Icon icon;
    QString title;
    QString text;
};

class Prompter final : public ertragon::Prompter
{
public:
    Answer ask(Icon icon, const QString &title, const QString &text, Buttons buttons) override
    {
        messages << Message { icon, title, text };
        return buttons == Buttons::YesNo ? (yes ? Answer::Yes : Answer::No) : Answer::Ok;
    }
    QStringList texts() const
    {
        QStringList t;
        for (const Message &m : messages)
            t << m.text;
        return t;
    }
    QList<Message> messages;
    bool yes = false;
};

class Waiter final : public ertragon::Waiter
{
public:
    int waitHundredths(int) override { return 0; }
};

// A server access layer over the scripted store, logged in as company 1.
struct Server
{
    FakeStore store;
    Prompter prompter;
    Waiter waiter;
    ertragon::ServerAccess access { store.maker(), prompter, waiter };

    Server()
    {
        store.unknownCommandsFail = true;
        auto &c = access.context();
        c.firma = QStringLiteral("1");
        c.filiale = QStringLiteral("0");
        c.name = QStringLiteral("DEM");
        c.userDisplay = QStringLiteral("DEM|Demo Benutzer");
        c.rightsGroup = QStringLiteral("5");
    }
};

inline QString items(std::initializer_list<const char *> parts)
{
    QStringList l;
    for (const char *p : parts)
        l << QString::fromUtf8(p);
    return l.join(QChar(0xFF));
}

} // namespace fake
