#pragma once

#include "EffectiveMask.h"
#include "LocaleInfo.h"
#include "MaskSettings.h"

#include <QString>
#include <Qt>
#include <functional>

namespace orvel {

// The widget-free core of the numeric masked edit: value string, display and shown text,
// caret and selection, keystroke rules, clipboard slices and undo. The widget paints what
// it holds and routes keys, mouse and focus to it; the control reacts to its hooks.
class NumberEditEngine
{
public:
    struct Hooks
    {
        std::function<void()> beep;
        std::function<void(const QString &ch, int position)> invalidChar;
        std::function<void()> changed; // the change notification
        std::function<void()> autoTab; // the mask is full: move to the next control
        std::function<QString()> formatText; // the unfocused text when not null
    };

    explicit NumberEditEngine(const LocaleInfo *locale);

    void setLocale(const LocaleInfo *locale) { m_locale = locale; }
    const LocaleInfo &locale() const { return *m_locale; }
    Hooks &hooks() { return m_hooks; }

    MaskSettings &settings() { return m_settings; }
    const MaskSettings &settings() const { return m_settings; }
    EffectiveMask effective() const { return EffectiveMask::resolve(m_settings, *m_locale); }

    // --- value and texts
    const QString &value() const { return m_value; }
    const QString &display() const { return m_display; }
    const QString &shown() const { return m_shown; }
    bool isNegative() const { return m_value.startsWith(u'-'); }
    bool isEmpty() const { return m_nullShown || m_shown.isEmpty(); }
    bool nullShown() const { return m_nullShown; }
    bool textReplaced() const { return m_replaced; }
    bool maskError() const { return m_maskError; }
    void setMaskError(bool on) { m_maskError = on; }

    // Programmatic value change: formatting pass, shown text, undo unavailable. No change
    // notification; the caller runs it when it should.
    void assignValue(const QString &value);
    // Mask settings changed: the same with the current value.
    void reformat() { assignValue(m_value); }
    // Assigned text to value string (the locale's decimal separator becomes ".").
    QString textToValue(const QString &text) const;
    bool isValidCandidate(const QString &candidate) const;
    // Rebuilds the shown text from focus, null text and the formatted text.
    void refreshShown();

    // --- state set by the control
    bool focused() const { return m_focused; }
    void setRunMode(bool run) { m_runMode = run; }
    void setNullText(const QString &text) { m_nullText = text; }
    void setEditable(bool editable) { m_editable = editable; }
    bool editable() const { return m_editable; }
    bool insertMode() const { return m_insertMode; }
    void setInsertMode(bool on) { m_insertMode = on; }
    void setClipLiterals(bool on) { m_clipLiterals = on; }
    void setAutoTab(bool on) { m_autoTab = on; }
    void setAutoSelect(bool on) { m_autoSelect = on; }
    void suppressNextChar() { m_suppressChar = true; }

    // --- caret and selection (indexes into the shown text)
    int caret() const { return m_caret; }
    int anchor() const { return m_anchor; }
    int selectionStart() const { return qMin(m_anchor, m_caret); }
    int selectionEnd() const { return qMax(m_anchor, m_caret); }
    bool hasSelection() const { return m_anchor != m_caret; }
    QString selectedText() const;
    void setSelection(int anchor, int caret);
    void setSelStart(int start);
    void setSelLength(int length, bool alignedRight);

    // --- edits; each returns whether it was accepted
    bool typeChar(QChar ch);
    bool backspace();
    bool deleteKey();
    QString copyText() const;
    bool cut(QString *copied);
    bool paste(const QString &clipboardText);
    bool insertText(const QString &text);
    bool undo();
    bool undoAvailable() const { return m_undoAvailable; }
    const QString &undoText() const { return m_undoText; }

    // --- navigation
    void home(bool shift);
    void end(bool shift);
    void left(bool shift, bool word);
    void right(bool shift, bool word);
    void placeCaret(int position, bool shift);
    void selectWordAt(int position);

    // --- keys
    // What a key asks of the control beyond editing and moving the caret.
    enum class KeyCommand {
        None,
        Revert, // Escape: the bound field's value again
        SpinUp, // + and - of the keypad
        SpinDown,
        Calculator, // F4
        NextControl, // Enter
        ToggleInsert, // Insert
        Copy, // Ctrl+C, X, V, Z
        Cut,
        Paste,
        Undo,
    };
    // The key-down of a key: edits and caret moves are done here; what else the key asks
    // of the control comes back, for the control to do as its settings allow.
    KeyCommand processKey(int key, Qt::KeyboardModifiers modifiers);

    // --- focus
    void focusIn();
    void focusOut();

private:
    void beep() const;
    bool refuseChar(QChar ch, int position);
    void accept(const QString &candidate, int rightCount, bool skipToDigit);
    bool deleteRange(int from, int to, bool stripLeadZeros);
    int valuePos(int displayPos) const;
    int displayPos(int valuePos) const;
    void selectionInValue(int *from, int *to) const;
    void moveCaret(int position, bool shift);
    int nextDigit(int position) const;
    bool maybeAutoTab(int valuePosition);

    const LocaleInfo *m_locale;
    Hooks m_hooks;
    MaskSettings m_settings;
    QString m_value, m_display, m_shown, m_nullText;
    int m_caret = 0, m_anchor = 0;
    int m_savedAnchor = -1, m_savedCaret = -1;
    bool m_focused = false, m_runMode = false, m_editable = true, m_insertMode = true;
    bool m_clipLiterals = false, m_autoTab = false, m_autoSelect = false;
    bool m_nullShown = false, m_replaced = false, m_maskError = false;
    bool m_suppressChar = false, m_changedByUser = false;
    QString m_shownValue; // the value string the shown text was made from
    QString m_undoText, m_undoValue;
    int m_undoCaret = 0;
    bool m_undoAvailable = false;
};

} // namespace orvel
