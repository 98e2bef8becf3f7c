#include "Edit.h"
#include "EditPersistence_p.h"
#include "SpellComponent.h"
#include "comctl/AutomationError.h"
#include "comctl/HostSite.h"
#include "comctl/PropertyBag.h"
#include "comctl/Variants.h"

#include <QLineEdit>

namespace inkora {

using comctl::AutomationError;
using comctl::PropertyBag;
using comctl::Variants;

namespace {

const QString defaultFontName = QStringLiteral("MS Sans Serif");
constexpr float defaultFontSize = 8.0f;

template<typename Convert>
auto readAs(const PropertyBag &bag, const QString &name, const QVariant &fallback, Convert convert)
    -> decltype(convert(fallback))
{
    try {
        return convert(bag.read(name, fallback));
    } catch (const AutomationError &) {
        return convert(fallback);
    }
}

qint32 readInt(const PropertyBag &bag, const QString &name, const QVariant &fallback)
{
    return readAs(bag, name, fallback, &Variants::toInt32);
}

bool readBool(const PropertyBag &bag, const QString &name, bool fallback)
{
    return readAs(bag, name, fallback, &Variants::toBool);
}

QString readString(const PropertyBag &bag, const QString &name, const QString &fallback)
{
    return readAs(bag, name, fallback, &Variants::toString);
}

quint32 readColor(const PropertyBag &bag, const QString &name, quint32 fallback)
{
    return readAs(bag, name, qint64(fallback), &Variants::toColor);
}

// A variant as stored; objects and other foreign types fall back to the default.
QVariant readVariant(const PropertyBag &bag, const QString &name, const QVariant &fallback)
{
    const QVariant value = bag.read(name, fallback);
    if (value.typeId() == QMetaType::QString || Variants::isNumeric(value)
        || value.typeId() == QMetaType::Bool || Variants::isEmpty(value) || Variants::isNull(value))
        return value;
    return fallback;
}

} // namespace

void EditPersistence::load(Edit &edit, const PropertyBag &bag)
{
    EditState &s = edit.engine().state();
    SpellComponent *spell = edit.spellComponent();
    QLineEdit *text = edit.objText();
    const QString x = QStringLiteral("x");

    s.hWnd = readInt(bag, QStringLiteral("hWnd"), 0);
    s.textArt = readInt(bag, QStringLiteral("TextArt"), 2);
    s.textUmlaut = readInt(bag, QStringLiteral("TextUmlaut"), 0);
    s.maxWert = readVariant(bag, QStringLiteral("MaxWert"), x);
    s.minWert = readVariant(bag, QStringLiteral("MinWert"), x);
    s.lengthVK = readVariant(bag, QStringLiteral("LängeVK"), x);
    s.lengthNK = readVariant(bag, QStringLiteral("LängeNK"), x);
    s.leerzeichenErlaubt = readBool(bag, QStringLiteral("LeerzeichenErlaubt"), true);
    s.kommaZeichenText = readString(bag, QStringLiteral("KommaZeichenText"), QStringLiteral(","));
    s.kommaZeichenValue = readString(bag, QStringLiteral("KommaZeichenValue"), QStringLiteral(","));
    s.prozentWertErlaubt = readBool(bag, QStringLiteral("ProzentWertErlaubt"), true);
    s.deleteLeadingZeros = readBool(bag, QStringLiteral("FührendeNullenLöschen"), false);
    s.minLength = std::clamp(readInt(bag, QStringLiteral("MinLänge"), QStringLiteral("0")), 0,
                             EditEngine::maximumMinLength);
    s.erlaubteSonderzeichen = readString(bag, QStringLiteral("ErlaubteSonderzeichen"),
                                         EditState::defaultSpecialCharacters());
    s.value = readVariant(bag, QStringLiteral("Value"), QString());
    s.tausenderTrennzeichen = readBool(bag, QStringLiteral("TausenderTrennzeichen"), false);
    // The text comes after the kind, bounds, signs and Value: the change handling recomputes
    // Value from it.
    edit.engine().writeText(readString(bag, QStringLiteral("Text"), edit.extenderName()));
    text->setEnabled(readBool(bag, QStringLiteral("Enabled"), true));
    const QVariant font = bag.read(QStringLiteral("Font"));
    text->setFont(font.typeId() == QMetaType::QFont ? font.value<QFont>()
                                                    : edit.site()->ambientFont());
    edit.setForeColor(readColor(bag, QStringLiteral("ForeColor"), Edit::systemWindowText));
    spell->setMember(SpellComponent::IgnoreInMixedCase,
                     readBool(bag, QStringLiteral("IgnoreInMixedCase"), false));
    spell->setMember(SpellComponent::IgnoreInUpperCase,
                     readBool(bag, QStringLiteral("IgnoreInUpperCase"), false));
    spell->setMember(SpellComponent::IgnoreWithNumbers,
                     readBool(bag, QStringLiteral("IgnoreWithNumbers"), false));
    spell->setMember(SpellComponent::MainDictFile,
                     readString(bag, QStringLiteral("MainDictFile"), QString()));
    const int maxLength = std::clamp(readInt(bag, QStringLiteral("MaxLänge"), 0), 0, 32767);
    text->setMaxLength(maxLength == 0 ? 32767 : maxLength);
    spell->setMember(SpellComponent::CustomDictFile,
                     readString(bag, QStringLiteral("CustomDictFile"), QString()));
    s.autoSpellCheck = readBool(bag, QStringLiteral("AutoSpellCheck"), false);
    QFont f = text->font();
    f.setBold(readBool(bag, QStringLiteral("FontBold"), false));
    f.setItalic(readBool(bag, QStringLiteral("FontItalic"), false));
    f.setFamily(readString(bag, QStringLiteral("FontName"), defaultFontName));
    const double size
        = readAs(bag, QStringLiteral("FontSize"), defaultFontSize, &Variants::toDouble);
    f.setPointSizeF(size > 0 && size < 2048 ? size : defaultFontSize);
    f.setStrikeOut(readBool(bag, QStringLiteral("FontStrikethru"), false));
    s.fontTransparent = readBool(bag, QStringLiteral("FontTransparent"), false);
    f.setUnderline(readBool(bag, QStringLiteral("FontUnderline"), false));
    text->setFont(f);
    edit.setBackColor(readColor(bag, QStringLiteral("BackColor"), Edit::systemWindow));
    const int alignment = readInt(bag, QStringLiteral("AlignmentText"), 0);
    edit.setAlignmentText(alignment >= 0 && alignment <= 2 ? alignment : 0);
}

void EditPersistence::save(const Edit &edit, PropertyBag &bag)
{
    const EditState &s = edit.engine().state();
    const SpellComponent *spell = edit.spellComponent();
    const QLineEdit *text = edit.objText();
    const QFont font = text->font();
    const QString x = QStringLiteral("x");

    bag.write(QStringLiteral("Text"), text->text(), edit.extenderName());
    bag.write(QStringLiteral("hWnd"), s.hWnd, 0);
    bag.write(QStringLiteral("TextArt"), s.textArt, 2);
    bag.write(QStringLiteral("TextUmlaut"), s.textUmlaut, 0);
    bag.write(QStringLiteral("MaxWert"), s.maxWert, x);
    bag.write(QStringLiteral("MinWert"), s.minWert, x);
    bag.write(QStringLiteral("LängeVK"), s.lengthVK, x);
    bag.write(QStringLiteral("LängeNK"), s.lengthNK, x);
    bag.write(QStringLiteral("LeerzeichenErlaubt"), s.leerzeichenErlaubt, true);
    bag.write(QStringLiteral("KommaZeichenText"), s.kommaZeichenText, QStringLiteral(","));
    bag.write(QStringLiteral("KommaZeichenValue"), s.kommaZeichenValue, QStringLiteral(","));
    bag.write(QStringLiteral("ProzentWertErlaubt"), s.prozentWertErlaubt, true);
    bag.write(QStringLiteral("FührendeNullenLöschen"), s.deleteLeadingZeros, false);
    bag.write(QStringLiteral("MinLänge"), s.minLength, QStringLiteral("0"));
    bag.write(QStringLiteral("ErlaubteSonderzeichen"), s.erlaubteSonderzeichen,
              EditState::defaultSpecialCharacters());
    bag.write(QStringLiteral("Value"), s.value, QString());
    bag.write(QStringLiteral("TausenderTrennzeichen"), s.tausenderTrennzeichen, false);
    bag.write(QStringLiteral("Enabled"), text->isEnabled(), true);
    bag.write(QStringLiteral("Font"), font, edit.site()->ambientFont());
    bag.write(QStringLiteral("ForeColor"), qint64(edit.foreColor()),
              qint64(Edit::systemWindowText));
    bag.write(QStringLiteral("IgnoreInMixedCase"), spell->member(SpellComponent::IgnoreInMixedCase),
              false);
    bag.write(QStringLiteral("IgnoreInUpperCase"), spell->member(SpellComponent::IgnoreInUpperCase),
              false);
    bag.write(QStringLiteral("IgnoreWithNumbers"), spell->member(SpellComponent::IgnoreWithNumbers),
              false);
    bag.write(QStringLiteral("MainDictFile"), spell->member(SpellComponent::MainDictFile),
              QString());
    bag.write(QStringLiteral("MaxLänge"), text->maxLength() == 32767 ? 0 : text->maxLength(), 0);
    bag.write(QStringLiteral("CustomDictFile"), spell->member(SpellComponent::CustomDictFile),
              QString());
    bag.write(QStringLiteral("AutoSpellCheck"), s.autoSpellCheck, false);
    bag.write(QStringLiteral("FontBold"), font.bold(), false);
    bag.write(QStringLiteral("FontItalic"), font.italic(), false);
    bag.write(QStringLiteral("FontName"), font.family(), defaultFontName);
    bag.write(QStringLiteral("FontSize"), float(font.pointSizeF()), defaultFontSize);
    bag.write(QStringLiteral("FontStrikethru"), font.strikeOut(), false);
    bag.write(QStringLiteral("FontTransparent"), s.fontTransparent, false);
    bag.write(QStringLiteral("FontUnderline"), font.underline(), false);
    bag.write(QStringLiteral("BackColor"), qint64(edit.backColor()), qint64(Edit::systemWindow));
    bag.write(QStringLiteral("AlignmentText"), qint16(edit.alignmentText()), qint16(0));
}

} // namespace inkora
