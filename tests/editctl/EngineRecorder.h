#pragma once

#include "editctl/EditEngine.h"
#include "editctl/EditEngineObserver.h"

#include <QStringList>

// Records what the engine reports, and drives it from a compact key script:
// '\r' Enter, '\b' Backspace, '\x01' leave the field, '\x02' caret one to the left.
class EngineRecorder : public inkora::EditEngineObserver
{
public:
    inkora::EditEngine engine { this };
    int beeps = 0;
    int changes = 0;
    int spellChecks = 0;
    QList<int> keyPresses;
    int replaceKeyWith = -1;

    void beep() override { ++beeps; }
    void changeRaised() override { ++changes; }
    void keyPressRaised(int &key) override
    {
        keyPresses << key;
        if (replaceKeyWith >= 0)
            key = replaceKeyWith;
    }
    void spellCheckRequested() override { ++spellChecks; }
    void textWritten() override { }

    void run(const QString &keys)
    {
        for (QChar c : keys) {
            if (c == QChar(1))
                engine.leaveField();
            else if (c == QChar(2))
                engine.setCursor(engine.cursorPosition() - 1);
            else
                engine.typeKey(c.unicode());
        }
    }

    // "TextArt=0;MaxWert=100" written straight into the state (as loading does); "Typed=5%"
    // types keys, "Kind=1" changes the kind through the property's setter.
    void configure(const QString &settings)
    {
        auto &s = engine.state();
        for (const QString &pair : settings.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString key = pair.section(QLatin1Char('='), 0, 0);
            const QString value = pair.section(QLatin1Char('='), 1);
            if (key == "TextArt")
                s.textArt = value.toInt();
            else if (key == "TextUmlaut")
                s.textUmlaut = value.toInt();
            else if (key == "MaxWert")
                s.maxWert = value;
            else if (key == "MinWert")
                s.minWert = value;
            else if (key == "LängeVK")
                s.lengthVK = value;
            else if (key == "LängeNK")
                s.lengthNK = value;
            else if (key == "MinLänge")
                s.minLength = value.toInt();
            else if (key == "Leer")
                s.leerzeichenErlaubt = value == "1";
            else if (key == "Prozent")
                s.prozentWertErlaubt = value == "1";
            else if (key == "Tausender")
                s.tausenderTrennzeichen = value == "1";
            else if (key == "Nullen")
                s.deleteLeadingZeros = value == "1";
            else if (key == "KText")
                s.kommaZeichenText = value;
            else if (key == "KValue")
                s.kommaZeichenValue = value;
            else if (key == "Auto")
                s.autoSpellCheck = value == "1";
            else if (key == "Typed")
                run(value);
            else if (key == "Kind")
                engine.setTextArt(value.toInt());
        }
    }
};
