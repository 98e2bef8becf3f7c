#include "SpellCheckDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace inkora {

SpellCheckDialog::SpellCheckDialog(QWidget *parent)
    : QDialog(parent)
    , m_word(new QLabel(this))
    , m_suggestions(new QListWidget(this))
    , m_replacement(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Rechtschreibung"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Nicht im Wörterbuch:"), this), 0, 0);
    layout->addWidget(m_word, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Ändern in:"), this), 1, 0);
    layout->addWidget(m_replacement, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Vorschläge:"), this), 2, 0);
    layout->addWidget(m_suggestions, 2, 1, 4, 1);
    const struct
    {
        const char *caption;
        Answer answer;
    } buttons[] = { { "&Ersetzen", Answer::Replace },
                    { "&Ignorieren", Answer::Ignore },
                    { "&Hinzufügen", Answer::AddToCustom },
                    { "Abbrechen", Answer::Cancel } };
    int row = 0;
    for (const auto &button : buttons) {
        auto *push = new QPushButton(QString::fromUtf8(button.caption), this);
        layout->addWidget(push, row++, 2);
        const Answer answer = button.answer;
        connect(push, &QPushButton::clicked, this, [this, answer] { finishWith(answer); });
    }
    connect(m_suggestions, &QListWidget::currentTextChanged, m_replacement, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this,
            [this] { finishWith(Answer::Replace); });
}

void SpellCheckDialog::finishWith(Answer answer)
{
    m_answer = answer;
    accept();
}

SpellPrompt::Answer SpellCheckDialog::ask(const QString &word, const QStringList &suggestions,
                                          QString *replacement)
{
    m_word->setText(word);
    m_suggestions->clear();
    m_suggestions->addItems(suggestions);
    m_replacement->setText(*replacement);
    m_answer = Answer::Cancel;
    if (exec() != QDialog::Accepted)
        return Answer::Cancel;
    *replacement = m_replacement->text();
    return m_answer;
}

} // namespace inkora
