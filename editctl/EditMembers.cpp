#include "Edit.h"
#include "SpellComponent.h"
#include "UmlautConverter.h"
#include "comctl/AutomationError.h"
#include "comctl/Variants.h"

#include <QLineEdit>

namespace inkora {

using comctl::AutomationError;
using comctl::ComControl;
using comctl::MemberInfo;
using comctl::MemberTable;
using comctl::Variants;

namespace {

Edit &edit(ComControl &control)
{
    return static_cast<Edit &>(control);
}

EditState &state(ComControl &control)
{
    return edit(control).engine().state();
}

const QStringList &editArtNames()
{
    static const QStringList names { QStringLiteral("Numerisch"), QStringLiteral("NHex"),
                                     QStringLiteral("AlphaNum"),  QStringLiteral("AlphaNumGroß"),
                                     QStringLiteral("NurText"),   QStringLiteral("NurTextGroß") };
    return names;
}

const QStringList &umlautArtNames()
{
    static const QStringList names { QStringLiteral("Normal_Unverändert"),
                                     QStringLiteral("GuiToKordex"), QStringLiteral("KordexToGui"),
                                     QStringLiteral("KordexSuche"), QStringLiteral("TextToRTF") };
    return names;
}

QString nameAt(const QStringList &names, const QVariant &index)
{
    const int i = Variants::toByte(index);
    if (i >= names.size())
        throw AutomationError(AutomationError::SubscriptOutOfRange);
    return names.at(i);
}

const QString verhalten = QStringLiteral("EigenschaftenEdit;Verhalten");
const QString darstellung = QStringLiteral("EigenschaftenEdit;Darstellung");
const QString textBoxVerhalten = QStringLiteral("TextBox;Verhalten");
const QString textBoxDarstellung = QStringLiteral("TextBox;Darstellung");
const QString schriftart = QStringLiteral("StandardFont;Schriftart");
const QString farbe = QStringLiteral("StandardColor;Darstellung");
const QString spell = QStringLiteral("Rechtschreibung;Spell");

using Get = std::function<QVariant(Edit &)>;
using Put = std::function<void(Edit &, const QVariant &)>;

// A property whose successful write notifies the container under its own name.
void addProperty(MemberTable &table, MemberInfo info, Get get, Put put)
{
    const QString name = info.name;
    table.addProperty(
        info.setPersisted(), [get](ComControl &c, const QVariantList &) { return get(edit(c)); },
        [put, name](ComControl &c, const QVariantList &, const QVariant &value) {
            put(edit(c), value);
            c.notifyPropertyChanged(name);
        });
}

void addFontFlag(MemberTable &table, const QString &name, int dispId, const QString &description,
                 bool (QFont::*read)() const, void (QFont::*write)(bool))
{
    addProperty(
        table,
        MemberInfo::make(name, dispId, QStringLiteral("Boolean"))
            .describe(description)
            .inCategory(schriftart),
        [read](Edit &e) { return QVariant((e.objText()->font().*read)()); },
        [write](Edit &e, const QVariant &v) {
            QFont font = e.objText()->font();
            (font.*write)(Variants::toBool(v));
            e.objText()->setFont(font);
        });
}

void addSpellMember(MemberTable &table, const QString &name, int dispId, const QString &type,
                    int member, const QString &description)
{
    addProperty(
        table, MemberInfo::make(name, dispId, type).describe(description).inCategory(spell),
        [member](Edit &e) { return e.spellComponent()->member(member); },
        [member](Edit &e, const QVariant &v) { e.spellComponent()->setMember(member, v); });
}

void addBehaviourProperties(MemberTable &t)
{
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("TextArt"), 1, "Long")
            .describe(QStringLiteral("Legt die erlaubten Zeichen bzw. Umwandlung fest"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().textArt); },
        [](Edit &e, const QVariant &v) { e.engine().setTextArt(Variants::toInt32(v)); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("TextUmlaut"), 2, "Long")
            .describe(QStringLiteral("Legt die Umlautumwandlungsart fest"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().textUmlaut); },
        [](Edit &e, const QVariant &v) { e.engine().state().textUmlaut = Variants::toInt32(v); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("MaxWert"), 3, "Variant")
            .describe(QStringLiteral("Nur Nummerisch: Größter wert bei Überschreiten wird der "
                                     "MaxWert eingestzt (Hex werte müssen Dec eingegeben werden)"))
            .inCategory(verhalten),
        [](Edit &e) { return e.engine().state().maxWert; },
        [](Edit &e, const QVariant &v) { e.engine().setMaxWert(v); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("MinWert"), 4, "Variant")
            .describe(QStringLiteral(
                "Nur Nummerisch: Kleinster erlaubter eingabewert (Bei Unterschreiten wird MinWert "
                "eingestzt. Hexwerte müssen in Dec eingegeben werden)"))
            .inCategory(verhalten),
        [](Edit &e) { return e.engine().state().minWert; },
        [](Edit &e, const QVariant &v) { e.engine().setMinWert(v); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("LängeVK"), 5, "Variant")
            .describe(
                QStringLiteral("Wieviele Vorkommstellen darf es geben? (Für Nummerische werte wird "
                               "der String vorne abgeschitten) Wie Lang darf ein Textstring "
                               "werden? (Der Textstring wird hinten abgeschieden!)"))
            .inCategory(verhalten),
        [](Edit &e) { return e.engine().state().lengthVK; },
        [](Edit &e, const QVariant &v) { e.engine().setLengthVK(v); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("LängeNK"), 6, "Variant")
            .describe(QStringLiteral("Wieviele Nakommastellen darf es geben. (Gilt Nur für "
                                     "Nummerische wert) ACHTUNG Truc Funktion"))
            .inCategory(verhalten),
        [](Edit &e) { return e.engine().state().lengthNK; },
        [](Edit &e, const QVariant &v) { e.engine().setLengthNK(v); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("LeerzeichenErlaubt"), 7, "Boolean")
            .describe(QStringLiteral("Ist die eingabe eines Leerzeichens erlaubt?"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().leerzeichenErlaubt); },
        [](Edit &e, const QVariant &v) {
            e.engine().state().leerzeichenErlaubt = Variants::toBool(v);
        });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("KommaZeichenText"), 8, "String")
            .describe(QStringLiteral("Welches Zeichen ist das Kommazeichen für den Textwert?"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().kommaZeichenText); },
        [](Edit &e, const QVariant &v) { e.engine().setKommaZeichenText(Variants::toString(v)); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("KommaZeichenValue"), 9, "String")
            .describe(QStringLiteral("Welches Zeichen ist das Kommazeichen für den Value wert?"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().kommaZeichenValue); },
        [](Edit &e, const QVariant &v) { e.engine().setKommaZeichenValue(Variants::toString(v)); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("ProzentWertErlaubt"), 10, "Boolean")
            .describe(QStringLiteral(
                "Ist die Eingabe des Prozentzeichens erlaubt (Der Value wert ist Text/100! Achtung "
                "wenn die eingabe in Value erfolgt wir der wert beibehalten!)"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().prozentWertErlaubt); },
        [](Edit &e, const QVariant &v) {
            e.engine().state().prozentWertErlaubt = Variants::toBool(v);
        });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("FührendeNullenLöschen"), 11, "Boolean")
            .describe(
                QStringLiteral("Die Führenden Nullen bei Nummerischen Eingaben werden entfernt"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().deleteLeadingZeros); },
        [](Edit &e, const QVariant &v) {
            e.engine().state().deleteLeadingZeros = Variants::toBool(v);
        });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("MinLänge"), 12, "Long")
            .describe(QStringLiteral(
                "Wie Lange muß die Eingabe mindestens sein! (Fehlende Zeichen werden mit _ "
                "Aufgefüllt. Sollte immer in kobination mit LängeVk verwendet werden)"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().minLength); },
        [](Edit &e, const QVariant &v) { e.engine().setMinLength(v); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("ErlaubteSonderzeichen"), 13, "String")
            .describe(
                QStringLiteral("Welche Sonderzeichen sind für nicht Nummerische eingaben erlaubt?"))
            .inCategory(darstellung),
        [](Edit &e) { return QVariant(e.engine().state().erlaubteSonderzeichen); },
        [](Edit &e, const QVariant &v) {
            e.engine().state().erlaubteSonderzeichen = Variants::toString(v);
        });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("Value"), 14, "Variant")
            .describe(QStringLiteral("Ein/Ausgabe Unformatierter Dezimalwert"))
            .inCategory(verhalten),
        [](Edit &e) { return e.engine().state().value; },
        [](Edit &e, const QVariant &v) { e.engine().setValueProperty(v); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("TausenderTrennzeichen"), 15, "Variant")
            .describe(QStringLiteral("Soll zur Formatierung von Text das Tausendertrennzeichen "
                                     "verwendet werden. (Nur für Numerisch)"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.engine().state().tausenderTrennzeichen); },
        [](Edit &e, const QVariant &v) {
            e.engine().state().tausenderTrennzeichen = Variants::toBool(v);
        });
    t.addProperty(
        MemberInfo::make(QStringLiteral("hWnd"), 16, "Long")
            .describe(QStringLiteral(
                "Gibt eine Zugriffsnummer (von Microsoft Windows) auf ein Objektfenster zurück."))
            .inCategory(verhalten)
            .setPersisted(),
        [](ComControl &c, const QVariantList &) { return QVariant(state(c).hWnd); },
        [](ComControl &c, const QVariantList &, const QVariant &) {
            throw AutomationError(c.designMode() ? AutomationError::SetNotPermitted
                                                 : AutomationError::SetNotSupportedAtRuntime);
        });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("Text"), 0, "Variant")
            .describe(QStringLiteral("Eingabe/Ausgabe wird Formatiert"))
            .inCategory(verhalten),
        [](Edit &e) { return QVariant(e.objText()->text()); },
        [](Edit &e, const QVariant &v) { e.engine().setTextProperty(Variants::toString(v)); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("AutoSpellCheck"), 31, "Boolean")
            .describe(QStringLiteral("Rechtschreibung für Text bzw AlphaNum Automatisch testen"))
            .inCategory(spell),
        [](Edit &e) { return QVariant(e.engine().state().autoSpellCheck); },
        [](Edit &e, const QVariant &v) {
            e.engine().state().autoSpellCheck = Variants::toBool(v);
        });
}

