#pragma once

#include "EditEngine.h"
#include "EditEngineObserver.h"
#include "InkoraIds.h"
#include "comctl/ComControl.h"

class QLineEdit;

namespace inkora {

class SpellComponent;

// The Edit control of the type library Inkolib: a single-line text box (objText) with input
// kinds, limits, number formatting, umlaut conversion and spell checking (VSSpell1). The
// widget routes objText's keys, changes and focus loss to its EditEngine and raises the
// control's events; every property, method and event is reached through the member table.
class Edit : public comctl::ComControl, private EditEngineObserver
{
    Q_OBJECT
public:
    static constexpr const char *progIdText = EditProgId;
    static constexpr const char *classIdText = EditClsid;
    static constexpr quint32 systemWindowText = 0x80000008u;
    static constexpr quint32 systemWindow = 0x80000005u;

    explicit Edit(QWidget *parent = nullptr);
    ~Edit() override;

    const comctl::MemberTable &memberTable() const override;
    QString className() const override { return QStringLiteral("Edit"); }
    QString progId() const override { return QString::fromLatin1(progIdText); }
    void initNew() override;
    void loadProperties(const comctl::PropertyBag &bag) override;
    void saveProperties(comctl::PropertyBag &bag) const override;
    QWidget *createPropertyDialog(QWidget *parent) override;
    QList<QWidget *> openPopups() const override;

    EditEngine &engine() { return m_engine; }
    const EditEngine &engine() const { return m_engine; }
    QLineEdit *objText() const { return m_objText; }
    SpellComponent *spellComponent() const { return m_spell; }

    // Runs the spell check of objText (members 38, 64, 26, 4 of VSSpell1).
    void spellCheck();

    // Appearance forwarded to objText.
    quint32 foreColor() const { return m_foreColor; }
    quint32 backColor() const { return m_backColor; }
    void setForeColor(quint32 color);
    void setBackColor(quint32 color);
    int alignmentText() const;
    void setAlignmentText(int alignment);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void beep() override;
    void changeRaised() override;
    void keyPressRaised(int &keyAscii) override;
    void spellCheckRequested() override;
    void textWritten() override;

    void syncFromEngine();
    void onObjTextChanged(const QString &text);
    bool handleKeyPress(QKeyEvent *event);
    void raiseMouseEvent(const QString &name, QMouseEvent *event);
    void applyColors();

    EditEngine m_engine;
    QLineEdit *m_objText;
    SpellComponent *m_spell;
    quint32 m_foreColor = systemWindowText;
    quint32 m_backColor = systemWindow;
    bool m_syncing = false;
    bool m_leaving = false;
    bool m_doubleClicked = false; // the next release ends a double click: no Click
};

} // namespace inkora
