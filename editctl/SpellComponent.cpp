#include "SpellComponent.h"

#include "InkoraLog.h"
#include "SpellCheckDialog.h"
#include "WindowHandles.h"
#include "comctl/AutomationError.h"
#include "comctl/Variants.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextStream>
#include <hunspell/hunspell.hxx>

namespace inkora {

using comctl::AutomationError;
using comctl::Variants;

namespace {

constexpr int checkNow = 1;

QString basePath(const QString &path)
{
    if (path.endsWith(QLatin1String(".dic")) || path.endsWith(QLatin1String(".aff")))
        return path.left(path.size() - 4);
    return path;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('\'');
}

} // namespace

QString SpellComponent::installedGermanDictionary()
{
    // Where Hunspell's own tools look: the folders of $DICPATH, then the hunspell folders
    // of the data directories (~/.local/share, /usr/local/share, /usr/share), then myspell's.
    QStringList folders
        = qEnvironmentVariable("DICPATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders
        += QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                     QStringLiteral("hunspell"), QStandardPaths::LocateDirectory);
    folders += { QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/share/myspell"),
                 QStringLiteral("/usr/share/myspell/dicts") };
    for (const QString &folder : std::as_const(folders)) {
        const QString base = folder + QStringLiteral("/de_DE");
        if (QFileInfo::exists(base + QStringLiteral(".aff"))
            && QFileInfo::exists(base + QStringLiteral(".dic")))
            return base;
    }
    qCWarning(inkoraLog).noquote()
        << "kein deutsches Wörterbuch (de_DE) in:" << folders.join(QLatin1Char(':'));
    return QStringLiteral("/usr/share/hunspell/de_DE");
}

SpellComponent::SpellComponent(QObject *parent)
    : QObject(parent)
{
}

SpellComponent::~SpellComponent() = default;

QVariant SpellComponent::member(int dispId) const
{
    switch (dispId) {
    case MainDictFile:
        return m_mainDictFile;
    case CustomDictFile:
        return m_customDictFile;
    case IgnoreWithNumbers:
        return m_ignoreWithNumbers;
    case IgnoreInUpperCase:
        return m_ignoreInUpperCase;
    case IgnoreInMixedCase:
        return m_ignoreInMixedCase;
    case CheckMode:
        return m_checkMode;
    case ShowCompletion:
        return m_showCompletion;
    case TargetWindow:
        return m_targetWindow;
    case Action:
        return 0;
    default:
        throw AutomationError(AutomationError::ObjectDoesntSupportMember);
    }
}

void SpellComponent::setMember(int dispId, const QVariant &value)
{
    switch (dispId) {
    case MainDictFile:
        m_mainDictFile = Variants::toString(value);
        break;
    case CustomDictFile:
        m_customDictFile = Variants::toString(value);
        break;
    case IgnoreWithNumbers:
        m_ignoreWithNumbers = Variants::toBool(value);
        break;
    case IgnoreInUpperCase:
        m_ignoreInUpperCase = Variants::toBool(value);
        break;
    case IgnoreInMixedCase:
        m_ignoreInMixedCase = Variants::toBool(value);
        break;
    case CheckMode:
        m_checkMode = Variants::toInt32(value);
        break;
    case ShowCompletion:
        m_showCompletion = Variants::toBool(value);
        break;
    case TargetWindow:
        m_targetWindow = Variants::toInt32(value);
        break;
    case Action:
        if (Variants::toInt32(value) == checkNow)
            check(qobject_cast<QLineEdit *>(WindowHandles::widget(m_targetWindow)));
        break;
    default:
        throw AutomationError(AutomationError::ObjectDoesntSupportMember);
    }
}

bool SpellComponent::ensureDictionary()
{
    if (m_mainDictFile.isEmpty() && m_installedDictionary.isEmpty())
        m_installedDictionary = installedGermanDictionary();
    const QString base
        = basePath(m_mainDictFile.isEmpty() ? m_installedDictionary : m_mainDictFile);
    if (m_hunspell && m_loadedDictionary == base + QLatin1Char('|') + m_customDictFile)
        return true;
    const QString aff = base + QStringLiteral(".aff");
    const QString dic = base + QStringLiteral(".dic");
    if (!QFileInfo::exists(aff) || !QFileInfo::exists(dic))
        return false;
    m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                            QFile::encodeName(dic).constData());
    m_encoding = QString::fromStdString(m_hunspell->get_dict_encoding());
    qCInfo(inkoraLog).noquote() << "Wörterbuch:" << dic;
    m_loadedDictionary = base + QLatin1Char('|') + m_customDictFile;
    QFile custom(m_customDictFile);
    if (!m_customDictFile.isEmpty() && custom.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&custom);
        while (!in.atEnd()) {
            const QString word = in.readLine().trimmed();
            if (!word.isEmpty())
                m_hunspell->add(encode(word).toStdString());
        }
    }
    return true;
}

