#include "Erklärung.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
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
    txtErklärung->setObjectName(QStringLiteral("txtErklärung"));
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    txtErklärung->setFont(courier);
    txtErklärung->setPlainText(explanation());
    // The long sentences wrap at word boundaries, so nothing hides behind a horizontal
    // scroll bar; the field stays wide enough for the arrow lines to keep their alignment.
    txtErklärung->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtErklärung->setWordWrapMode(QTextOption::WordWrap);
    const QString arrows = explanation().split(QStringLiteral("\r\n")).value(2);
    const int margins = 2 * (txtErklärung->frameWidth() + 4)
        + int(2 * txtErklärung->document()->documentMargin());
    txtErklärung->setMinimumWidth(QFontMetrics(courier).horizontalAdvance(arrows) + margins
                                  + txtErklärung->verticalScrollBar()->sizeHint().width());
    txtErklärung->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtErklärung);
}

} // namespace inkora
