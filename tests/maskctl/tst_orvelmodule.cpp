#include "comctl/ComControl.h"
#include "comctl/ControlLoader.h"
#include "comctl/ControlRegistry.h"
#include "comctl/HResult.h"
#include "comctl/HostSite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <memory>

// The Orvel library as a host sees it: loaded by path, registered, asked for its class
// factory, and its control created by ProgID and driven by name only.
class TestOrvelModule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void registrationEntries();
    void classObjectAndUnloading();
    void monthInputThroughTheFactory_data();
    void monthInputThroughTheFactory();
    void lookupAcrossRegistries_data();
    void lookupAcrossRegistries();
    void unregistrationRemovesEntries();

private:
    using GetClassObject = std::int32_t (*)(const char *, void **);
    using Entry = std::int32_t (*)();

    QTemporaryDir m_dir;
    QLibrary m_library { QStringLiteral(ORVEL_LIBRARY) };
    const QString m_clsid = QStringLiteral("{5B1C2E40-7A3D-4E8F-9C21-3D6A0F4B7E11}");
};

void TestOrvelModule::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("ERTRAGON_CONTROL_REGISTRY", m_dir.filePath("controls.json").toLocal8Bit());
    QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
    const comctl::AutomationError error
        = comctl::ControlLoader::registerLibrary(QStringLiteral(ORVEL_LIBRARY));
    QVERIFY2(!error.isError(), qPrintable(error.text()));
}

void TestOrvelModule::registrationEntries()
{
    comctl::ControlRegistry registry;
    QVERIFY(registry.load());
    const auto entry = registry.findByProgId(QStringLiteral("Zifra.Tallix.1"));
    QVERIFY(entry);
    QCOMPARE(entry->clsid, m_clsid);
    QCOMPARE(entry->userTypeName, QStringLiteral("Brellis Masked Numeric Control"));
    QCOMPARE(entry->miscStatus, 131473u);
    QCOMPARE(entry->typeLibName, QStringLiteral("Tallix"));
    QCOMPARE(entry->typeLibVersion, QStringLiteral("1.0"));
    QCOMPARE(entry->toolboxBitmap, 1);
    QVERIFY(entry->control);
    QCOMPARE(QFileInfo(entry->libraryPath).canonicalFilePath(),
             QFileInfo(QStringLiteral(ORVEL_LIBRARY)).canonicalFilePath());
}

void TestOrvelModule::classObjectAndUnloading()
{
    auto getClassObject = reinterpret_cast<GetClassObject>(m_library.resolve("DllGetClassObject"));
    auto canUnload = reinterpret_cast<Entry>(m_library.resolve("DllCanUnloadNow"));
    QVERIFY(getClassObject && canUnload);
    void *factory = nullptr;
    QCOMPARE(getClassObject("{00000000-0000-0000-0000-000000000000}", &factory),
             comctl::HResult::classNotAvailable);
    QVERIFY(!factory);
    QCOMPARE(getClassObject(m_clsid.toLatin1().constData(), &factory), comctl::HResult::ok);
    QVERIFY(factory);

    QCOMPARE(canUnload(), comctl::HResult::ok);
    comctl::HostSite site; // outlives the form and its controls
    comctl::AutomationError error;
    QWidget form;
    comctl::ComControl *first
        = comctl::ControlLoader::create("Zifra.Tallix.1", &form, &site, &error);
    comctl::ComControl *second
        = comctl::ControlLoader::create("Zifra.Tallix.1", &form, &site, &error);
    QVERIFY(first && second && first != second); // one object per request
    QCOMPARE(first->progId(), QStringLiteral("Zifra.Tallix.1"));
    QCOMPARE(canUnload(), comctl::HResult::falseResult);
    delete first;
    QCOMPARE(canUnload(), comctl::HResult::falseResult);
    delete second;
    QCOMPARE(canUnload(), comctl::HResult::ok);
}

void TestOrvelModule::monthInputThroughTheFactory_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("validation");
    QTest::newRow("7") << "7"
                       << "7" << QVariant(7) << 0;
    QTest::newRow("12") << "12"
                        << "12" << QVariant(12) << 0;
    QTest::newRow("third digit refused") << "125"
                                         << "12" << QVariant(12) << 0;
    QTest::newRow("13") << "13"
                        << "13" << QVariant(13) << 5;
    QTest::newRow("0") << "0"
                       << "0" << QVariant(0) << 5;
    QTest::newRow("lone zero replaced") << "05"
                                        << "5" << QVariant(5) << 0;
    QTest::newRow("no sign") << "-3"
                             << "3" << QVariant(3) << 0;
}

