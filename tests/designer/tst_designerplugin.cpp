#include "comctl/ComControl.h"

#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtTest>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

namespace {

// The control inside a widget the plugin made, read through its own members.
QVariant controlMember(QWidget *widget, const QString &member)
{
    // The control's class comes from the library's own copy of comctl: found by name.
    auto *control = static_cast<comctl::ComControl *>(
        widget->findChild<QWidget *>(QStringLiteral("control")));
    return control ? control->get(member).value : QVariant();
}

} // namespace

class DesignerPluginTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void properties_data();
    void properties();
    void uiFile();

private:
    QPluginLoader m_loader { QStringLiteral(DESIGNER_PLUGIN) };
    QDesignerCustomWidgetCollectionInterface *m_collection = nullptr;
};

void DesignerPluginTest::initTestCase()
{
    QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
    m_collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(m_loader.instance());
    QVERIFY(m_collection);
    QStringList names;
    for (QDesignerCustomWidgetInterface *widget : m_collection->customWidgets()) {
        names << widget->name();
        QCOMPARE(widget->group(), QStringLiteral("Ertragon Controls"));
    }
    QCOMPARE(names, (QStringList { "Edit", "Tallix" }));
}

void DesignerPluginTest::properties_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("property"); // the ASCII name Designer shows
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("member"); // the control's own member
    QTest::newRow("Edit MaxLaenge")
        << "Edit" << QByteArray("MaxLaenge") << QVariant(7) << QStringLiteral("MaxLänge");
    QTest::newRow("Edit MinLaenge")
        << "Edit" << QByteArray("MinLaenge") << QVariant(2) << QStringLiteral("MinLänge");
    QTest::newRow("Edit FuehrendeNullenLoeschen")
        << "Edit" << QByteArray("FuehrendeNullenLoeschen") << QVariant(true)
        << QStringLiteral("FührendeNullenLöschen");
    QTest::newRow("Edit Text") << "Edit" << QByteArray("Text") << QVariant(QStringLiteral("Jörg"))
                               << QStringLiteral("Text");
    QTest::newRow("Tallix MaskType")
        << "Tallix" << QByteArray("MaskType") << QVariant(1) << QStringLiteral("MaskType");
    QTest::newRow("Tallix MaskWholePlaces") << "Tallix" << QByteArray("MaskWholePlaces")
                                            << QVariant(3) << QStringLiteral("MaskWholePlaces");
    QTest::newRow("Tallix SpinButton")
        << "Tallix" << QByteArray("SpinButton") << QVariant(true) << QStringLiteral("SpinButton");
    QTest::newRow("Tallix Text") << "Tallix" << QByteArray("Text") << QVariant(QStringLiteral("42"))
                                 << QStringLiteral("Text");
}

void DesignerPluginTest::properties()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(QString, member);
    QDesignerCustomWidgetInterface *plugin = nullptr;
    for (QDesignerCustomWidgetInterface *candidate : m_collection->customWidgets()) {
        if (candidate->name() == widget)
            plugin = candidate;
    }
    QVERIFY(plugin);
    std::unique_ptr<QWidget> made(plugin->createWidget(nullptr));
    QVERIFY(made);
    QVERIFY(made->findChild<QWidget *>(QStringLiteral("control")));
    QVERIFY2(made->metaObject()->indexOfProperty(property.constData()) >= 0, property.constData());
    QVERIFY(made->setProperty(property.constData(), value));
    QCOMPARE(controlMember(made.get(), member).toString(), value.toString());
    QCOMPARE(made->property(property.constData()).toString(), value.toString());
}

void DesignerPluginTest::uiFile()
{
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(DESIGNER_PLUGIN)).absolutePath());
    QVERIFY(loader.availableWidgets().contains(QStringLiteral("Tallix")));
    QFile file(QStringLiteral(CONTROLS_UI));
    QVERIFY(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    QVERIFY2(form, qPrintable(loader.errorString()));
    QWidget *edit = form->findChild<QWidget *>(QStringLiteral("edit1"));
    QWidget *tallix = form->findChild<QWidget *>(QStringLiteral("tallix1"));
    QVERIFY(edit && tallix);
    QCOMPARE(controlMember(edit, QStringLiteral("MaxLänge")).toInt(), 12);
    QCOMPARE(controlMember(edit, QStringLiteral("Text")).toString(), QStringLiteral("Müller"));
    QCOMPARE(controlMember(tallix, QStringLiteral("MaskWholePlaces")).toInt(), 4);
    QCOMPARE(controlMember(tallix, QStringLiteral("Text")).toString(), QStringLiteral("815"));
}

QTEST_MAIN(DesignerPluginTest)
#include "tst_designerplugin.moc"
