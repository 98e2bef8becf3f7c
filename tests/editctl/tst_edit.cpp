#include "comctl/HostSite.h"
#include "comctl/PropertyBag.h"
#include "editctl/Edit.h"
#include "editctl/EditPropertyDialog.h"
#include "editctl/EigenschaftenEdit.h"
#include "editctl/ExplanationPage.h"
#include "editctl/Rechtschreibung.h"
#include "editctl/SpellComponent.h"
#include "editctl/TextBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

using namespace inkora;
using comctl::PropertyBag;

namespace {

class CountingSite : public comctl::HostSite
{
public:
    int beeps = 0;
    QStringList changed;
    void beep() override { ++beeps; }
    void propertyChanged(comctl::ComControl *, const QString &name) override { changed << name; }
};

class ScriptedPrompt : public SpellPrompt
{
public:
    QList<Answer> answers;
    QStringList asked;
    QString replacement;
    Answer ask(const QString &word, const QStringList &, QString *with) override
    {
        asked << word;
        if (!replacement.isEmpty())
            *with = replacement;
        return answers.isEmpty() ? Answer::Ignore : answers.takeFirst();
    }
};

struct Fixture
{
    QStringList events;
    CountingSite site;
    QWidget form;
    Edit *edit;

    explicit Fixture(const QString &name = QStringLiteral("Edit1"))
    {
        QFont ambient(QStringLiteral("DejaVu Sans"), 11);
        site.setAmbientFont(ambient);
        edit = new Edit(&form);
        edit->setObjectName(name);
        edit->setSite(&site);
        QObject::connect(edit, &comctl::ComControl::eventRaised, edit,
                         [this](const QString &event, QVariantList &) { events << event; });
    }
    QVariant get(const QString &p) { return edit->get(p).value; }
};

QString dictionaryBase()
{
    return QFINDTESTDATA("data/test.dic").chopped(4);
}

} // namespace

class TestEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newInstance();
    void loadEmptyBag();
    void persistenceRoundTrip();
    void loadWrongTypes_data();
    void loadWrongTypes();
    void loadRunsChangeHandling();
    void kommaZeichenAndNotification();
    void names_data();
    void names();
    void hWnd();
    void resizeFollows();
    void typingThroughObjText();
    void keyPressHandlerChangesKey();
    void enterAndFocusOut();
    void mouseEvents();
    void textProperty();
    void spellNeverTouchedWithoutAuto();
    void spellChecksAndReplaces();
    void spellIgnoreAndAdd();
    void spellSettingsReadBack();
    void spellMissingDictionary();
    void pagesFillNewControl();
    void pagesKeyFilters_data();
    void pagesKeyFilters();
    void pagesApplyOrder();
    void pagesTwoControls();
    void pagesChangedFlag();
    void erklaerung();
    void memberDescriptions();
};

