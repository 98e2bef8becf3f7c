#include "ControlHost.h"
#include "HostWindow.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

// The interactive container over the real Edit control library.
class TestHostWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void gridShowsAndWritesProperties();

private:
    QTemporaryDir m_dir;
};

void TestHostWindow::initTestCase()
{
    qputenv("ERTRAGON_CONTROL_REGISTRY", m_dir.filePath("controls.json").toLocal8Bit());
}

void TestHostWindow::gridShowsAndWritesProperties()
{
    HostWindow window;
    window.runCommand(QStringLiteral("register " INKORA_LIBRARY));
    window.runCommand(QStringLiteral("create Inkolib.Edit"));
    QVERIFY(window.host()->control());
    auto *grid = window.findChild<QTableWidget *>();
    QVERIFY(grid->rowCount() > 30);
    int textArtRow = -1;
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (grid->item(row, 0)->text() == QLatin1String("TextArt"))
            textArtRow = row;
    }
    QVERIFY(textArtRow >= 0);
    QCOMPARE(grid->item(textArtRow, 1)->text(), QStringLiteral("2"));
    grid->item(textArtRow, 1)->setText(QStringLiteral("0"));
    QCOMPARE(window.host()->control()->get(QStringLiteral("TextArt")).value, QVariant(0));
    auto *methods = window.findChild<QComboBox *>();
    QVERIFY(methods->findText(QStringLiteral("EditArtName")) >= 0);
    window.runCommand(QStringLiteral("call EditArtName 3"));
    const QString log = window.findChild<QPlainTextEdit *>()->toPlainText();
    QVERIFY(log.contains(QStringLiteral("= \"AlphaNumGroß\"")));
    QVERIFY(log.contains(QStringLiteral("Change")));
}

QTEST_MAIN(TestHostWindow)
#include "tst_hostwindow.moc"
