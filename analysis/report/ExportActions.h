#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <utility>

class QAbstractItemModel;
class QAction;
class QMenu;
class QWidget;

namespace ertragon {
class Prompter;
class UserValues;
} // namespace ertragon

namespace ertragon::report {

class PrintController;

// The file menu's export commands after "&Drucken": PDF, picture, the value table as
// CSV, the breakdown as CSV and both as a workbook. Each suggests the name the user gave
// its last file, or else a name from the selection and the day, in the folder of the
// user's last export, and adds the extension the user left out. Where to save and at
// which resolution are asked through replaceable functions; failures are reported
// through the prompter.
class ExportActions : public QObject
{
    Q_OBJECT
public:
    using FileChooser = std::function<QString(const QString &caption, const QString &filter,
                                              const QString &suggestedPath)>;
    using DpiChooser = std::function<std::optional<int>()>;

    ExportActions(PrintController &controller, Prompter &prompter, QWidget *window);

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setDpiChooser(DpiChooser chooser) { m_chooseDpi = std::move(chooser); }
    // Where the logged-in user's last folder and file names are kept; none: nothing kept.
    void setMemory(UserValues *memory) { m_memory = memory; }
    // The breakdown table with the role of its plain numbers and that of its numbers.
    void setBreakdown(const QAbstractItemModel *table, int plainRole, int numberRole);

    // Inserts the actions into menu after the given action (or at the end).
    void install(QMenu *menu, QAction *after);

    QAction *pdfAction() const { return m_pdf; }
    QAction *pngAction() const { return m_png; }
    QAction *csvAction() const { return m_csv; }
    QAction *detailsCsvAction() const { return m_detailsCsv; }
    QAction *xlsxAction() const { return m_xlsx; }

private:
    using Writer = std::function<bool(const QString &path, QString *error)>;
    // One export command: its kind among the remembered names, menu text, object name,
    // file filter and extension.
    struct Export
    {
        const char *kind;
        const char *text;
        const char *objectName;
        const char *filter;
        const char *extension;
    };
    // Asks for the file (suggested name, last folder), adds the extension, writes it and
    // remembers its folder and, when the user chose another, its name; a failure is told
    // the user. kind names the export among the remembered names.
    void save(const QString &kind, const QString &caption, const QString &filter,
              const QString &extension, const Writer &write);
    QString suggestedPath(const QString &kind, const QString &generatedName) const;
    void remember(const QString &kind, const QString &path, const QString &generatedName);
    QAction *addExport(const Export &kind, Writer write);
    void reportFailure(const QString &error);

    PrintController &m_controller;
    Prompter &m_prompter;
    FileChooser m_chooseFile;
    DpiChooser m_chooseDpi;
    UserValues *m_memory = nullptr;
    const QAbstractItemModel *m_breakdown = nullptr;
    int m_plainRole = 0;
    int m_numberRole = 0;
    QList<QAction *> m_actions;
    QAction *m_pdf = nullptr;
    QAction *m_png = nullptr;
    QAction *m_csv = nullptr;
    QAction *m_detailsCsv = nullptr;
    QAction *m_xlsx = nullptr;
};

} // namespace ertragon::report