void TestEdit::newInstance()
{
    Fixture f;
    f.edit->initNew();
    QCOMPARE(f.get("Text"), QVariant("Edit1"));
    QCOMPARE(f.get("TextArt"), QVariant(2));
    for (const char *bound : { "MaxWert", "MinWert", "LängeVK", "LängeNK" })
        QCOMPARE(f.get(QString::fromUtf8(bound)), QVariant("x"));
    QCOMPARE(f.get("KommaZeichenText"), QVariant(","));
    QCOMPARE(f.get("KommaZeichenValue"), QVariant(","));
    QCOMPARE(f.get("LeerzeichenErlaubt"), QVariant(true));
    QCOMPARE(f.get("ProzentWertErlaubt"), QVariant(true));
    QCOMPARE(f.get("Value"), QVariant(""));
    QCOMPARE(f.get("ForeColor"), QVariant(qint64(0x80000008)));
    QCOMPARE(f.edit->objText()->font().family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(f.events, QStringList { "Change" });
}

void TestEdit::loadEmptyBag()
{
    Fixture fresh;
    fresh.edit->initNew();
    Fixture loaded;
    loaded.edit->loadProperties(PropertyBag());
    const QStringList same { "Text",
                             "TextArt",
                             "TextUmlaut",
                             "MaxWert",
                             "MinWert",
                             "LängeVK",
                             "LängeNK",
                             "LeerzeichenErlaubt",
                             "KommaZeichenText",
                             "ProzentWertErlaubt",
                             "MinLänge",
                             "ErlaubteSonderzeichen",
                             "TausenderTrennzeichen",
                             "Enabled",
                             "ForeColor",
                             "BackColor",
                             "AlignmentText",
                             "MaxLänge",
                             "AutoSpellCheck" };
    for (const QString &p : same)
        QCOMPARE(loaded.get(p), fresh.get(p));
    QCOMPARE(loaded.get("FontName"), QVariant("MS Sans Serif"));
    QCOMPARE(loaded.get("FontSize"), QVariant(8.0f));
    // The loaded text runs the change handling: Value comes from "Edit1".
    QCOMPARE(loaded.get("Value"), QVariant("1"));
}

void TestEdit::persistenceRoundTrip()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("TextArt", 0);
    f.edit->put("MaxWert", "999");
    f.edit->put("LängeNK", 2);
    f.edit->put("TausenderTrennzeichen", true);
    f.edit->put("KommaZeichenValue", ".");
    f.edit->put("FührendeNullenLöschen", true);
    f.edit->put("AlignmentText", 1);
    f.edit->put("MaxLänge", 12);
    f.edit->put("FontBold", true);
    f.edit->put("BackColor", 255);
    f.edit->put("MainDictFile", "/tmp/x");
    f.edit->put("IgnoreWithNumbers", true);
    f.edit->put("Text", "123,4");
    PropertyBag bag;
    f.edit->saveProperties(bag);
    QTemporaryDir dir;
    QVERIFY(bag.saveFile(dir.filePath("e.json")));
    PropertyBag reread;
    QVERIFY(reread.loadFile(dir.filePath("e.json")));
    Fixture g;
    g.edit->loadProperties(reread);
    for (const char *p :
         { "TextArt", "MaxWert", "LängeNK", "TausenderTrennzeichen", "KommaZeichenValue",
           "FührendeNullenLöschen", "AlignmentText", "MaxLänge", "FontBold", "BackColor",
           "MainDictFile", "IgnoreWithNumbers", "Text", "Value", "LängeVK" })
        QCOMPARE(g.get(QString::fromUtf8(p)), f.get(QString::fromUtf8(p)));
    QCOMPARE(g.get("Text"), QVariant("123,40"));
    QCOMPARE(g.get("Value"), QVariant("123.40"));
}

void TestEdit::loadWrongTypes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QVariant>("loaded");
    QTest::newRow("TextArt text") << "TextArt" << QVariant("abc") << QVariant(2);
    QTest::newRow("TextArt number text") << "TextArt" << QVariant("0") << QVariant(0);
    QTest::newRow("LeerzeichenErlaubt text")
        << "LeerzeichenErlaubt" << QVariant("vielleicht") << QVariant(true);
    QTest::newRow("MinLänge default text") << "MinLänge" << QVariant("zwei") << QVariant(0);
    QTest::newRow("MinLänge huge") << "MinLänge" << QVariant(2000000000) << QVariant(32767);
    QTest::newRow("AlignmentText out of range")
        << "AlignmentText" << QVariant(7) << QVariant(qint16(0));
    QTest::newRow("FontSize negative") << "FontSize" << QVariant(-3) << QVariant(8.0f);
    QTest::newRow("MaxWert unchecked") << "MaxWert" << QVariant("abc") << QVariant("abc");
    QTest::newRow("MaxWert null") << "MaxWert" << QVariant::fromValue(nullptr)
                                  << QVariant::fromValue(nullptr);
    QTest::newRow("Font not a font") << "Font" << QVariant(5) << QVariant();
}

void TestEdit::loadWrongTypes()
{
    QFETCH(QString, name);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, loaded);
    PropertyBag bag;
    bag.writeAlways(name, stored);
    Fixture f;
    f.edit->loadProperties(bag);
    if (loaded.isValid())
        QCOMPARE(f.get(name), loaded);
    else
        QCOMPARE(f.edit->objText()->font().family(), QStringLiteral("MS Sans Serif"));
    f.edit->put("Text", "12345"); // a broken bound must not break the formatting
    QVERIFY(!f.get("Text").toString().isEmpty());
}

void TestEdit::loadRunsChangeHandling()
{
    PropertyBag bag;
    bag.writeAlways("TextArt", 0);
    bag.writeAlways("Value", "999");
    bag.writeAlways("MaxWert", "5"); // loaded without checks
    bag.writeAlways("Text", "12%");
    Fixture f;
    f.edit->loadProperties(bag);
    QCOMPARE(f.get("Value"), QVariant(0.12));
    QCOMPARE(f.get("MaxWert"), QVariant("5"));
    QCOMPARE(f.get("Text"), QVariant("12%")); // no formatting on load
}

