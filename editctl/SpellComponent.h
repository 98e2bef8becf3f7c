#pragma once

#include "SpellPrompt.h"

#include <QObject>
#include <QSet>
#include <QVariant>
#include <memory>

class Hunspell;
class QLineEdit;

namespace inkora {

// The spell-checker component inside the edit control (instance VSSpell1), over Hunspell.
// Members by dispatch id:
//   1 MainDictFile (path of the main dictionary, with or without ".dic"; empty: the installed
//     German dictionary de_DE, found in $DICPATH or Hunspell's usual folders),
//   7 CustomDictFile (a word list, one word a line; "add" appends),
//   42 IgnoreWithNumbers, 43 IgnoreInUpperCase, 44 IgnoreInMixedCase,
//   38 CheckMode (3: ask for every misspelt word), 64 ShowCompletion (message at the end;
//   false: none), 26 TargetWindow (window handle of the text box), 4 Action (1: check the
//   target text box now).
class SpellComponent : public QObject
{
    Q_OBJECT
public:
    enum Member {
        MainDictFile = 1,
        Action = 4,
        CustomDictFile = 7,
        TargetWindow = 26,
        CheckMode = 38,
        IgnoreWithNumbers = 42,
        IgnoreInUpperCase = 43,
        IgnoreInMixedCase = 44,
        ShowCompletion = 64,
    };

    static QString installedGermanDictionary();

    explicit SpellComponent(QObject *parent = nullptr);
    ~SpellComponent() override;

    // Late-bound member access; unknown ids throw automation error 438, a dictionary that
    // cannot be loaded when a check starts throws 53.
    QVariant member(int dispId) const;
    void setMember(int dispId, const QVariant &value);

    // Checks the text of a text box; returns false when the user cancelled.
    bool check(QLineEdit *textBox);
    bool isMisspelt(const QString &word);
    QStringList suggestions(const QString &word);

    // The prompt asked for misspelt words; nullptr: a SpellCheckDialog.
    void setPrompt(SpellPrompt *prompt) { m_prompt = prompt; }
    bool hasPrompt() const { return m_prompt != nullptr; }
    int checksStarted() const { return m_checksStarted; }

private:
    bool ensureDictionary();
    bool ignored(const QString &word) const;
    void addToCustom(const QString &word);
    QByteArray encode(const QString &word) const;
    QString decode(const std::string &text) const;

    QString m_mainDictFile;
    QString m_customDictFile;
    bool m_ignoreWithNumbers = false;
    bool m_ignoreInUpperCase = false;
    bool m_ignoreInMixedCase = false;
    qint32 m_checkMode = 0;
    bool m_showCompletion = true;
    qint32 m_targetWindow = 0;
    int m_checksStarted = 0;
    SpellPrompt *m_prompt = nullptr;
    std::unique_ptr<Hunspell> m_hunspell;
    QString m_loadedDictionary;
    QString m_installedDictionary; // looked for once, at the first check
    QString m_encoding;
    QSet<QString> m_ignoreAll;
};

} // namespace inkora
