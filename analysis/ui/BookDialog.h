#pragma once

#include "ReportBook.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ertragon {

class Prompter;
class ViewMemory;
class WindowBook;

// "Berichtsmappe": the levels of the book and its file; makes the book beside
// a progress dialog that can cancel it (a cancelled book writes nothing).
class BookDialog : public QDialog
{
    Q_OBJECT
public:
    using FileChooser = std::function<QString(const QString &caption, const QString &filter)>;

    BookDialog(WindowBook &book, Prompter &prompter, QWidget *parent = nullptr);
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // Where the levels and the file of the last book written are kept; they are shown now.
    void setMemory(ViewMemory *memory);

    // "Erstellen": checks the input, makes the book and says how it went.
    void create();

private:
    QList<ReportBook::Level> chosenLevels() const;
    void chooseFile();
    void tell(const QString &text, bool failed);

    WindowBook &m_book;
    Prompter &m_prompter;
    FileChooser m_chooseFile;
    std::array<QCheckBox *, 4> chkLevel {};
    QLineEdit *edtDatei;
    QPushButton *cmdDatei;
    ViewMemory *m_memory = nullptr;
};

} // namespace ertragon