void TestEdit::kommaZeichenAndNotification()
{
    Fixture f;
    f.edit->initNew();
    f.site.changed.clear();
    QVERIFY(f.edit->put("KommaZeichenText", ";").ok());
    QCOMPARE(f.site.beeps, 1);
    QCOMPARE(f.get("KommaZeichenText"), QVariant(","));
    QVERIFY(f.edit->put("KommaZeichenText", ".").ok());
    QCOMPARE(f.get("KommaZeichenText"), QVariant("."));
    QCOMPARE(f.site.beeps, 1);
    f.edit->put("LängeVK", 3);
    QCOMPARE(f.site.changed.last(), QStringLiteral("LängeVK"));
    // Changing the sign does not convert existing text; the next leave reads it with the new one.
    f.edit->put("TextArt", 0);
    f.edit->engine().writeText("12,5");
    f.edit->engine().leaveField();
    QCOMPARE(f.get("Text"), QVariant("125"));
}

void TestEdit::names_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("index");
    QTest::addColumn<QVariant>("result");
    QTest::addColumn<int>("error");
    QTest::newRow("EditArtName 3") << "EditArtName" << 3 << QVariant("AlphaNumGroß") << 0;
    QTest::newRow("EditArtName 0") << "EditArtName" << 0 << QVariant("Numerisch") << 0;
    QTest::newRow("EditArtName 6") << "EditArtName" << 6 << QVariant() << 9;
    QTest::newRow("EditArtName 300") << "EditArtName" << 300 << QVariant() << 6;
    QTest::newRow("UmlautArtName 4") << "UmlautArtName" << 4 << QVariant("TextToRTF") << 0;
    QTest::newRow("UmlautArtName 0") << "UmlautArtName" << 0 << QVariant("Normal_Unverändert") << 0;
    QTest::newRow("UmlautArtName 5") << "UmlautArtName" << 5 << QVariant() << 9;
}

void TestEdit::names()
{
    QFETCH(QString, method);
    QFETCH(int, index);
    QFETCH(QVariant, result);
    QFETCH(int, error);
    Fixture f;
    const auto r = f.edit->invoke(method, { index });
    QCOMPARE(r.error.number(), error);
    if (!error)
        QCOMPARE(r.value, result);
    QCOMPARE(f.edit->invoke("CharChange", { "aXbX", "Xb", "-", true }).value, QVariant("a-X"));
    QCOMPARE(f.edit->invoke("CharChange", { "aXbX", "Xb", "-" }).value, QVariant("a-b-"));
    QCOMPARE(f.edit->invoke("Umlaut", { "Größe", 1 }).value, QVariant("Gr|~e"));
}

void TestEdit::hWnd()
{
    Fixture f;
    f.edit->initNew();
    QCOMPARE(f.get("hWnd"), QVariant(0));
    QCOMPARE(f.edit->put("hWnd", 5).error.number(), 382);
    f.site.setUserMode(false);
    QCOMPARE(f.edit->put("hWnd", 5).error.number(), 387);
    PropertyBag bag;
    bag.writeAlways("hWnd", 4711);
    Fixture g;
    g.edit->loadProperties(bag);
    QCOMPARE(g.get("hWnd"), QVariant(4711));
}

void TestEdit::resizeFollows()
{
    Fixture f;
    f.form.show();
    const int width = qRound(2000 / f.site.twipsPerPixel());
    const int height = qRound(300 / f.site.twipsPerPixel());
    f.edit->resize(width, height);
    QCOMPARE(f.edit->objText()->geometry(), QRect(0, 0, width, height));
}

