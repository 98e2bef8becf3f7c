#include "Edit.h"

#include "EditPersistence_p.h"
#include "EditPropertyDialog.h"
#include "SpellComponent.h"
#include "UnattendedSpellPrompt.h"
#include "WindowHandles.h"
#include "comctl/AutomationError.h"
#include "comctl/HostSite.h"
#include "comctl/KeyCodes.h"
#include "comctl/OleColor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopeGuard>
#include <utility>

namespace inkora {

using comctl::AutomationError;
using comctl::OleColor;

namespace {

constexpr int spellCheckMode = 3;
constexpr int spellCheckNow = 1;

short mouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

} // namespace

Edit::Edit(QWidget *parent)
    : ComControl(parent)
    , m_engine(this)
    , m_objText(new QLineEdit(this))
    , m_spell(new SpellComponent(this))
{
    m_objText->setObjectName(QStringLiteral("objText"));
    m_spell->setObjectName(QStringLiteral("VSSpell1"));
    m_objText->installEventFilter(this);
    m_objText->setGeometry(rect());
    setFocusProxy(m_objText);
    connect(m_objText, &QLineEdit::textChanged, this, &Edit::onObjTextChanged);
    applyColors();
    resize(100, 20);
}

Edit::~Edit()
{
    // objText may lose the focus while it is destroyed; the control is gone by then.
    m_objText->removeEventFilter(this);
    disconnect(m_objText, nullptr, this, nullptr);
}

void Edit::initNew()
{
    m_objText->setEnabled(true);
    m_objText->setFont(site()->ambientFont());
    m_engine.initNew(extenderName());
    m_foreColor = systemWindowText;
    applyColors();
    syncFromEngine();
}

void Edit::loadProperties(const comctl::PropertyBag &bag)
{
    EditPersistence::load(*this, bag);
    syncFromEngine();
}

void Edit::saveProperties(comctl::PropertyBag &bag) const
{
    EditPersistence::save(*this, bag);
}

QWidget *Edit::createPropertyDialog(QWidget *parent)
{
    return new EditPropertyDialog({ this }, parent);
}

QList<QWidget *> Edit::openPopups() const
{
    QList<QWidget *> popups;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->parentWidget() && isAncestorOf(widget->parentWidget()))
            popups << widget;
    }
    return popups;
}

// ---- engine observer ---------------------------------------------------------------------

void Edit::beep()
{
    ComControl::beep();
}

void Edit::changeRaised()
{
    raiseEvent(QStringLiteral("Change"));
}

void Edit::keyPressRaised(int &keyAscii)
{
    const QVariantList args = raiseEvent(QStringLiteral("KeyPress"), { qint16(keyAscii) });
    bool ok = false;
    const int changed = args.value(0).toInt(&ok);
    if (ok)
        keyAscii = changed;
}

void Edit::spellCheckRequested()
{
    spellCheck();
}

void Edit::textWritten()
{
    syncFromEngine();
}

void Edit::spellCheck()
{
    // A host without a user takes the first suggestion for every misspelt word.
    UnattendedSpellPrompt unattended;
    const bool useUnattended = site()->unattended() && !m_spell->hasPrompt();
    if (useUnattended)
        m_spell->setPrompt(&unattended);
    const auto restore = qScopeGuard([&] {
        if (useUnattended)
            m_spell->setPrompt(nullptr);
    });
    m_spell->setMember(SpellComponent::CheckMode, spellCheckMode);
    m_spell->setMember(SpellComponent::ShowCompletion, false);
    m_spell->setMember(SpellComponent::TargetWindow, WindowHandles::handleOf(m_objText));
    m_spell->setMember(SpellComponent::Action, spellCheckNow);
}

// ---- objText -----------------------------------------------------------------------------

void Edit::syncFromEngine()
{
    m_syncing = true;
    if (m_objText->text() != m_engine.text())
        m_objText->setText(m_engine.text());
    if (m_engine.selectionLength() > 0)
        m_objText->setSelection(m_engine.selectionStart(), m_engine.selectionLength());
    else
        m_objText->setCursorPosition(m_engine.cursorPosition());
    m_syncing = false;
}

