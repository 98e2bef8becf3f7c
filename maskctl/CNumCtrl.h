#pragma once

#include "CalculatorPopup.h"
#include "MaskEditBase.h"
#include "TallixValue.h"
#include "ToolTipModel.h"
#include "ToolTipWindow.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class QAbstractItemModel;

namespace orvel {

class AccessibleEdits;
class CalculatorDropDown;
class FieldBinding;
class SpinRepeater;
class StatusTextLink;
class ToolTipPoller;

// The Tallix numeric masked edit control. Properties, methods and events are reached late
// bound through the member table (names and dispatch ids of the interfaces _DNum and
// _DNumEvents); events are also emitted as the typed signals below, whose reference
// parameters a directly connected handler may change. Data binding, the calculator, the
// spin auto-repeat, the tooltip and the status text are private helpers of the control.
class CNumCtrl : public MaskEditBase
{
    Q_OBJECT
public:
    explicit CNumCtrl(QWidget *parent = nullptr);
    ~CNumCtrl() override;

    static const comctl::MemberTable &members();
    const comctl::MemberTable &memberTable() const override { return members(); }
    QString className() const override { return QStringLiteral("Tallix"); }
    QString progId() const override { return QStringLiteral("Zifra.Tallix.1"); }

    void initNew() override;
    QList<QWidget *> openPopups() const override;
    // "spin-up", "spin-down", "ellipsis", "dropdown" and, while the calculator is open,
    // "calc:" with a button's caption ("calc:7", "calc:sq", "calc:M+"), an ASCII name
    // ("calc:*", "calc:/", "calc:+-", "calc:MS" for "M!") or "calc:#" and its number.
    QWidget *partAt(const QString &name, QPoint *point) override;
    bool writeBoundData() override { return writeBoundValue(); }
    void loadProperties(const comctl::PropertyBag &bag) override;
    void saveProperties(comctl::PropertyBag &bag) const override;

    // The number engine reads the locale through this interface (default: POSIX locale).
    void setLocaleInfo(const LocaleInfo *locale);

    // --- value surface (the property functions throw comctl::AutomationError)
    QString text() const;
    void setText(const QString &text);
    QVariant value() const;
    void setValue(const QVariant &value);
    QString formatText() const;
    QString inputText() const { return engine().display(); }
    int dataType() const;
    void setDataType(int type);
    bool isEmpty() const { return engine().isEmpty(); }
    int validate();

    // --- editing methods
    void copy();
    void cut();
    void deleteSelection();
    void paste();
    void undo();
    // One spin step up or down in the data type; true when the value changed.
    bool spin(bool up);

    // --- data binding: a field (column named by DataField) of a model row
    void setDataSource(QAbstractItemModel *model);
    // The host moved to another row (or the row's values changed): read the field. A new
    // data source starts at its first row.
    void setCurrentRow(int row);
    // The host is about to leave or update the row: write a changed value back.
    bool writeBoundValue();
    bool dataChanged() const;

    // Moves the focus to the next control of the form by tab order (AutoTab, TabOnEnter).
    void moveToNextControl();
    // The lost-focus validation; sameForm: the focus stays in the control's window.
    void runLostFocus(bool sameForm);

    // --- drop-down calculator
    void openCalculator();
    bool calculatorOpen() const;
    // The calculator window, made on first use.
    CalculatorPopup *calculator();

    // Spin auto-repeat reads the time (ms; default: the host site's tick count) and the
    // left mouse button through these.
    void setTickSource(std::function<qint64()> source);
    void setLeftButtonSource(std::function<bool()> source);

    // --- status text: the host control named by StatusBarControlName (or StatusBarControl)
    QObject *statusObject() const;
    void updateStatusText(bool focused);

    // --- tooltip, polled every 100 ms once the control has been shown at run time
    void toolTipTick();
    ToolTipWindow *toolTipWindow() const;
    const ToolTipModel &toolTipModel() const;
    // Whether the pointer rests over the control (replaceable for tests).
    void setPointerSource(std::function<bool()> source);