void TestEdit::typingThroughObjText()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("TextArt", 0);
    f.edit->put("Text", "");
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.edit->objText()->setFocus();
    f.site.beeps = 0;
    QTest::keyClicks(f.edit->objText(), "12a");
    QCOMPARE(f.get("Text"), QVariant("12"));
    QCOMPARE(f.site.beeps, 1);
    QTest::keyClicks(f.edit->objText(), "-");
    QCOMPARE(f.get("Text"), QVariant("-12"));
    QCOMPARE(f.edit->objText()->cursorPosition(), 3);
    QTest::keyClick(f.edit->objText(), Qt::Key_Backspace);
    QCOMPARE(f.get("Text"), QVariant("-1"));
    QTest::keyClick(f.edit->objText(), Qt::Key_Home);
    QTest::keyClick(f.edit->objText(), Qt::Key_Delete);
    QCOMPARE(f.get("Text"), QVariant("1"));
    QCOMPARE(f.get("Value"), QVariant("1"));
    QTest::keyClick(f.edit->objText(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(f.site.beeps, 2);
}

void TestEdit::keyPressHandlerChangesKey()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("Text", "");
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    QList<QVariant> seen;
    QObject::connect(f.edit, &comctl::ComControl::eventRaised, f.edit,
                     [&](const QString &event, QVariantList &args) {
                         if (event == "KeyPress") {
                             seen << args[0];
                             args[0] = qint16('Z');
                         }
                     });
    f.edit->objText()->setFocus();
    QTest::keyClicks(f.edit->objText(), "a");
    QCOMPARE(seen, QList<QVariant> { QVariant(qint16('a')) });
    QCOMPARE(f.get("Text"), QVariant("Z"));
    QVERIFY(f.events.contains("KeyDown") && f.events.contains("KeyUp"));
}

void TestEdit::enterAndFocusOut()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("TextArt", 0);
    f.edit->put("LängeNK", 2);
    f.edit->put("Text", "");
    auto *other = new QLineEdit(&f.form);
    other->move(0, 40);
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.edit->objText()->setFocus();
    QTest::keyClicks(f.edit->objText(), "7");
    QTest::keyClick(f.edit->objText(), Qt::Key_Return);
    QCOMPARE(f.get("Text"), QVariant("7,00"));
    QCOMPARE(f.edit->objText()->selectedText(), QStringLiteral("7,00"));
    QTest::keyClicks(f.edit->objText(), "25");
    other->setFocus();
    QCOMPARE(f.get("Text"), QVariant("25,00"));
    QCOMPARE(f.get("Value"), QVariant("25,00"));
}

void TestEdit::mouseEvents()
{
    Fixture f;
    f.edit->initNew();
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    QList<QVariantList> downs;
    QObject::connect(f.edit, &comctl::ComControl::eventRaised, f.edit,
                     [&](const QString &event, QVariantList &args) {
                         if (event == "MouseDown")
                             downs << args;
                     });
    f.events.clear();
    QTest::mouseClick(f.edit->objText(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 4));
    QCOMPARE(f.events, (QStringList { "MouseDown", "MouseUp", "Click" }));
    QCOMPARE(downs.size(), 1);
    QCOMPARE(downs[0][0], QVariant(qint16(1)));
    QCOMPARE(downs[0][1], QVariant(qint16(1)));
    QCOMPARE(downs[0][2], QVariant(150.0f)); // twips in a twip container
    f.site.setScaleUnits("Pixel");
    QTest::mouseClick(f.edit->objText(), Qt::RightButton, {}, QPoint(10, 4));
    QCOMPARE(downs[1][0], QVariant(qint16(2)));
    QCOMPARE(downs[1][2], QVariant(10.0f));
    QVERIFY(!f.events.contains("MouseMove"));
    // The second press of a double click comes as the double click; its release is no Click.
    f.events.clear();
    QTest::mouseClick(f.edit->objText(), Qt::LeftButton, {}, QPoint(10, 4));
    QTest::mouseDClick(f.edit->objText(), Qt::LeftButton, {}, QPoint(10, 4));
    QTest::mouseRelease(f.edit->objText(), Qt::LeftButton, {}, QPoint(10, 4));
    QCOMPARE(f.events, (QStringList { "MouseDown", "MouseUp", "Click", "DblClick", "MouseUp" }));
}

void TestEdit::textProperty()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("TextArt", 0);
    f.edit->put("TausenderTrennzeichen", true);
    f.events.clear();
    f.edit->put("Text", "1234567,5");
    QCOMPARE(f.get("Text"), QVariant("1.234.567,5"));
    QCOMPARE(f.get("Value"), QVariant("1234567,5"));
    QVERIFY(f.events.count("Change") >= 2);
    f.edit->put("Value", "1234,5");
    QCOMPARE(f.get("Text"), QVariant("1234,5"));
    f.edit->put("Text", "");
    QCOMPARE(f.get("Text"), QVariant(""));
}

