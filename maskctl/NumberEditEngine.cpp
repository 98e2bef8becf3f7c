#include "NumberEditEngine.h"

#include "MaskFormatter.h"

namespace orvel {

namespace {

bool isSpace(QChar c)
{
    return c == u' ';
}

} // namespace

NumberEditEngine::NumberEditEngine(const LocaleInfo *locale)
    : m_locale(locale)
{
    assignValue(QString());
}

void NumberEditEngine::beep() const
{
    if (m_hooks.beep)
        m_hooks.beep();
}

// ---------------------------------------------------------------- value and texts

void NumberEditEngine::assignValue(const QString &value)
{
    m_maskError = false;
    const FormattedValue f = MaskFormatter::format(value, m_settings, effective());
    m_value = f.value;
    m_display = f.display;
    m_undoAvailable = false;
    m_changedByUser = false;
    refreshShown();
}

QString NumberEditEngine::textToValue(const QString &text) const
{
    const QString trimmed = text.trimmed();
    if (!m_settings.decimalChar.isEmpty()) {
        // A decimal character of the mask's own is turned into the point as well, so
        // that the value string stays canonical.
        return MaskFormatter::assignedTextToValue(trimmed, m_settings.decimalChar.left(1));
    }
    return MaskFormatter::assignedTextToValue(trimmed,
                                              localeDecimalSeparator(m_settings, *m_locale));
}

bool NumberEditEngine::isValidCandidate(const QString &candidate) const
{
    return MaskFormatter::isValidCandidate(candidate, m_settings, effective());
}

void NumberEditEngine::refreshShown()
{
    m_nullShown = m_runMode && m_display.isEmpty() && !m_focused && !m_nullText.isEmpty();
    QString chosen;
    if (m_nullShown)
        chosen = m_nullText;
    else if (m_focused)
        chosen = m_display;
    else
        chosen = m_hooks.formatText ? m_hooks.formatText() : m_display;
    m_replaced = chosen != m_shown;
    if (!m_replaced) {
        m_shownValue = m_value;
        return;
    }
    if (m_changedByUser && m_focused) {
        m_undoText = m_shown;
        m_undoValue = m_shownValue;
        m_undoCaret = m_caret;
        m_undoAvailable = true;
        m_changedByUser = false;
    }
    m_shown = chosen;
    m_shownValue = m_value;
    m_caret = m_anchor = 0;
}

// ---------------------------------------------------------------- positions

int NumberEditEngine::valuePos(int displayPos) const
{
    return MaskFormatter::displayToValue(m_shown, displayPos, effective(), isNegative());
}

int NumberEditEngine::displayPos(int valuePos) const
{
    return MaskFormatter::valueToDisplay(m_shown, valuePos, effective(), isNegative());
}

// The selection as a range of the value string. The sign belongs to it when the
// selection begins before the first digit of a negative value.
void NumberEditEngine::selectionInValue(int *from, int *to) const
{
    *from = valuePos(selectionStart());
    *to = valuePos(selectionEnd());
    if (isNegative() && *to > *from && *from == 1) {
        const EffectiveMask m = effective();
        int first = 0;
        while (first < m_shown.size() && m.isLiteral(m_shown.at(first)))
            ++first;
        if (selectionStart() < first)
            *from = 0;
    }
}

QString NumberEditEngine::selectedText() const
{
    return m_shown.mid(selectionStart(), selectionEnd() - selectionStart());
}

int NumberEditEngine::nextDigit(int position) const
{
    int p = position;
    while (p < m_shown.size() && !EffectiveMask::isNativeDigit(m_shown.at(p)))
        ++p;
    return p < m_shown.size() ? p : position;
}

void NumberEditEngine::setSelection(int anchor, int caret)
{
    const int n = int(m_shown.size());
    m_anchor = qBound(0, anchor, n);
    m_caret = qBound(0, caret, n);
}

void NumberEditEngine::setSelStart(int start)
{
    const int p = qBound(0, start, int(m_shown.size()));
    m_anchor = m_caret = p;
}

void NumberEditEngine::setSelLength(int length, bool alignedRight)
{
    const int from = m_caret;
    const int to = from + qMax(0, length);
    if (to > m_shown.size()) {
        const int collapsed = alignedRight ? int(m_shown.size()) : 0;
        m_anchor = m_caret = collapsed;
        return;
    }
    m_anchor = from;
    m_caret = to;
}

// ---------------------------------------------------------------- edits

bool NumberEditEngine::refuseChar(QChar ch, int position)
{
    if (m_hooks.invalidChar)
        m_hooks.invalidChar(QString(ch), position);
    beep();
    return false;
}

// The accepted candidate becomes the value; the caret keeps `rightCount` value
// characters to its right, which survives lead zeros removed or added by the pass.
void NumberEditEngine::accept(const QString &candidate, int rightCount, bool skipToDigit)
{
    m_maskError = false;
    const FormattedValue f = MaskFormatter::format(candidate, m_settings, effective());
    m_value = f.value;
    m_display = f.display;
    refreshShown();
    if (m_hooks.changed)
        m_hooks.changed();
    const int v = qMax(0, int(m_value.size()) - rightCount);
    int p = displayPos(v);
    if (skipToDigit)
        p = nextDigit(p);
    m_anchor = m_caret = p;
}

bool NumberEditEngine::maybeAutoTab(int valuePosition)
{
    if (!m_autoTab || valuePosition < m_value.size())
        return false;
    const int places = effective().decimalPlaces;
    const qsizetype point = m_value.indexOf(u'.');
    const int decimals = point < 0 ? 0 : int(m_value.size() - point - 1);
    const int whole = m_settings.wholePlaces;
    const bool full = (whole >= 0 && places <= 0 && m_value.size() >= whole)
        || (places > 0 && decimals >= places);
    if (full && m_hooks.autoTab)
        m_hooks.autoTab();
    return full;
}

bool NumberEditEngine::typeChar(QChar ch)
{
    if (m_suppressChar) {
        m_suppressChar = false;
        return false;
    }
    if (ch.unicode() <= 27)
        return false;
    const int P = selectionStart();
    const EffectiveMask m = effective();
    const QChar dec = m.decimalCharacter();
    const bool isDecimal = !dec.isNull() && ch == dec;
    const bool isDigit = EffectiveMask::isNativeDigit(ch);
    if (!m_editable || !(isDigit || isDecimal || ch == u'-'))
        return refuseChar(ch, P);

    if (isDecimal) {
        const qsizetype at = m_shown.indexOf(dec, m_caret);
        if (at >= 0) {
            int p = int(at) + 1;
            while (p < m_shown.size() && !EffectiveMask::isNativeDigit(m_shown.at(p)))
                ++p;
            m_anchor = m_caret = p;
            return true;
        }
    }
    if (ch == u'-') {
        QString candidate;
        if (isNegative())
            candidate = m_value.mid(1);
        else if (m_settings.allowNegative)
            candidate = u'-' + m_value;
        else
            return refuseChar(ch, P);
        const int keep = m_caret;
        const int keepAnchor = m_anchor;
        accept(candidate, 0, false);
        setSelection(keepAnchor, keep);
        return true;
    }
    if (hasSelection()) {
        if (!insertText(QString(ch))) {
            beep();
            return refuseChar(ch, P);
        }
        maybeAutoTab(valuePos(m_caret));
        return true;
    }

    const int pos = m_insertMode ? P : nextDigit(P);
    int V = valuePos(pos);
    QString candidate = m_value;
    const QChar vc = isDecimal ? QChar(u'.') : ch;
    const int sign = isNegative() ? 1 : 0;
    const qsizetype point = candidate.indexOf(u'.');
    const QString whole = candidate.mid(sign, point < 0 ? -1 : point - sign);
    const bool onLoneZero
        = isDigit && !m_settings.allowLeadZeros && whole == u"0" && (V == sign || V == sign + 1);
    if (onLoneZero) {
        V = sign;
        candidate[V] = vc;
    } else if (!m_insertMode) {
        if (V < candidate.size())
            candidate[V] = vc;
        else
            candidate.append(vc);
    } else {
        candidate.insert(V, vc);
        if (point >= 0 && V > point) {
            const int places = qMax(0, m.decimalPlaces);
            candidate = candidate.left(point + 1 + places);
        }
    }
    if (!isValidCandidate(candidate)) {
        beep();
        return refuseChar(ch, P);
    }
    accept(candidate, qMax(0, int(candidate.size()) - (V + 1)), !m_insertMode);
    maybeAutoTab(valuePos(m_caret));
    return true;
}

bool NumberEditEngine::deleteRange(int from, int to, bool stripLeadZeros)
{
    QString candidate = m_value;
    candidate.remove(from, to - from);
    const int sign = candidate.startsWith(u'-') ? 1 : 0;
    if (stripLeadZeros && from <= sign && !m_settings.allowLeadZeros) {
        while (candidate.size() > sign + 1 && candidate.at(sign) == u'0'
               && candidate.at(sign + 1) != u'.')
            candidate.remove(sign, 1);
    }
    if (!isValidCandidate(candidate)) {
        beep();
        return false;
    }
    accept(candidate, int(m_value.size()) - to, false);
    return true;
}

bool NumberEditEngine::backspace()
{
    if (!m_editable) {
        beep();
        return false;
    }
    if (hasSelection()) {
        int from = 0, to = 0;
        selectionInValue(&from, &to);
        if (from < to)
            return deleteRange(from, to, true);
    }
    int i = qMin(valuePos(m_caret), int(m_value.size())) - 1;
    while (i >= 0 && m_value.at(i) == u'.')
        --i;
    if (i < 0) {
        beep();
        return false;
    }
    return deleteRange(i, i + 1, true);
}

bool NumberEditEngine::deleteKey()
{
    if (!m_editable) {
        beep();
        return false;
    }
    int from = valuePos(m_caret), to = from + 1;
    if (hasSelection())
        selectionInValue(&from, &to);
    if (from >= m_value.size() || from >= to) {
        beep();
        return false;
    }
    return deleteRange(from, qMin(to, int(m_value.size())), true);
}

QString NumberEditEngine::copyText() const
{
    if (!hasSelection())
        return {};
    if (m_clipLiterals)
        return selectedText();
    int from = 0, to = 0;
    selectionInValue(&from, &to);
    return m_value.mid(from, to - from);
}

bool NumberEditEngine::cut(QString *copied)
{
    if (!m_editable) {
        beep();
        return false;
    }
    if (!hasSelection())
        return false;
    if (copied)
        *copied = copyText();
    m_changedByUser = true;
    int from = 0, to = 0;
    selectionInValue(&from, &to);
    return deleteRange(from, to, true);
}

bool NumberEditEngine::paste(const QString &clipboardText)
{
    if (!m_editable) {
        beep();
        return false;
    }
    const EffectiveMask m = effective();
    QString kept;
    for (const QChar c : clipboardText) {
        if (!m.isLiteral(c))
            kept.append(c);
    }
    m_changedByUser = true;
    return insertText(kept);
}

bool NumberEditEngine::insertText(const QString &text)
{
    const QChar dec = effective().decimalCharacter();
    QString normalized;
    for (const QChar c : text) {
        if (EffectiveMask::isNativeDigit(c) || c == u'-')
            normalized.append(c);
        else if (!dec.isNull() && c == dec)
            normalized.append(u'.');
        else
            return false;
    }
    int from = valuePos(m_caret), to = from;
    if (hasSelection())
        selectionInValue(&from, &to);
    from = qMin(from, int(m_value.size()));
    to = qBound(from, to, int(m_value.size()));
    const QString candidate = m_value.left(from) + normalized + m_value.mid(to);
    if (!isValidCandidate(candidate))
        return false;
    const int right = int(m_value.size()) - to;
    accept(candidate, right, false);
    return true;
}

bool NumberEditEngine::undo()
{
    if (!m_editable) {
        beep();
        return false;
    }
    if (!m_undoAvailable)
        return false;
    const QString value = m_undoValue;
    const int caret = m_undoCaret;
    m_changedByUser = true;
    m_maskError = false;
    const FormattedValue f = MaskFormatter::format(value, m_settings, effective());
    m_value = f.value;
    m_display = f.display;
    refreshShown();
    if (m_hooks.changed)
        m_hooks.changed();
    m_anchor = m_caret = qBound(0, caret, int(m_shown.size()));
    return true;
}

// ---------------------------------------------------------------- navigation

void NumberEditEngine::moveCaret(int position, bool shift)
{
    const int p = qBound(0, position, int(m_shown.size()));
    m_changedByUser = true;
    m_caret = p;
    if (!shift)
        m_anchor = p;
}

NumberEditEngine::KeyCommand NumberEditEngine::processKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Backspace:
        backspace();
        return KeyCommand::None;
    case Qt::Key_Delete:
        deleteKey();
        return KeyCommand::None;
    case Qt::Key_Escape:
        return KeyCommand::Revert;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (!(modifiers & Qt::KeypadModifier))
            return KeyCommand::None;
        return key == Qt::Key_Plus ? KeyCommand::SpinUp : KeyCommand::SpinDown;
    case Qt::Key_F4:
        return KeyCommand::Calculator;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyCommand::NextControl;
    case Qt::Key_Home:
        home(shift);
        return KeyCommand::None;
    case Qt::Key_End:
        end(shift);
        return KeyCommand::None;
    case Qt::Key_Left:
    case Qt::Key_Up:
        left(shift, ctrl);
        return KeyCommand::None;
    case Qt::Key_Right:
    case Qt::Key_Down:
        right(shift, ctrl);
        return KeyCommand::None;
    case Qt::Key_Insert:
        return KeyCommand::ToggleInsert;
    default:
        break;
    }
    if (!ctrl)
        return KeyCommand::None;
    switch (key) {
    case Qt::Key_C:
        return KeyCommand::Copy;
    case Qt::Key_X:
        return KeyCommand::Cut;
    case Qt::Key_V:
        return KeyCommand::Paste;
    case Qt::Key_Z:
        return KeyCommand::Undo;
    default:
        return KeyCommand::None;
    }
}