void TestOrvelModule::monthInputThroughTheFactory()
{
    QFETCH(QString, typed);
    QFETCH(QVariant, value);
    comctl::HostSite site; // outlives the form and its controls
    comctl::AutomationError error;
    QWidget form;
    comctl::ComControl *txtMonat
        = comctl::ControlLoader::create("Zifra.Tallix.1", &form, &site, &error);
    QVERIFY2(txtMonat, qPrintable(error.text()));
    txtMonat->setObjectName("txtMonat");
    txtMonat->initNew();
    const QVariantMap settings = {
        { "MaskType", 0 },           { "MaskDecimalPlaces", 0 },
        { "MaskWholePlaces", 2 },    { "MaskAllowNegative", false },
        { "DataType", 1 },           { "ValidateType", 1 },
        { "ValidateRangeLow", "1" }, { "ValidateRangeHigh", "12" },
        { "Alignment", 1 },
    };
    for (auto it = settings.begin(); it != settings.end(); ++it)
        QVERIFY2(txtMonat->put(it.key(), it.value()).ok(), qPrintable(it.key()));
    form.show();
    txtMonat->setFocus();
    QTest::keyClick(txtMonat, Qt::Key_End);
    QTest::keyClicks(txtMonat, typed);
    QTEST(txtMonat->get("Text").value.toString(), "text");
    QCOMPARE(txtMonat->get("Value").value.toInt(), value.toInt());
    QTEST(txtMonat->invoke("Validate").value.toInt(), "validation");
    QCOMPARE(txtMonat->put("Text", "1.5").error.number(), 13); // no decimals in a month
}

namespace {

// Writes a registry file at path with Orvel's entry: "good" names the library, "gone" a
// library that is not there, "none" writes no file.
bool writeEntry(const QString &path, const QString &kind)
{
    if (kind == QLatin1String("none"))
        return true;
    qputenv("ERTRAGON_CONTROL_REGISTRY", QFile::encodeName(path));
    if (comctl::ControlLoader::registerLibrary(QStringLiteral(ORVEL_LIBRARY)).isError())
        return false;
    if (kind == QLatin1String("good"))
        return true;
    comctl::ControlRegistry registry(path);
    if (!registry.load() || registry.classes().isEmpty())
        return false;
    comctl::ClassRegistration entry = registry.classes().first();
    entry.libraryPath = QStringLiteral("/nowhere/libOrvel.so.1");
    registry.add(entry);
    return registry.save();
}

QStringList loaderMessages;

void keepLoaderMessage(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, "comctl") == 0)
        loaderMessages.append(message);
}

} // namespace

// A host looks a ProgID up in the user's registry, then in the system registry (a folder
// with one file per library); an entry whose library is gone gives way to the next one.
void TestOrvelModule::lookupAcrossRegistries_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("servedBy"); // "user", "system", or the error number
    QTest::newRow("user's entry first") << "good"
                                        << "good"
                                        << "user";
    QTest::newRow("system only, nothing written for the user") << "none"
                                                               << "good"
                                                               << "system";
    QTest::newRow("user's library gone") << "gone"
                                         << "good"
                                         << "system";
    QTest::newRow("system's library gone") << "good"
                                           << "gone"
                                           << "user";
    QTest::newRow("both gone: file not found") << "gone"
                                               << "gone"
                                               << "53";
    QTest::newRow("registered nowhere") << "none"
                                        << "none"
                                        << "429";
}

void TestOrvelModule::lookupAcrossRegistries()
{
    QFETCH(QString, user);
    QFETCH(QString, system);
    QFETCH(QString, servedBy);
    QTemporaryDir dir;
    const QString userFile = dir.filePath(QStringLiteral("user/controls.json"));
    const QString systemFile = dir.filePath(QStringLiteral("system/Orvel.json"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("system"))));
    QVERIFY(writeEntry(systemFile, system));
    QVERIFY(writeEntry(userFile, user));
    const QByteArray systemBefore = qgetenv("ERTRAGON_SYSTEM_CONTROL_REGISTRY");
    qputenv("ERTRAGON_CONTROL_REGISTRY", QFile::encodeName(userFile));
    qputenv("ERTRAGON_SYSTEM_CONTROL_REGISTRY", QFile::encodeName(dir.filePath("system")));
    QCOMPARE(comctl::ControlRegistry::searchOrder().size(), system == "none" ? 1 : 2);

    loaderMessages.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("comctl.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(keepLoaderMessage);
    comctl::HostSite site;
    comctl::AutomationError error;
    std::unique_ptr<comctl::ComControl> control(
        comctl::ControlLoader::create("Zifra.Tallix.1", nullptr, &site, &error));
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    qputenv("ERTRAGON_CONTROL_REGISTRY", m_dir.filePath("controls.json").toLocal8Bit());
    qputenv("ERTRAGON_SYSTEM_CONTROL_REGISTRY", systemBefore);

    if (servedBy == "user" || servedBy == "system") {
        QVERIFY2(control, qPrintable(error.text()));
        const QString registry = servedBy == "user" ? userFile : systemFile;
        QVERIFY2(loaderMessages.last().endsWith("(registry " + registry + ")"),
                 qPrintable(loaderMessages.join('\n')));
    } else {
        QVERIFY(!control);
        QCOMPARE(QString::number(error.number()), servedBy);
    }
    QCOMPARE(QFileInfo::exists(userFile), user != "none"); // looking up writes nothing
}

void TestOrvelModule::unregistrationRemovesEntries()
{
    QVERIFY(!comctl::ControlLoader::unregisterLibrary(QStringLiteral(ORVEL_LIBRARY)).isError());
    comctl::ControlRegistry registry;
    QVERIFY(registry.load());
    QVERIFY(!registry.findByProgId(QStringLiteral("Zifra.Tallix.1")));
    comctl::AutomationError error;
    QVERIFY(!comctl::ControlLoader::create("Zifra.Tallix.1", nullptr, nullptr, &error));
    QCOMPARE(error.number(), 429);
}

QTEST_MAIN(TestOrvelModule)
#include "tst_orvelmodule.moc"