void TestEdit::spellNeverTouchedWithoutAuto()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("MainDictFile", dictionaryBase());
    f.edit->put("Text", "Hauss");
    QCOMPARE(f.edit->spellComponent()->checksStarted(), 0);
    f.edit->put("AutoSpellCheck", true);
    ScriptedPrompt prompt;
    f.edit->spellComponent()->setPrompt(&prompt);
    f.edit->put("Text", "");
    QCOMPARE(f.edit->spellComponent()->checksStarted(), 0);
}

void TestEdit::spellChecksAndReplaces()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("MainDictFile", dictionaryBase() + ".dic");
    f.edit->put("AutoSpellCheck", true);
    ScriptedPrompt prompt;
    prompt.answers = { SpellPrompt::Answer::Ignore, SpellPrompt::Answer::Replace };
    f.edit->spellComponent()->setPrompt(&prompt);
    f.events.clear();
    f.edit->put("Text", "Das Hauss ist");
    QCOMPARE(prompt.asked, (QStringList { "Das", "Hauss" }));
    // "Das" is not in the test dictionary: ignored; "Hauss" replaced by the first suggestion.
    QCOMPARE(f.get("Text"), QVariant("Das Haus ist"));
    QCOMPARE(f.edit->spellComponent()->checksStarted(), 1);
    QVERIFY(f.events.count("Change") >= 2); // the replacement is a change like any other
}

void TestEdit::spellIgnoreAndAdd()
{
    QTemporaryDir dir;
    const QString custom = dir.filePath("custom.dic");
    Fixture f;
    f.edit->initNew();
    f.edit->put("MainDictFile", dictionaryBase());
    f.edit->put("CustomDictFile", custom);
    ScriptedPrompt prompt;
    prompt.answers = { SpellPrompt::Answer::AddToCustom, SpellPrompt::Answer::Cancel };
    f.edit->spellComponent()->setPrompt(&prompt);
    f.edit->put("Text", "Zorg Zorg Blub Haus");
    f.edit->invoke("SpellCheck");
    QCOMPARE(prompt.asked, (QStringList { "Zorg", "Blub" }));
    QFile file(custom);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Zorg\n"));
    prompt.asked.clear();
    f.edit->put("IgnoreInUpperCase", true);
    f.edit->put("IgnoreWithNumbers", true);
    f.edit->put("IgnoreInMixedCase", true);
    f.edit->put("Text", "RTF A4 IOleObject");
    f.edit->invoke("SpellCheck");
    QVERIFY(prompt.asked.isEmpty());
}

void TestEdit::spellSettingsReadBack()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("MainDictFile", "/a/b");
    QCOMPARE(f.get("MainDictFile"), f.edit->spellComponent()->member(SpellComponent::MainDictFile));
    f.edit->spellComponent()->setMember(SpellComponent::MainDictFile, "/c/d");
    QCOMPARE(f.get("MainDictFile"), QVariant("/c/d"));
    f.edit->spellComponent()->setMember(SpellComponent::IgnoreInMixedCase, true);
    QCOMPARE(f.get("IgnoreInMixedCase"), QVariant(true));
}

void TestEdit::spellMissingDictionary()
{
    Fixture f;
    f.edit->initNew();
    f.edit->put("MainDictFile", "/nonexistent/dictionary");
    QCOMPARE(f.edit->invoke("SpellCheck").error.number(), 53);
    f.edit->put("AutoSpellCheck", true);
    QCOMPARE(f.edit->put("Text", "abc").error.number(), 53);
}

void TestEdit::pagesFillNewControl()
{
    Fixture f;
    f.edit->initNew();
    EditPropertyDialog dialog({ f.edit });
    QCOMPARE(dialog.tabs()->count(), 6);
    QStringList captions;
    for (int i = 0; i < 6; ++i)
        captions << dialog.tabs()->tabText(i);
    QCOMPARE(captions,
             (QStringList { "Allgemein", "TextBox", "Rechtschreibung", "Schriftart", "Farbe",
                            "Erklärung" }));
    auto *page = static_cast<EigenschaftenEdit *>(dialog.pages().first());
    QCOMPARE(page->cmbTextArt->currentText(), QStringLiteral("2 - AlphaNum"));
    QCOMPARE(page->cmbTextArt->itemText(5), QStringLiteral("5 - NurTextGroß"));
    QCOMPARE(page->cmbTextUmlaut->currentText(), QStringLiteral("0 - Normal_Unverändert"));
    for (QLineEdit *field :
         { page->txtMaxWert, page->txtMinWert, page->txtLengthVK, page->txtLengthNK })
        QCOMPARE(field->text(), QStringLiteral("x"));
    QCOMPARE(page->txtMinLength->text(), QStringLiteral("0"));
    QVERIFY(page->chkLeerzeichenErlaubt->isChecked());
    QVERIFY(!page->isChanged());
    QVERIFY(!dialog.applyButton()->isEnabled());
}