void addAppearanceProperties(MemberTable &t)
{
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("Enabled"), 18, "Boolean")
            .describe(QStringLiteral(
                "Gibt einen Wert zurück, der bestimmt, ob ein Objekt auf vom Benutzer erzeugte "
                "Ereignisse reagieren kann, oder legt diesen fest."))
            .inCategory(textBoxVerhalten),
        [](Edit &e) { return QVariant(e.objText()->isEnabled()); },
        [](Edit &e, const QVariant &v) { e.objText()->setEnabled(Variants::toBool(v)); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("Font"), 19, "Font")
            .describe(QStringLiteral("Gibt ein Font-Objekt zurück."))
            .inCategory(schriftart),
        [](Edit &e) { return QVariant(e.objText()->font()); },
        [](Edit &e, const QVariant &v) {
            if (v.typeId() != QMetaType::QFont)
                throw AutomationError(AutomationError::TypeMismatch);
            e.objText()->setFont(v.value<QFont>());
        });
    addFontFlag(t, QStringLiteral("FontBold"), 20,
                QStringLiteral("Gibt Schriftstile für Fettschrift zurück oder legt diese fest."),
                &QFont::bold, &QFont::setBold);
    addFontFlag(t, QStringLiteral("FontItalic"), 21,
                QStringLiteral("Gibt Schriftstile für Kursivschrift zurück oder legt diese fest."),
                &QFont::italic, &QFont::setItalic);
    addFontFlag(
        t, QStringLiteral("FontStrikethru"), 22,
        QStringLiteral("Gibt Schriftstile für Durchgestrichen zurück oder legt diese fest."),
        &QFont::strikeOut, &QFont::setStrikeOut);
    addFontFlag(t, QStringLiteral("FontUnderline"), 23,
                QStringLiteral("Gibt Schriftstile für Unterstrichen zurück oder legt diese fest."),
                &QFont::underline, &QFont::setUnderline);
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("FontName"), 24, "String")
            .describe(QStringLiteral("Gibt den Namen der Schriftart an, die in jeder Zeile für die "
                                     "gegebene Ebene verwendet wird."))
            .inCategory(schriftart),
        [](Edit &e) { return QVariant(e.objText()->font().family()); },
        [](Edit &e, const QVariant &v) {
            QFont font = e.objText()->font();
            font.setFamily(Variants::toString(v));
            e.objText()->setFont(font);
        });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("FontSize"), 25, "Single")
            .describe(QStringLiteral("Gibt die Größe der Schriftart (in Punkten) an, die in jeder "
                                     "Zeile für die gegebene Ebene verwendet wird."))
            .inCategory(schriftart),
        [](Edit &e) { return QVariant(float(e.objText()->font().pointSizeF())); },
        [](Edit &e, const QVariant &v) {
            const double size = Variants::toDouble(v);
            if (size <= 0 || size >= 2048)
                throw AutomationError(AutomationError::InvalidPropertyValue);
            QFont font = e.objText()->font();
            font.setPointSizeF(size);
            e.objText()->setFont(font);
        });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("FontTransparent"), 26, "Boolean")
            .describe(
                QStringLiteral("Gibt einen Wert zurück, der bestimmt, ob Hintergrundgrafiken/-text "
                               "auf einem Formular, Printer-Objekt oder Bildfeld-Steuerelement "
                               "angezeigt werden, oder legt diese fest."))
            .inCategory(schriftart),
        [](Edit &e) { return QVariant(e.engine().state().fontTransparent); },
        [](Edit &e, const QVariant &v) {
            e.engine().state().fontTransparent = Variants::toBool(v);
        });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("ForeColor"), 27, "OLE_COLOR")
            .describe(
                QStringLiteral("Gibt die Vordergrundfarbe zurück, die zum Anzeigen von Text und "
                               "Grafiken in einem Objekt verwendet wird, oder legt diese fest."))
            .inCategory(farbe),
        [](Edit &e) { return QVariant(qint64(e.foreColor())); },
        [](Edit &e, const QVariant &v) { e.setForeColor(Variants::toColor(v)); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("BackColor"), 28, "OLE_COLOR")
            .describe(
                QStringLiteral("Gibt die Hintergrundfarbe zurück, die verwendet wird, um Text und "
                               "Grafik in einem Objekt anzuzeigen, oder legt diese fest."))
            .inCategory(farbe),
        [](Edit &e) { return QVariant(qint64(e.backColor())); },
        [](Edit &e, const QVariant &v) { e.setBackColor(Variants::toColor(v)); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("AlignmentText"), 29, "Integer")
            .describe(
                QStringLiteral("Gibt die Ausrichtung eines Kontrollkästchens, eines Optionsfeldes "
                               "oder eines Steuerelementtextes zurück oder legt sie fest."))
            .inCategory(textBoxDarstellung),
        [](Edit &e) { return QVariant(qint16(e.alignmentText())); },
        [](Edit &e, const QVariant &v) { e.setAlignmentText(Variants::toInt16(v)); });
    addProperty(
        t,
        MemberInfo::make(QStringLiteral("MaxLänge"), 30, "Long")
            .describe(
                QStringLiteral("Gibt die maximale Anzahl an Zeichen zurück, die in einem "
                               "Steuerelement eingegeben werden können, oder legt diese fest."))
            .inCategory(textBoxVerhalten),
        [](Edit &e) {
            return QVariant(e.objText()->maxLength() == 32767 ? 0 : e.objText()->maxLength());
        },
        [](Edit &e, const QVariant &v) {
            const qint32 length = Variants::toInt32(v);
            if (length < 0)
                throw AutomationError(AutomationError::InvalidPropertyValue);
            e.objText()->setMaxLength(length == 0 || length > 32767 ? 32767 : length);
        });
}

