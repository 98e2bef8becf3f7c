#pragma once

#include "EditState.h"

#include <QString>
#include <QVariant>

namespace inkora {

class DecimalNumber;
class EditEngineObserver;

// The widget-free heart of the edit control: the text, caret and selection of the inner text
// box, the keystroke filter, the change handling, the leave-field formatting, Value and the
// checked property setters. The control routes its inner text box's notifications here.
class EditEngine
{
public:
    enum Kind {
        Numerisch = 0,
        NHex = 1,
        AlphaNum = 2,
        AlphaNumGross = 3,
        NurText = 4,
        NurTextGross = 5
    };

    explicit EditEngine(EditEngineObserver *observer = nullptr);

    EditState &state() { return m_state; }
    const EditState &state() const { return m_state; }

    // Text box model.
    QString text() const { return m_text; }
    int cursorPosition() const { return m_cursor; }
    int selectionStart() const { return m_selStart; }
    int selectionLength() const { return m_selLength; }
    // The text box reports its caret and selection (before a key is handled).
    void setCursor(int cursor, int selectionStart = -1, int selectionLength = 0);
    // The text box's own edits (paste, delete): the change handling runs.
    void userEdited(const QString &text, int cursor);
    // A programmatic write of the text box's text: caret to the end; the change handling runs
    // when the text differs, as the text box only reports real changes.
    void writeText(const QString &text);
    // Maximum length of the text box (0: none); typing beyond it is refused silently.
    void setMaxLength(int maxLength) { m_maxLength = std::max(0, maxLength); }
    int maxLength() const { return m_maxLength; }

    // A key press with character code k: filter, Enter handling, KeyPress event; returns the key
    // the text box gets (0: swallowed).
    int keyPress(int code);
    // keyPress() and then what the text box does with the resulting key: insert the character
    // over the selection, or delete before the caret for backspace.
    void typeKey(int code);
    // The text box loses the focus (also Enter and a write of Text).
    void leaveField();

    // New instance: text := extender name, fields to their initial values.
    void initNew(const QString &extenderName);

    // A new input kind; the sign and percent flags are taken afresh from the text.
    void setTextArt(int kind);

    // Checked setters; refused values beep and keep the old value.
    void setTextProperty(const QString &text);
    void setValueProperty(const QVariant &value);
    void setMaxWert(const QVariant &value);
    void setMinWert(const QVariant &value);
    void setLengthVK(const QVariant &value); // LängeVK
    void setLengthNK(const QVariant &value); // LängeNK
    void setMinLength(const QVariant &value); // MinLänge
    void setKommaZeichenText(const QString &sign);
    void setKommaZeichenValue(const QString &sign);

    // Routines of the formatting, public for tests.
    QString checkChar(QChar c, bool bypass) const;
    QString filterText(const QString &text) const;
    QString cleanNumber(const QString &text, bool keepMinus, bool allowX) const;
    bool checkBound(QVariant &value, bool allowMinus, bool roundToWhole);
    QString applyLimits(const QString &text, bool checkValue, bool checkLength) const;
    QString formatDisplay(const QString &text) const;
    QString removeLeadingZeros(const QString &text) const;
    QVariant valueFromText(const QString &text) const;
    // The text of a variant as the control reads it: numbers with KommaZeichenText.
    QString textOf(const QVariant &value) const;

    // Longest MinLänge honoured (the padding must stay within a text box's reach).
    static constexpr int maximumMinLength = 32767;

private:
    void handleChange();
    void handleNumericSigns();
    void notifyWritten();
    void beep();
    QChar decimalSign() const;
    std::optional<DecimalNumber> numberOf(const QVariant &bound) const;
    std::optional<int> limitOf(const QVariant &limit) const;
    QString decimalTextOfHex(const QString &hex) const;
    QString insertAtCursor(const QString &insert) const;

    EditEngineObserver *m_observer;
    EditState m_state;
    QString m_text;
    int m_cursor = 0;
    int m_selStart = 0;
    int m_selLength = 0;
    int m_maxLength = 0;
};

} // namespace inkora