void TestEdit::pagesKeyFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    QTest::newRow("MaxWert letter") << "txtMaxWert"
                                    << "a"
                                    << "" << 1;
    QTest::newRow("MaxWert x") << "txtMaxWert"
                               << "x"
                               << "x" << 0;
    QTest::newRow("MaxWert minus") << "txtMaxWert"
                                   << "-"
                                   << "" << 1;
    QTest::newRow("MinWert minus") << "txtMinWert"
                                   << "-5"
                                   << "-5" << 0;
    QTest::newRow("MinWert x") << "txtMinWert"
                               << "x"
                               << "" << 1;
    QTest::newRow("MinLänge") << "txtMinLänge"
                              << "1x"
                              << "1" << 1;
    QTest::newRow("KommaZeichenText") << "txtKommaZeichenText"
                                      << ".;,"
                                      << ".," << 1;
    QTest::newRow("Sonderzeichen free") << "txtErlaubteSonderzeichen"
                                        << "a;µ"
                                        << "a;µ" << 0;
}

void TestEdit::pagesKeyFilters()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    Fixture f;
    f.edit->initNew();
    EigenschaftenEdit page;
    page.selectionChanged({ f.edit });
    auto *edit = page.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->clear();
    QTest::keyClicks(edit, keys);
    QCOMPARE(edit->text(), text);
    QCOMPARE(f.site.beeps, beeps);
}

void TestEdit::pagesApplyOrder()
{
    Fixture f;
    f.edit->initNew();
    EigenschaftenEdit page;
    page.selectionChanged({ f.edit });
    page.txtLengthVK->setText("5");
    page.txtMaxWert->setText("100");
    page.txtMinWert->clear(); // refused by the setter: beeps, stays "x"
    page.cmbTextArt->setCurrentIndex(0);
    QVERIFY(page.isChanged());
    page.apply();
    QCOMPARE(f.get("LängeVK"), QVariant(3));
    QCOMPARE(f.get("MaxWert"), QVariant("100"));
    QCOMPARE(f.get("MinWert"), QVariant("x"));
    QCOMPARE(f.get("TextArt"), QVariant(0));
    QVERIFY(f.site.beeps >= 1);
    QVERIFY(!page.isChanged());
}

void TestEdit::pagesTwoControls()
{
    Fixture a(QStringLiteral("Edit1"));
    Fixture b(QStringLiteral("Edit2"));
    a.edit->initNew();
    b.edit->initNew();
    b.edit->put("TextArt", 4);
    a.edit->put("AlignmentText", 2);
    EditPropertyDialog dialog({ a.edit, b.edit });
    auto *general = static_cast<EigenschaftenEdit *>(dialog.pages()[0]);
    auto *textBox = static_cast<TextBox *>(dialog.pages()[1]);
    auto *spell = static_cast<Rechtschreibung *>(dialog.pages()[2]);
    QCOMPARE(general->cmbTextArt->currentIndex(), 2); // the first control's values
    QCOMPARE(textBox->cmbAlignment->currentText(), QStringLiteral("2 - Zentriert"));
    general->txtMaxWert->setText("42");
    general->chkTausenderTrennZeichenJN->setChecked(true);
    textBox->chkEnabled->setChecked(false);
    spell->txtMainDictFile->setText("/x/y");
    spell->chkAutoSpellCheck->setChecked(true);
    QVERIFY(dialog.applyButton()->isEnabled());
    dialog.applyChanges();
    QVERIFY(!dialog.applyButton()->isEnabled());
    for (Fixture *f : { &a, &b }) {
        QCOMPARE(f->get("MaxWert"), QVariant("42"));
        QCOMPARE(f->get("TausenderTrennzeichen"), QVariant(true));
        QCOMPARE(f->get("Enabled"), QVariant(false));
        QCOMPARE(f->get("MainDictFile"), QVariant("/x/y"));
        QCOMPARE(f->get("AutoSpellCheck"), QVariant(true));
        QCOMPARE(f->get("TextArt"), QVariant(2)); // the combo's value went to both
    }
    b.edit->put("AlignmentText", 1);
    dialog.setSelection({ b.edit, a.edit });
    QCOMPARE(textBox->cmbAlignment->currentIndex(), 1);
    QVERIFY(!dialog.applyButton()->isEnabled());
}