QByteArray SpellComponent::encode(const QString &word) const
{
    QStringEncoder encoder(m_encoding.toLatin1().constData());
    return encoder.isValid() ? QByteArray(encoder(word)) : word.toUtf8();
}

QString SpellComponent::decode(const std::string &text) const
{
    QStringDecoder decoder(m_encoding.toLatin1().constData());
    const QByteArray bytes = QByteArray::fromStdString(text);
    return decoder.isValid() ? QString(decoder(bytes)) : QString::fromUtf8(bytes);
}

bool SpellComponent::ignored(const QString &word) const
{
    bool hasDigit = false, hasLower = false, mixed = false;
    for (QChar c : word) {
        hasDigit = hasDigit || c.isDigit();
        if (c.isUpper() && hasLower)
            mixed = true;
        hasLower = hasLower || c.isLower();
    }
    if (m_ignoreWithNumbers && hasDigit)
        return true;
    if (m_ignoreInUpperCase && !hasLower && word.size() > 1)
        return true;
    if (m_ignoreInMixedCase && mixed)
        return true;
    return m_ignoreAll.contains(word);
}

bool SpellComponent::isMisspelt(const QString &word)
{
    if (!ensureDictionary())
        throw AutomationError(AutomationError::FileNotFound);
    if (ignored(word))
        return false;
    bool onlyDigits = true;
    for (QChar c : word)
        onlyDigits = onlyDigits && !c.isLetter();
    return !onlyDigits && !m_hunspell->spell(encode(word).toStdString());
}

QStringList SpellComponent::suggestions(const QString &word)
{
    if (!ensureDictionary())
        throw AutomationError(AutomationError::FileNotFound);
    QStringList result;
    for (const std::string &s : m_hunspell->suggest(encode(word).toStdString()))
        result << decode(s);
    return result;
}

void SpellComponent::addToCustom(const QString &word)
{
    m_hunspell->add(encode(word).toStdString());
    if (m_customDictFile.isEmpty())
        return;
    QFile custom(m_customDictFile);
    if (custom.open(QIODevice::Append | QIODevice::Text))
        custom.write((word + QLatin1Char('\n')).toUtf8());
}

bool SpellComponent::check(QLineEdit *textBox)
{
    ++m_checksStarted;
    if (!textBox)
        return true;
    if (!ensureDictionary())
        throw AutomationError(AutomationError::FileNotFound);
    m_ignoreAll.clear();
    SpellCheckDialog dialog(textBox);
    SpellPrompt *prompt = m_prompt ? m_prompt : &dialog;
    qsizetype position = 0;
    while (position < textBox->text().size()) {
        const QString text = textBox->text();
        while (position < text.size() && !isWordCharacter(text[position]))
            ++position;
        qsizetype end = position;
        while (end < text.size() && isWordCharacter(text[end]))
            ++end;
        const QString word = text.mid(position, end - position);
        if (word.isEmpty() || !isMisspelt(word)) {
            position = end;
            continue;
        }
        const QStringList offered = suggestions(word);
        QString replacement = offered.value(0, word);
        switch (prompt->ask(word, offered, &replacement)) {
        case SpellPrompt::Answer::Replace: {
            QString changed = text;
            changed.replace(position, word.size(), replacement);
            textBox->setText(changed); // a change of the text like any other
            position += replacement.size();
            break;
        }
        case SpellPrompt::Answer::Ignore:
            m_ignoreAll.insert(word);
            position = end;
            break;
        case SpellPrompt::Answer::AddToCustom:
            addToCustom(word);
            position = end;
            break;
        case SpellPrompt::Answer::Cancel:
            return false;
        }
    }
    return true;
}

} // namespace inkora