void NumberEditEngine::home(bool shift)
{
    moveCaret(0, shift);
}

void NumberEditEngine::end(bool shift)
{
    moveCaret(int(m_shown.size()), shift);
}

void NumberEditEngine::left(bool shift, bool word)
{
    int p = m_caret;
    if (word) {
        while (p > 0 && isSpace(m_shown.at(p - 1)))
            --p;
        while (p > 0 && !isSpace(m_shown.at(p - 1)))
            --p;
    } else if (p > 0) {
        --p;
    }
    moveCaret(p, shift);
}

void NumberEditEngine::right(bool shift, bool word)
{
    int p = m_caret;
    const int n = int(m_shown.size());
    if (word) {
        while (p < n && !isSpace(m_shown.at(p)))
            ++p;
        while (p < n && isSpace(m_shown.at(p)))
            ++p;
    } else if (p < n) {
        ++p;
    }
    moveCaret(p, shift);
}

void NumberEditEngine::placeCaret(int position, bool shift)
{
    const int p = qBound(0, position, int(m_shown.size()));
    m_caret = p;
    if (!shift)
        m_anchor = p;
}

void NumberEditEngine::selectWordAt(int position)
{
    const int n = int(m_shown.size());
    int from = qBound(0, position, n);
    while (from > 0 && !isSpace(m_shown.at(from - 1)))
        --from;
    int to = from;
    while (to < n && !isSpace(m_shown.at(to)))
        ++to;
    while (to < n && isSpace(m_shown.at(to)))
        ++to;
    m_anchor = from;
    m_caret = to;
}

// ---------------------------------------------------------------- focus

void NumberEditEngine::focusIn()
{
    m_focused = true;
    m_changedByUser = false;
    refreshShown();
    if (m_autoSelect) {
        m_anchor = 0;
        m_caret = int(m_shown.size());
    } else if (m_savedCaret >= 0) {
        setSelection(m_savedAnchor, m_savedCaret);
    }
    m_undoText = m_shown;
    m_undoValue = m_value;
    m_undoCaret = m_caret;
    m_undoAvailable = true;
}

void NumberEditEngine::focusOut()
{
    m_savedAnchor = m_anchor;
    m_savedCaret = m_caret;
    m_focused = false;
    m_changedByUser = false;
    refreshShown();
}

} // namespace orvel
