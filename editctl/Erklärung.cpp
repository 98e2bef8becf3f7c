#include "Erklärung.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace inkora {

QString Erklärung::explanation()
{
    const QStringList lines {
        QStringLiteral("Eingabe in Text -> Formatierung -> Ausgabe in Text"),
        QString(16, QLatin1Char(' ')) + QStringLiteral("-> Ausgabe Dezimalwert in Value"),
        QStringLiteral("Eingabe in Value 'Dezimalwert' -> Formatierung -> Ausgabe in Text"),
        QString(31, QLatin1Char(' ')) + QStringLiteral("-> Ausgabe Dezimalwert in Value"),
        QStringLiteral(
            "Auf alle Numerischen Eingaben werden die Wert bzw. Längengrenzen angewendet."),
        QStringLiteral("Die Eingaben verstehen sich in Dezimalwerten Kommazeichen ist ','."),
        QStringLiteral("Bei Texteingaben werden nur die Längengränzen überwacht wobei LängeVk die "
                       "Maxlänge des Strings angibt."),
        QStringLiteral("Soll eine Wertgrenze nicht überwacht werden so kann ein 'x' für belibig "
                       "eingegeben werden."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

Erklärung::Erklärung(QWidget *parent)
    : PropertyPage(QStringLiteral("Erklärung"), parent)
    , txtErklärung(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("Erklärung"));
    txtErklärung->setFont(QFont(QStringLiteral("Courier New")));
    txtErklärung->setPlainText(explanation());
    txtErklärung->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtErklärung->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtErklärung);
}

} // namespace inkora
