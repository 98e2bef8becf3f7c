#include "comctl/ClassFactory.h"
#include "comctl/ComControl.h"
#include "comctl/ComModule.h"
#include "comctl/ControlRegistry.h"
#include "comctl/HResult.h"
#include "comctl/HostSite.h"
#include "comctl/OleColor.h"
#include "comctl/PropertyBag.h"
#include "comctl/PropertyExchange.h"
#include "comctl/PropertyStream.h"
#include "comctl/Variants.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QtTest>

using namespace comctl;

namespace {

// A palette whose every role has a colour of its own in each group.
QColor roleColour(QPalette::ColorGroup group, QPalette::ColorRole role)
{
    return QColor(int(role) * 10, int(group) * 100, 7);
}

QPalette rolePalette()
{
    QPalette palette;
    for (const auto group : { QPalette::Active, QPalette::Disabled, QPalette::Inactive }) {
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(group, QPalette::ColorRole(role),
                             roleColour(group, QPalette::ColorRole(role)));
    }
    return palette;
}

// A small control with one property of each rule, for the dispatch layer.
class SampleControl : public ComControl
{
public:
    using ComControl::ComControl;
    int number = 0;
    QString text;

    const MemberTable &memberTable() const override
    {
        static const MemberTable table = [] {
            MemberTable t;
            t.addProperty(
                MemberInfo::make(QStringLiteral("Zähler"), 1, "Long"),
                [](ComControl &c, const QVariantList &) {
                    return QVariant(static_cast<SampleControl &>(c).number);
                },
                [](ComControl &c, const QVariantList &, const QVariant &v) {
                    const int n = Variants::toInt32(v);
                    if (n < 0)
                        throw AutomationError(AutomationError::InvalidPropertyValue);
                    static_cast<SampleControl &>(c).number = n;
                    c.notifyPropertyChanged(QStringLiteral("Zähler"));
                });
            t.addProperty(MemberInfo::make("Fixed", 2, "Long").setReadOnly(),
                          [](ComControl &, const QVariantList &) { return QVariant(7); }, {});
            t.addProperty(
                MemberInfo::make("RunOnly", 3, "Long").setRuntimeOnly(),
                [](ComControl &, const QVariantList &) { return QVariant(1); },
                [](ComControl &, const QVariantList &, const QVariant &) {});
            t.addProperty(MemberInfo::make("Item", 4, "String").param("Index", "Integer"),
                          [](ComControl &, const QVariantList &index) {
                              const int i = Variants::toInt16(index.value(0));
                              if (i < 0 || i > 2)
                                  throw AutomationError(AutomationError::InvalidPropertyArrayIndex);
                              return QVariant(QString::number(i * 10));
                          },
                          {});
            t.addMethod(MemberInfo::make("Add", 10, "Long")
                            .param("A", "Long")
                            .param("B", "Long", false, true),
                        [](ComControl &, QVariantList &args) {
                            return QVariant(Variants::toInt32(args.value(0))
                                            + Variants::toInt32(args.value(1)));
                        });
            t.addMethod(MemberInfo::make("Fire", 11), [](ComControl &c, QVariantList &) {
                return static_cast<SampleControl &>(c).fire();
            });
            t.addEvent(MemberInfo::make("Ask", 1).param("Cancel", "Integer", true));
            return t;
        }();
        return table;
    }
    QString className() const override { return QStringLiteral("Sample"); }
    QString progId() const override { return QStringLiteral("Test.Sample"); }
    void initNew() override { number = 1; }
    void loadProperties(const PropertyBag &bag) override
    {
        number = bag.read(QStringLiteral("Zähler"), 1).toInt();
        text = bag.read(QStringLiteral("Text"), QString()).toString();
    }
    void saveProperties(PropertyBag &bag) const override
    {
        bag.write(QStringLiteral("Zähler"), number, 1);
        bag.write(QStringLiteral("Text"), text, QString());
    }
    QVariant fire() { return raiseEvent(QStringLiteral("Ask"), { 0 }).value(0); }
};

class RecordingSite : public HostSite
{
public:
    QStringList changes;
    int beeps = 0;
    void propertyChanged(ComControl *, const QString &name) override { changes << name; }
    void beep() override { ++beeps; }
};

} // namespace

class TestComctl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dispatch_data();
    void dispatch();
    void dispatchByIdAndNotification();
    void eventsByReference();
    void conversions_data();
    void conversions();
    void bagRoundTrip();
    void bagRejectsBrokenFiles_data();
    void bagRejectsBrokenFiles();
    void streamVersions();
    void exchange();
    void registry();
    void moduleEntryPoints();
    void siteScaleUnits();
};

