#pragma once

#include "SpellPrompt.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;

namespace inkora {

// The small dialog shown for a misspelt word: the word, Hunspell's suggestions, a field for the
// replacement, and the buttons replace, ignore, add to the custom dictionary and cancel.
class SpellCheckDialog : public QDialog, public SpellPrompt
{
    Q_OBJECT
public:
    explicit SpellCheckDialog(QWidget *parent = nullptr);

    Answer ask(const QString &word, const QStringList &suggestions, QString *replacement) override;

private:
    void finishWith(Answer answer);

    QLabel *m_word;
    QListWidget *m_suggestions;
    QLineEdit *m_replacement;
    Answer m_answer = Answer::Cancel;
};

} // namespace inkora