void addSpellProperties(MemberTable &t)
{
    addSpellMember(t, QStringLiteral("IgnoreInMixedCase"), 32, "Boolean",
                   SpellComponent::IgnoreInMixedCase,
                   QStringLiteral("Sets or returns whether words with uppercase characters after "
                                  "lowercase characters are ignored (e.g. 'IOleObject')."));
    addSpellMember(
        t, QStringLiteral("IgnoreInUpperCase"), 33, "Boolean", SpellComponent::IgnoreInUpperCase,
        QStringLiteral("Sets or returns whether words in all uppercase are ignored (e.g. 'RTF')."));
    addSpellMember(t, QStringLiteral("IgnoreWithNumbers"), 34, "Boolean",
                   SpellComponent::IgnoreWithNumbers,
                   QStringLiteral("Sets or returns whether words containing numbers are ignored."));
    addSpellMember(
        t, QStringLiteral("MainDictFile"), 35, "String", SpellComponent::MainDictFile,
        QStringLiteral(
            "Sets or returns the fully-qualified filename of the main dictionary file."));
    addSpellMember(
        t, QStringLiteral("CustomDictFile"), 36, "String", SpellComponent::CustomDictFile,
        QStringLiteral("Sets or returns the path and filename of the custom dictionary file."));
}

