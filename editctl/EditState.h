#pragma once

#include <QString>
#include <QVariant>

namespace inkora {

// The per-instance fields of the edit control, written straight by loading and through the
// checked setters of EditEngine otherwise. "x" in the bounds and lengths means no limit.
struct EditState
{
    static QString defaultSpecialCharacters();

    qint32 textArt = 2;
    qint32 textUmlaut = 0;
    QVariant maxWert = QStringLiteral("x");
    QVariant minWert = QStringLiteral("x");
    QVariant lengthVK = QStringLiteral("x"); // LängeVK
    QVariant lengthNK = QStringLiteral("x"); // LängeNK
    bool leerzeichenErlaubt = true;
    QString kommaZeichenText = QStringLiteral(",");
    QString kommaZeichenValue = QStringLiteral(",");
    bool prozentWertErlaubt = true;
    bool deleteLeadingZeros = false; // FührendeNullenLöschen
    qint32 minLength = 0; // MinLänge
    QString erlaubteSonderzeichen = defaultSpecialCharacters();
    QVariant value = QString();
    bool tausenderTrennzeichen = false;
    qint32 hWnd = 0;
    bool autoSpellCheck = false;
    bool fontTransparent = false;
    bool minusPresent = false;
    bool percentPresent = false;
};

} // namespace inkora