    // --- assistive technology
    // Selects the shown text from anchor to caret, as a screen reader asks.
    void selectShown(int anchor, int caret);
    // Tells a screen reader what changed in text, caret, selection and value.
    void announceEdits();

Q_SIGNALS:
    void ToolTipEnd();
    void ToolTipBegin(qint16 &Cancel);
    void EllipsesClick();
    void AfterUpdate();
    void BeforeLostFocus(qint16 &Cancel);
    void Change();
    void StatusBarUpdate(qint16 Restore, QString &DisplayText, qint16 &Cancel);
    void InvalidChar(const QString &Char, qint16 Position);
    void DataRead(QVariant &NewValue, qint16 &DataChanged);
    void BeforeUpdate(QVariant &NewValue, qint16 &Cancel);
    void DataError(qint16 ErrorType, const QString &ErrorText);
    void SpinClick(qint32 Direction);
    void CloseUp();
    void DropDown();
    void OnValidate(const QString &Text, qint16 &Valid);
    void CalcBtnClick(qint16 CalcBtnType);
    void KeyDown(qint16 &KeyCode, qint16 Shift);
    void KeyPress(qint16 &KeyAscii);
    void KeyUp(qint16 &KeyCode, qint16 Shift);
    void Error(qint16 Number, QString &Description, qint32 Scode, const QString &Source,
               const QString &HelpFile, qint32 HelpContext, bool &CancelDisplay);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend struct CNumCtrlAccess;
    friend class CalculatorDropDown;
    friend class FieldBinding;
    friend class SpinRepeater;
    friend class StatusTextLink;
    friend class TallixAccessible;
    friend class ToolTipPoller;

    // Emits an event's typed signal, then raises it to automation with the same
    // arguments; nothing when a handler destroyed the control, else the arguments as the
    // automation handlers left them (by-reference ones may have changed).
    template<typename... Params, typename... Args>
    std::optional<QVariantList> fire(void (CNumCtrl::*signal)(Params...), const QString &name,
                                     Args &&...args)
    {
        QPointer<CNumCtrl> self(this);
        Q_EMIT(this->*signal)(args...);
        if (!self)
            return std::nullopt;
        QVariantList answers = raiseEvent(name, { QVariant::fromValue(args)... });
        if (!self)
            return std::nullopt;
        return answers;
    }

    bool stripButtonPressed(ButtonStrip::Part part) override;
    void stripButtonDown(ButtonStrip::Part part) override;
    void stripButtonClicked(ButtonStrip::Part part) override;
    void stripTouched() override;
    void pointerMoved() override;

    void setDefaults();
    // Sets a property by name as automation does (throws comctl::AutomationError).
    void setProp(const QString &name, const QVariant &value);
    void assignGeneric(const QString &name, const QVariant &value);
    // The side effects of a changed property, as its entry in the property table says.
    void applyChange(const QString &name);
    void syncEngine();
    void afterValueChange();
    void changeNotification();
    void applyText(const QString &text, bool raise);
    // The value side over the engine, the state and the data type as they are now.
    TallixValue valueRules() const;
    // The key-down of a key while the calculator is closed.
    void handleKey(QKeyEvent *event);
    void fireInvalidChar(const QString &ch, int position);
    void fireStockError(int number, const QString &description);
    bool sameFormActive() const;
    void refocusLater();
    void createPopups();

    std::unique_ptr<FieldBinding> m_binding;
    std::unique_ptr<CalculatorDropDown> m_calculator;
    std::unique_ptr<SpinRepeater> m_spinRepeat;
    std::unique_ptr<ToolTipPoller> m_toolTip;
    std::unique_ptr<StatusTextLink> m_status;
    std::unique_ptr<AccessibleEdits> m_accessible;
    QVariant m_tag;
    bool m_loading = false;
};

} // namespace orvel