void addMethods(MemberTable &t)
{
    t.addMethod(
        MemberInfo::make(QStringLiteral("EditArtName"), 40, "String").param("EditArt", "Byte"),
        [](ComControl &, QVariantList &args) {
            return QVariant(nameAt(editArtNames(), args.value(0)));
        });
    t.addMethod(
        MemberInfo::make(QStringLiteral("UmlautArtName"), 41, "String").param("UmlautArt", "Byte"),
        [](ComControl &, QVariantList &args) {
            return QVariant(nameAt(umlautArtNames(), args.value(0)));
        });
    t.addMethod(MemberInfo::make(QStringLiteral("CharChange"), 42, "String")
                    .param("TextString", "Variant")
                    .param("Suchen", "String")
                    .param("Ersetzen", "String")
                    .param("MehrZeichen", "Boolean", false, true),
                [](ComControl &c, QVariantList &args) {
                    return QVariant(UmlautConverter::charChange(
                        edit(c).engine().textOf(args.value(0)), Variants::toString(args.value(1)),
                        Variants::toString(args.value(2)),
                        args.size() > 3 && Variants::toBool(args.value(3))));
                });
    t.addMethod(MemberInfo::make(QStringLiteral("Umlaut"), 43, "String")
                    .param("TextString", "String")
                    .param("Umwandlungsart", "Long"),
                [](ComControl &, QVariantList &args) {
                    return QVariant(UmlautConverter::umlaut(Variants::toString(args.value(0)),
                                                            Variants::toInt32(args.value(1))));
                });
    t.addMethod(
        MemberInfo::make(QStringLiteral("SpellCheck"), 44)
            .describe(QStringLiteral("Start spell-checking the text in the Text property.")),
        [](ComControl &c, QVariantList &) {
            edit(c).spellCheck();
            return QVariant();
        });
}