void TestComctl::dispatch_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("design");
    QTest::addColumn<int>("error");
    QTest::addColumn<QVariant>("result");

    QTest::newRow("get umlaut name ignoring case")
        << "get"
        << "zähler" << QVariant() << false << 0 << QVariant(0);
    QTest::newRow("put string number") << "put"
                                       << "Zähler" << QVariant("12") << false << 0 << QVariant();
    QTest::newRow("put text mismatch") << "put"
                                       << "Zähler" << QVariant("abc") << false << 13 << QVariant();
    QTest::newRow("put refused value") << "put"
                                       << "Zähler" << QVariant(-1) << false << 380 << QVariant();
    QTest::newRow("put read-only") << "put"
                                   << "Fixed" << QVariant(1) << false << 383 << QVariant();
    QTest::newRow("get run-time only in design")
        << "get"
        << "RunOnly" << QVariant() << true << 394 << QVariant();
    QTest::newRow("get run-time only at run time")
        << "get"
        << "RunOnly" << QVariant() << false << 0 << QVariant(1);
    QTest::newRow("indexed in range") << "index"
                                      << "Item" << QVariant(2) << false << 0 << QVariant("20");
    QTest::newRow("indexed out of range") << "index"
                                          << "Item" << QVariant(3) << false << 381 << QVariant();
    QTest::newRow("unknown member") << "get"
                                    << "Nope" << QVariant() << false << 438 << QVariant();
    QTest::newRow("method") << "call2"
                            << "Add" << QVariant(5) << false << 0 << QVariant(10);
    QTest::newRow("method optional arg") << "call1"
                                         << "Add" << QVariant(5) << false << 0 << QVariant(5);
    QTest::newRow("method missing arg") << "call0"
                                        << "Add" << QVariant() << false << 450 << QVariant();
}

void TestComctl::dispatch()
{
    QFETCH(QString, op);
    QFETCH(QString, member);
    QFETCH(QVariant, value);
    QFETCH(bool, design);
    QFETCH(int, error);
    QFETCH(QVariant, result);
    RecordingSite site;
    site.setUserMode(!design);
    SampleControl control;
    control.setSite(&site);
    DispatchResult r;
    if (op == "get")
        r = control.get(member);
    else if (op == "put")
        r = control.put(member, value);
    else if (op == "index")
        r = control.get(member, { value });
    else if (op == "call2")
        r = control.invoke(member, { value, value });
    else if (op == "call1")
        r = control.invoke(member, { value });
    else
        r = control.invoke(member);
    QCOMPARE(r.error.number(), error);
    QCOMPARE(r.ok(), error == 0);
    if (error)
        QVERIFY(!r.error.text().isEmpty());
    else
        QCOMPARE(r.value, result);
}

void TestComctl::dispatchByIdAndNotification()
{
    RecordingSite site;
    SampleControl control;
    control.setSite(&site);
    QVERIFY(control.put(1, 42).ok());
    QCOMPARE(control.get(1).value, QVariant(42));
    QCOMPARE(site.changes, QStringList { QStringLiteral("Zähler") });
    QVERIFY(!control.put(1, -3).ok());
    QCOMPARE(control.number, 42);
    QCOMPARE(control.invoke(10, { 1, 2 }).value, QVariant(3));
    QCOMPARE(control.memberTable().find(11, MemberInfo::Kind::Method)->name,
             QStringLiteral("Fire"));
    QCOMPARE(control.memberTable().members(MemberInfo::Kind::Property).size(), 4);
    QCOMPARE(AutomationError(13).text(), QStringLiteral("Type mismatch"));
    QCOMPARE(AutomationError(481).text(), QStringLiteral("Invalid picture type"));
    QCOMPARE(AutomationError(31001, "Invalid number").text(), QStringLiteral("Invalid number"));
    control.beep();
    QCOMPARE(site.beeps, 1);
}

void TestComctl::eventsByReference()
{
    SampleControl control;
    QStringList seen;
    connect(&control, &ComControl::eventRaised, &control,
            [&](const QString &name, QVariantList &args) {
                seen << name;
                args[0] = -1;
            });
    QCOMPARE(control.invoke(QStringLiteral("Fire")).value, QVariant(-1));
    QCOMPARE(seen, QStringList { QStringLiteral("Ask") });
}