void TestEdit::pagesChangedFlag()
{
    Fixture f;
    f.edit->initNew();
    TextBox page;
    QSignalSpy spy(&page, &PropertyPage::changedChanged);
    page.selectionChanged({ f.edit }); // loading does not count
    QVERIFY(!page.isChanged());
    QCOMPARE(spy.count(), 0);
    page.cmbAlignment->setCurrentIndex(1);
    QVERIFY(page.isChanged());
    QCOMPARE(spy.count(), 1);
    page.apply();
    QCOMPARE(f.get("AlignmentText"), QVariant(qint16(1)));
    QVERIFY(!page.isChanged());
}

void TestEdit::erklaerung()
{
    ExplanationPage page;
    const QStringList lines = page.txtExplanation->toPlainText().split('\n');
    QCOMPARE(lines.size(), 8);
    QCOMPARE(ExplanationPage::explanation().count("\r\n"), 7);
    QVERIFY(ExplanationPage::explanation().contains("\r\n" + QString(16, ' ')
                                                    + "-> Ausgabe Dezimalwert in Value\r\n"));
    QVERIFY(ExplanationPage::explanation().contains("\r\n" + QString(31, ' ')
                                                    + "-> Ausgabe Dezimalwert in Value\r\n"));
    QVERIFY(lines.last().endsWith("'x' für belibig eingegeben werden."));
    QCOMPARE(page.txtExplanation->font().family(), QStringLiteral("Courier New"));

    // At its smallest the page shows every line without scrolling sideways, and the arrow
    // lines stay whole.
    page.resize(page.minimumSizeHint());
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(page.txtExplanation->horizontalScrollBar()->maximum(), 0);
    const QTextDocument *document = page.txtExplanation->document();
    for (int line : { 0, 1, 2, 3 })
        QCOMPARE(document->findBlockByNumber(line).layout()->lineCount(), 1);
}

void TestEdit::memberDescriptions()
{
    Fixture f;
    const auto &table = f.edit->memberTable();
    using K = comctl::MemberInfo::Kind;
    QCOMPARE(table.find("TextArt", K::Property)->category,
             QStringLiteral("EigenschaftenEdit;Verhalten"));
    QCOMPARE(table.find("ErlaubteSonderzeichen", K::Property)->category,
             QStringLiteral("EigenschaftenEdit;Darstellung"));
    QCOMPARE(table.find("Enabled", K::Property)->category, QStringLiteral("TextBox;Verhalten"));
    QCOMPARE(table.find("AlignmentText", K::Property)->category,
             QStringLiteral("TextBox;Darstellung"));
    QCOMPARE(table.find("Font", K::Property)->category, QStringLiteral("StandardFont;Schriftart"));
    QCOMPARE(table.find("ForeColor", K::Property)->category,
             QStringLiteral("StandardColor;Darstellung"));
    QCOMPARE(table.find("MainDictFile", K::Property)->category,
             QStringLiteral("Rechtschreibung;Spell"));
    QCOMPARE(table.find("Value", K::Property)->description,
             QStringLiteral("Ein/Ausgabe Unformatierter Dezimalwert"));
    QCOMPARE(
        table.find("IgnoreInUpperCase", K::Property)->description,
        QStringLiteral("Sets or returns whether words in all uppercase are ignored (e.g. 'RTF')."));
    QCOMPARE(table.find("SpellCheck", K::Method)->description,
             QStringLiteral("Start spell-checking the text in the Text property."));
    const QList<comctl::MemberInfo> events = table.members(K::Event);
    QStringList order;
    for (const auto &e : events)
        order << e.name;
    QCOMPARE(order,
             (QStringList { "Change", "Click", "DblClick", "MouseDown", "MouseMove", "MouseUp",
                            "KeyDown", "KeyPress", "KeyUp" }));
    QVERIFY(table.find("KeyPress", K::Event)->params.first().byRef);
    for (const auto &p : table.members(K::Property))
        QVERIFY2(!p.description.isEmpty(), qPrintable(p.name));
}

QTEST_MAIN(TestEdit)
#include "tst_edit.moc"