void addEvents(MemberTable &t)
{
    const auto mouse = [](const QString &name, int id) {
        return MemberInfo::make(name, id)
            .param("Button", "Integer")
            .param("Shift", "Integer")
            .param("X", "Single")
            .param("Y", "Single");
    };
    t.addEvent(MemberInfo::make(QStringLiteral("Change"), 1));
    t.addEvent(MemberInfo::make(QStringLiteral("Click"), 2));
    t.addEvent(MemberInfo::make(QStringLiteral("DblClick"), 3));
    t.addEvent(mouse(QStringLiteral("MouseDown"), 4));
    t.addEvent(mouse(QStringLiteral("MouseMove"), 5));
    t.addEvent(mouse(QStringLiteral("MouseUp"), 6));
    t.addEvent(MemberInfo::make(QStringLiteral("KeyDown"), 7)
                   .param("KeyCode", "Integer")
                   .param("Shift", "Integer"));
    t.addEvent(MemberInfo::make(QStringLiteral("KeyPress"), 8).param("KeyAscii", "Integer", true));
    t.addEvent(MemberInfo::make(QStringLiteral("KeyUp"), 9)
                   .param("KeyCode", "Integer")
                   .param("Shift", "Integer"));
}

} // namespace

const MemberTable &Edit::memberTable() const
{
    static const MemberTable table = [] {
        MemberTable t;
        addBehaviourProperties(t);
        addAppearanceProperties(t);
        addSpellProperties(t);
        addMethods(t);
        addEvents(t);
        return t;
    }();
    return table;
}

} // namespace inkora