void TestComctl::conversions_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("expected"); // invalid: error expected
    QTest::addColumn<int>("error");
    QTest::newRow("int from half rounds to even") << "int" << QVariant(2.5) << QVariant(2) << 0;
    QTest::newRow("int from 3.5") << "int" << QVariant(3.5) << QVariant(4) << 0;
    QTest::newRow("int from comma text") << "int" << QVariant("7,4") << QVariant(7) << 0;
    QTest::newRow("int from true") << "int" << QVariant(true) << QVariant(-1) << 0;
    QTest::newRow("int from empty") << "int" << QVariant() << QVariant(0) << 0;
    QTest::newRow("int from text") << "int" << QVariant("zwölf") << QVariant() << 13;
    QTest::newRow("int from null") << "int" << Variants::null() << QVariant() << 13;
    QTest::newRow("int16 overflow") << "int16" << QVariant(40000) << QVariant() << 6;
    QTest::newRow("byte overflow") << "byte" << QVariant(-1) << QVariant() << 6;
    QTest::newRow("bool from text") << "bool" << QVariant("True") << QVariant(true) << 0;
    QTest::newRow("bool from zero") << "bool" << QVariant(0) << QVariant(false) << 0;
    QTest::newRow("bool from word") << "bool" << QVariant("ja") << QVariant() << 13;
    QTest::newRow("string from double") << "string" << QVariant(0.25) << QVariant("0.25") << 0;
    QTest::newRow("string from null") << "string" << Variants::null() << QVariant() << 13;
    QTest::newRow("colour system")
        << "color" << QVariant(qint64(0x80000008)) << QVariant(uint(0x80000008)) << 0;
    // OLE colours as the controls paint them; "palette" reads system colours from rolePalette().
    QTest::newRow("ole rgb") << "palette" << QVariant(qint64(0x00336699))
                             << QVariant(QColor(0x99, 0x66, 0x33)) << 0;
    const std::pair<quint32, std::pair<QPalette::ColorGroup, QPalette::ColorRole>> system[] = {
        { 0x80000005, { QPalette::Active, QPalette::Base } },
        { 0x80000008, { QPalette::Active, QPalette::Text } },
        { 0x8000000D, { QPalette::Active, QPalette::Highlight } },
        { 0x8000000E, { QPalette::Active, QPalette::HighlightedText } },
        { 0x8000000F, { QPalette::Active, QPalette::Button } },
        { 0x80000010, { QPalette::Active, QPalette::Dark } },
        { 0x80000011, { QPalette::Disabled, QPalette::Text } },
        { 0x80000012, { QPalette::Active, QPalette::ButtonText } },
        { 0x80000014, { QPalette::Active, QPalette::Light } },
        { 0x80000017, { QPalette::Active, QPalette::ToolTipText } },
        { 0x80000018, { QPalette::Active, QPalette::ToolTipBase } },
        { 0x80000001, { QPalette::Active, QPalette::WindowText } }, // no role of its own
    };
    for (const auto &[ole, groupRole] : system) {
        QTest::addRow("ole system %x", ole)
            << "palette" << QVariant(qint64(ole))
            << QVariant(roleColour(groupRole.first, groupRole.second)) << 0;
    }
    QTest::newRow("ole from qcolor")
        << "ole" << QVariant(QColor(0x12, 0x34, 0x56)) << QVariant(uint(0x563412)) << 0;
}

void TestComctl::conversions()
{
    QFETCH(QString, kind);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    QFETCH(int, error);
    try {
        QVariant got;
        if (kind == "int")
            got = Variants::toInt32(input);
        else if (kind == "int16")
            got = int(Variants::toInt16(input));
        else if (kind == "byte")
            got = int(Variants::toByte(input));
        else if (kind == "bool")
            got = Variants::toBool(input);
        else if (kind == "string")
            got = Variants::toString(input);
        else if (kind == "palette")
            got = OleColor::toQColor(Variants::toColor(input), rolePalette());
        else if (kind == "ole")
            got = uint(OleColor::fromQColor(input.value<QColor>()));
        else
            got = uint(Variants::toColor(input));
        QCOMPARE(error, 0);
        QCOMPARE(got, expected);
    } catch (const AutomationError &e) {
        QCOMPARE(e.number(), error);
    }
}

