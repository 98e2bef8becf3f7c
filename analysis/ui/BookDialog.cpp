#include "BookDialog.h"

#include "Prompter.h"
#include "ViewMemory.h"
#include "WindowBook.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace ertragon {

namespace {

using Level = ReportBook::Level;
constexpr std::array<Level, 4> levelOrder { Level::ProfitCentre, Level::MainDepartment,
                                            Level::Department, Level::MainGroup };

// At most this many units left out are named in the closing message.
constexpr int namedLeftOut = 10;

} // namespace

BookDialog::BookDialog(WindowBook &book, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_book(book)
    , m_prompter(prompter)
    , edtDatei(new QLineEdit(this))
    , cmdDatei(new QPushButton(QStringLiteral("Durchsuchen…"), this))
{
    setObjectName(QStringLiteral("frmBerichtsmappe"));
    setWindowTitle(QStringLiteral("Berichtsmappe"));
    m_chooseFile = [this](const QString &caption, const QString &filter) {
        return QFileDialog::getSaveFileName(this, caption, edtDatei->text(), filter);
    };

    auto *levels = new QGroupBox(QStringLiteral("Eine Seite je Einheit, verschachtelt:"), this);
    auto *levelLayout = new QVBoxLayout(levels);
    const QString captions[4]
        = { QStringLiteral("&Profitcenter (PC)"), QStringLiteral("&Hauptabteilungen (HABT)"),
            QStringLiteral("&Abteilungen (ABT)"), QStringLiteral("Haupt&gruppen (HG)") };
    const char *names[4] = { "chkPC", "chkHABT", "chkABT", "chkHG" };
    for (size_t i = 0; i < chkLevel.size(); ++i) {
        chkLevel[i] = new QCheckBox(captions[i], levels);
        chkLevel[i]->setObjectName(QString::fromLatin1(names[i]));
        levelLayout->addWidget(chkLevel[i]);
    }
    chkLevel[2]->setChecked(true);

    edtDatei->setObjectName(QStringLiteral("edtDatei"));
    edtDatei->setMinimumWidth(320);
    cmdDatei->setObjectName(QStringLiteral("cmdDatei"));
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(edtDatei, 1);
    fileRow->addWidget(cmdDatei);
    auto *form = new QFormLayout;
    // The field is a row of two widgets, so the label needs its buddy named.
    auto *fileLabel = new QLabel(QStringLiteral("&Datei:"), this);
    fileLabel->setBuddy(edtDatei);
    form->addRow(fileLabel, fileRow);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *create
        = buttons->addButton(QStringLiteral("&Erstellen"), QDialogButtonBox::AcceptRole);
    create->setObjectName(QStringLiteral("cmdErstellen"));
    create->setDefault(true);
    QPushButton *cancel
        = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(levels);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(cmdDatei, &QPushButton::clicked, this, &BookDialog::chooseFile);
    connect(create, &QPushButton::clicked, this, &BookDialog::create);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void BookDialog::setMemory(ViewMemory *memory)
{
    m_memory = memory;
    if (!memory)
        return;
    const QStringList levels = memory->value(QStringLiteral("MappeEbenen")).toStringList();
    if (!levels.isEmpty()) {
        for (size_t i = 0; i < chkLevel.size(); ++i)
            chkLevel[i]->setChecked(levels.contains(chkLevel[i]->objectName()));
    }
    edtDatei->setText(memory->value(QStringLiteral("MappeDatei")).toString());
}

QList<ReportBook::Level> BookDialog::chosenLevels() const
{
    QList<Level> levels;
    for (size_t i = 0; i < chkLevel.size(); ++i) {
        if (chkLevel[i]->isChecked())
            levels << levelOrder[i];
    }
    return levels;
}

void BookDialog::chooseFile()
{
    const QString path = m_chooseFile(QStringLiteral("Berichtsmappe speichern"),
                                      QStringLiteral("PDF-Dateien (*.pdf)"));
    if (!path.isEmpty())
        edtDatei->setText(path);
}

void BookDialog::tell(const QString &text, bool failed)
{
    m_prompter.inform(failed ? Prompter::Icon::Critical : Prompter::Icon::Information,
                      windowTitle(), text);
}

void BookDialog::create()
{
    const QList<Level> levels = chosenLevels();
    const QString path = edtDatei->text().trimmed();
    if (levels.isEmpty() || path.isEmpty()) {
        tell(levels.isEmpty() ? QStringLiteral("Bitte mindestens eine Ebene wählen.")
                              : QStringLiteral("Bitte eine Datei angeben."),
             true);
        return;
    }
    QProgressDialog progress(QStringLiteral("Die Berichtsmappe wird erstellt …"),
                             QStringLiteral("Abbrechen"), 0, 0, this);
    progress.setObjectName(QStringLiteral("BookProgress"));
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const WindowBook::Result result
        = m_book.make(levels, path, [&progress](int n, int count, const QString &title) {
              progress.setMaximum(count);
              progress.setValue(n);
              progress.setLabelText(
                  QStringLiteral("Seite %1 von %2: %3").arg(n).arg(count).arg(title));
              QCoreApplication::processEvents();
              return !progress.wasCanceled();
          });
    QApplication::restoreOverrideCursor();
    progress.hide();

    switch (result.kind) {
    case WindowBook::Result::Written: {
        if (m_memory) {
            QStringList names;
            for (const QCheckBox *level : chkLevel) {
                if (level->isChecked())
                    names << level->objectName();
            }
            m_memory->setValue(QStringLiteral("MappeEbenen"), names);
            m_memory->setValue(QStringLiteral("MappeDatei"), path);
            m_memory->sync();
        }
        QString text = QStringLiteral("Die Berichtsmappe mit %1 Seiten ist gespeichert:\n%2")
                           .arg(result.pages)
                           .arg(path);
        if (!result.leftOut.isEmpty()) {
            QStringList names;
            for (int i = 0; i < result.leftOut.size() && i < namedLeftOut; ++i)
                names << result.leftOut.at(i).title();
            if (result.leftOut.size() > namedLeftOut)
                names
                    << QStringLiteral("… und %1 weitere").arg(result.leftOut.size() - namedLeftOut);
            text += QStringLiteral("\n\nOhne Zahlen in den sechs Jahren, nicht in der Mappe:\n")
                + names.join(QLatin1Char('\n'));
        }
        tell(text, false);
        accept();
        return;
    }
    case WindowBook::Result::Cancelled:
        tell(QStringLiteral("Die Berichtsmappe wurde abgebrochen; es ist keine Datei geschrieben."),
             false);
        return;
    case WindowBook::Result::Empty:
        tell(QStringLiteral("Keine Einheit dieser Ebenen hat Zahlen, die Sie sehen dürfen; es ist "
                            "keine Datei geschrieben."),
             true);
        return;
    case WindowBook::Result::Failed:
        break;
    }
    tell(QStringLiteral("Die Berichtsmappe konnte nicht gespeichert werden.\n") + result.error,
         true);
}

} // namespace ertragon
