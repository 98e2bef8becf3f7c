#pragma once

#include <QObject>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace ertragon {
class Prompter;
}

namespace ertragon::report {

class PrintController;

// The file menu's export commands after "&Drucken": PDF, picture and the
// value table as CSV. Where to save and at which resolution are asked through
// replaceable functions; failures are reported through the prompter.
class ExportActions : public QObject
{
    Q_OBJECT
public:
    using FileChooser = std::function<QString(const QString &caption, const QString &filter)>;
    using DpiChooser = std::function<std::optional<int>()>;

    ExportActions(PrintController &controller, Prompter &prompter, QWidget *window);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setDpiChooser(DpiChooser chooser) { m_chooseDpi = std::move(chooser); }

    // Inserts the three actions into menu after the given action (or at the end).
    void install(QMenu *menu, QAction *after);

    QAction *pdfAction() const { return m_pdf; }
    QAction *pngAction() const { return m_png; }
    QAction *csvAction() const { return m_csv; }

public Q_SLOTS:
    void savePdf();
    void savePng();
    void saveCsv();

private:
    void reportFailure(const QString &error);

    PrintController &m_controller;
    Prompter &m_prompter;
    FileChooser m_chooseFile;
    DpiChooser m_chooseDpi;
    QAction *m_pdf = nullptr;
    QAction *m_png = nullptr;
    QAction *m_csv = nullptr;
};

} // namespace ertragon::report