void TestComctl::bagRoundTrip()
{
    QTemporaryDir dir;
    PropertyBag bag;
    bag.write("Text", QStringLiteral("Größe \"x\""), QString());
    bag.write("Count", 5, 0);
    bag.write("Zero", 0, 0); // equal to its default: left out
    bag.write("Ratio", 0.25, QVariant());
    bag.write("On", false, true);
    bag.write("Nothing", Variants::null(), QVariant());
    QFont font(QStringLiteral("DejaVu Sans"), 11);
    font.setBold(true);
    bag.write("Font", font, QVariant());
    QVERIFY(!bag.contains("Zero"));
    const QString path = dir.filePath("bag.json");
    QVERIFY(bag.saveFile(path));
    PropertyBag loaded;
    QVERIFY(loaded.loadFile(path));
    QCOMPARE(loaded.read("Text").toString(), QStringLiteral("Größe \"x\""));
    QCOMPARE(loaded.read("Count").typeId(), int(QMetaType::Int));
    QCOMPARE(loaded.read("Count"), QVariant(5));
    QCOMPARE(loaded.read("Zero", 0), QVariant(0));
    QCOMPARE(loaded.read("Ratio"), QVariant(0.25));
    QCOMPARE(loaded.read("On", true), QVariant(false));
    QVERIFY(Variants::isNull(loaded.read("Nothing")));
    QCOMPARE(loaded.read("Font").value<QFont>().bold(), true);
    QCOMPARE(loaded.read("Font").value<QFont>().pointSize(), 11);
}

void TestComctl::bagRejectsBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("size");
    QTest::newRow("not json") << QByteArray("{{{") << false << 0;
    QTest::newRow("array") << QByteArray("[1,2]") << false << 0;
    QTest::newRow("no properties") << QByteArray("{\"x\":1}") << false << 0;
    QTest::newRow("bad tags skipped")
        << QByteArray("{\"properties\":{\"A\":{\"type\":\"int\",\"value\":\"x\"},"
                      "\"B\":5,\"C\":{\"type\":\"bool\",\"value\":true}}}")
        << true << 1;
}

void TestComctl::bagRejectsBrokenFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, ok);
    QFETCH(int, size);
    QTemporaryDir dir;
    QFile file(dir.filePath("b.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    PropertyBag bag;
    QString error;
    QCOMPARE(bag.loadFile(file.fileName(), &error), ok);
    QCOMPARE(bag.size(), size);
    QCOMPARE(error.isEmpty(), ok);
    QVERIFY(!bag.loadFile(dir.filePath("missing.json")));
}

void TestComctl::streamVersions()
{
    PropertyBag bag;
    bag.write("A", QStringLiteral("ä"), QString());
    QByteArray data;
    {
        QDataStream out(&data, QIODevice::WriteOnly);
        PropertyStream::save(out, bag, { 1, 3 });
    }
    PropertyBag loaded;
    PropertyStream::Version found;
    QDataStream in(data);
    QVERIFY(PropertyStream::load(in, &loaded, { 1, 0 }, &found));
    QCOMPARE(found.minor, quint16(3));
    QCOMPARE(loaded.read("A").toString(), QStringLiteral("ä"));

    QByteArray newer;
    {
        QDataStream out(&newer, QIODevice::WriteOnly);
        PropertyStream::save(out, bag, { 2, 0 });
    }
    QDataStream inNewer(newer);
    QVERIFY(!PropertyStream::load(inNewer, &loaded, { 1, 0 }));
    QDataStream truncated(data.left(data.size() - 2));
    QVERIFY(!PropertyStream::load(truncated, &loaded, { 1, 0 }));
    QDataStream garbage(QByteArray("garbage!garbage!"));
    QVERIFY(!PropertyStream::load(garbage, &loaded, { 1, 0 }));

    SampleControl control;
    control.number = 9;
    QByteArray saved;
    {
        QDataStream out(&saved, QIODevice::WriteOnly);
        control.saveToStream(out);
    }
    SampleControl copy;
    QDataStream back(saved);
    QVERIFY(copy.loadFromStream(back));
    QCOMPARE(copy.number, 9);
}

void TestComctl::exchange()
{
    PropertyBag bag;
    QVariant a = 5, b = QStringLiteral("x");
    PropertyExchange save(bag, PropertyExchange::Direction::Save);
    QVERIFY(save.exchangeVersion(1, 0));
    save.exchange("A", a, 1);
    save.exchange("B", b, QStringLiteral("x"));
    QVERIFY(!bag.contains("B"));
    QVariant a2, b2;
    PropertyExchange load(bag, PropertyExchange::Direction::Load);
    QVERIFY(load.exchangeVersion(1, 0));
    load.exchange("A", a2, 1);
    load.exchange("B", b2, QStringLiteral("x"));
    QCOMPARE(a2, QVariant(5));
    QCOMPARE(b2, QVariant(QStringLiteral("x")));
    bag.writeAlways("_version", 2 * 65536);
    PropertyExchange loadNewer(bag, PropertyExchange::Direction::Load);
    QVERIFY(!loadNewer.exchangeVersion(1, 0));
}

void TestComctl::registry()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/controls.json");
    qputenv("ERTRAGON_CONTROL_REGISTRY", path.toLocal8Bit());
    QCOMPARE(ControlRegistry::defaultPath(), path);
    ControlRegistry registry;
    QVERIFY(registry.load()); // missing file: empty
    ClassRegistration entry;
    entry.clsid = "{1}";
    entry.progId = "Test.Sample";
    entry.libraryPath = "/lib/x.so";
    entry.typeLibName = "TestLib";
    registry.add(entry);
    registry.add(entry); // replaces
    QVERIFY(registry.save());
    ControlRegistry reread;
    QVERIFY(reread.load());
    QCOMPARE(reread.classes().size(), 1);
    QCOMPARE(reread.findByProgId("test.sample")->typeLibName, QStringLiteral("TestLib"));
    QVERIFY(!reread.findByProgId("Other"));
    QVERIFY(reread.remove("{1}"));
    QVERIFY(!reread.remove("{1}"));

    QFile broken(path);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not json at all");
    broken.close();
    ControlRegistry damaged;
    QVERIFY(!damaged.load());
    QVERIFY(damaged.classes().isEmpty());
    qunsetenv("ERTRAGON_CONTROL_REGISTRY");
}