void Edit::onObjTextChanged(const QString &text)
{
    if (m_syncing || text == m_engine.text())
        return;
    m_engine.userEdited(text, m_objText->cursorPosition());
    syncFromEngine();
}

bool Edit::handleKeyPress(QKeyEvent *event)
{
    raiseEvent(
        QStringLiteral("KeyDown"),
        { comctl::KeyCodes::virtualKey(event), comctl::KeyCodes::shiftState(event->modifiers()) });
    const int code = comctl::KeyCodes::character(event);
    if (code == 0)
        return false;
    const bool hasSelection = m_objText->hasSelectedText();
    m_engine.setCursor(m_objText->cursorPosition(), hasSelection ? m_objText->selectionStart() : -1,
                       hasSelection ? int(m_objText->selectedText().size()) : 0);
    m_engine.setMaxLength(m_objText->maxLength() == 32767 ? 0 : m_objText->maxLength());
    try {
        m_engine.typeKey(code);
    } catch (const AutomationError &) {
        ComControl::beep(); // a failing automatic spell check must not end the event loop
    }
    syncFromEngine();
    return true;
}

void Edit::raiseMouseEvent(const QString &name, QMouseEvent *event)
{
    const comctl::HostSite *host = site();
    const double twipsPerPixel = host->twipsPerPixel();
    const QPointF position = event->position();
    raiseEvent(name,
               { mouseButton(event->button()), comctl::KeyCodes::shiftState(event->modifiers()),
                 float(host->twipsToContainer(position.x() * twipsPerPixel)),
                 float(host->twipsToContainer(position.y() * twipsPerPixel)) });
}

bool Edit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_objText)
        return ComControl::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKeyPress(static_cast<QKeyEvent *>(event));
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        raiseEvent(
            QStringLiteral("KeyUp"),
            { comctl::KeyCodes::virtualKey(key), comctl::KeyCodes::shiftState(key->modifiers()) });
        break;
    }
    case QEvent::FocusOut:
        if (!m_leaving) {
            m_leaving = true;
            try {
                m_engine.leaveField();
            } catch (const AutomationError &) {
                ComControl::beep();
            }
            m_leaving = false;
            syncFromEngine();
        }
        break;
    case QEvent::MouseButtonPress:
        raiseMouseEvent(QStringLiteral("MouseDown"), static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonRelease:
        raiseMouseEvent(QStringLiteral("MouseUp"), static_cast<QMouseEvent *>(event));
        if (!std::exchange(m_doubleClicked, false))
            raiseEvent(QStringLiteral("Click"));
        break;
    case QEvent::MouseButtonDblClick:
        m_doubleClicked = true;
        raiseEvent(QStringLiteral("DblClick"));
        break;
    default:
        break;
    }
    return ComControl::eventFilter(watched, event);
}

void Edit::resizeEvent(QResizeEvent *event)
{
    ComControl::resizeEvent(event);
    m_objText->setGeometry(0, 0, width(), height());
}

// ---- appearance --------------------------------------------------------------------------

void Edit::applyColors()
{
    QPalette palette = m_objText->palette();
    palette.setColor(QPalette::Text, OleColor::toQColor(m_foreColor, QApplication::palette()));
    palette.setColor(QPalette::Base, OleColor::toQColor(m_backColor, QApplication::palette()));
    m_objText->setPalette(palette);
}

void Edit::setForeColor(quint32 color)
{
    m_foreColor = color;
    applyColors();
}

void Edit::setBackColor(quint32 color)
{
    m_backColor = color;
    applyColors();
}

int Edit::alignmentText() const
{
    const Qt::Alignment alignment = m_objText->alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignRight)
        return 1;
    if (alignment & Qt::AlignHCenter)
        return 2;
    return 0;
}

void Edit::setAlignmentText(int alignment)
{
    static const Qt::Alignment alignments[] = { Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter };
    if (alignment < 0 || alignment > 2)
        throw AutomationError(AutomationError::InvalidPropertyValue);
    m_objText->setAlignment(alignments[alignment] | Qt::AlignVCenter);
}

} // namespace inkora
