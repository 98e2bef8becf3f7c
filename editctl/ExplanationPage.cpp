#include "ExplanationPage.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace inkora {

QString ExplanationPage::explanation()
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

ExplanationPage::ExplanationPage(QWidget *parent)
    : PropertyPage(QStringLiteral("Erklärung"), parent)
    , txtExplanation(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("Erklärung"));
    txtExplanation->setObjectName(QStringLiteral("txtErklärung"));
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    txtExplanation->setFont(courier);
    txtExplanation->setPlainText(explanation());
    // The long sentences wrap at word boundaries, so nothing hides behind a horizontal
    // scroll bar; the field stays wide enough for the arrow lines to keep their alignment.
    txtExplanation->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtExplanation->setWordWrapMode(QTextOption::WordWrap);
    const QString arrows = explanation().split(QStringLiteral("\r\n")).value(2);
    const int margins = 2 * (txtExplanation->frameWidth() + 4)
        + int(2 * txtExplanation->document()->documentMargin());
    txtExplanation->setMinimumWidth(QFontMetrics(courier).horizontalAdvance(arrows) + margins
                                    + txtExplanation->verticalScrollBar()->sizeHint().width());
    txtExplanation->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtExplanation);
}

} // namespace inkora