static void anchorFunction() { }

void TestComctl::moduleEntryPoints()
{
    QTemporaryDir dir;
    qputenv("ERTRAGON_CONTROL_REGISTRY", dir.filePath("controls.json").toLocal8Bit());
    ComModule module;
    ClassRegistration reg;
    reg.clsid = "{ABC}";
    reg.progId = "Test.Sample";
    module.addFactory(std::make_unique<ClassFactory>(
        reg, [](QWidget *parent) { return new SampleControl(parent); }));
    const void *anchor = reinterpret_cast<const void *>(&anchorFunction);
    QVERIFY(!ComModule::libraryPath(anchor).isEmpty());
    QCOMPARE(module.registerServer(anchor), HResult::ok);
    ControlRegistry registry;
    QVERIFY(registry.load());
    QCOMPARE(registry.findByProgId("Test.Sample")->libraryPath, ComModule::libraryPath(anchor));

    void *object = nullptr;
    QCOMPARE(module.getClassObject("{nope}", &object, anchor), HResult::classNotAvailable);
    QVERIFY(!object);
    QCOMPARE(module.getClassObject("{abc}", &object, anchor), HResult::ok);
    auto *factory = static_cast<ClassFactory *>(object);
    QCOMPARE(module.canUnloadNow(), HResult::ok);
    ComControl *control = factory->createInstance(nullptr);
    QCOMPARE(module.canUnloadNow(), HResult::falseResult);
    delete control;
    QCOMPARE(module.canUnloadNow(), HResult::ok);
    factory->lockServer(true);
    QCOMPARE(module.canUnloadNow(), HResult::falseResult);
    factory->lockServer(false);
    QCOMPARE(module.unregisterServer(anchor), HResult::ok);
    QVERIFY(registry.load());
    QVERIFY(registry.classes().isEmpty());
    qunsetenv("ERTRAGON_CONTROL_REGISTRY");
}

void TestComctl::siteScaleUnits()
{
    HostSite site;
    QCOMPARE(site.pixelsToContainer(10), 150.0);
    QCOMPARE(site.twipsToContainer(300), 300.0);
    site.setScaleUnits("Pixel");
    QCOMPARE(site.pixelsToContainer(10), 10.0);
    QCOMPARE(site.twipsToContainer(300), 20.0);
    QCOMPARE(site.containerToPixels(20), 20.0);
    QWidget form;
    SampleControl a(&form), b(&form);
    a.setObjectName("Sample1");
    QCOMPARE(site.extenderName(&a), QStringLiteral("Sample1"));
    QCOMPARE(site.formControls(&a), QList<QWidget *> { &b });
}

QTEST_MAIN(TestComctl)
#include "tst_comctl.moc"
