#include "ExportActions.h"

#include "DetailsCsv.h"
#include "ExportNames.h"
#include "PrintController.h"
#include "Prompter.h"
#include "ReportData.h"
#include "UserValues.h"
#include "XlsxExport.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>

namespace ertragon::report {

ExportActions::ExportActions(PrintController &controller, Prompter &prompter, QWidget *window)
    : QObject(window)
    , m_controller(controller)
    , m_prompter(prompter)
{
    m_chooseFile
        = [window](const QString &caption, const QString &filter, const QString &suggested) {
              return QFileDialog::getSaveFileName(window, caption, suggested, filter);
          };
    m_chooseDpi = [window]() -> std::optional<int> {
        bool ok = false;
        const int dpi
            = QInputDialog::getInt(window, QStringLiteral("Als Bild speichern"),
                                   QStringLiteral("Auflösung (dpi):"), 150, 30, 600, 10, &ok);
        return ok ? std::optional<int>(dpi) : std::nullopt;
    };
    m_pdf = addAction(QStringLiteral("Als &PDF speichern..."), "mAlsPdf", &ExportActions::savePdf);
    m_png
        = addAction(QStringLiteral("Als B&ild speichern..."), "mAlsBild", &ExportActions::savePng);
    m_csv = addAction(QStringLiteral("Tabelle als &CSV speichern..."), "mAlsCsv",
                      &ExportActions::saveCsv);
    m_detailsCsv = addAction(QStringLiteral("De&tails als CSV speichern..."), "mDetailsCsv",
                             &ExportActions::saveDetailsCsv);
    m_xlsx = addAction(QStringLiteral("Als E&xcel-Mappe speichern..."), "mAlsXlsx",
                       &ExportActions::saveXlsx);
}

QAction *ExportActions::addAction(const QString &text, const char *name,
                                  void (ExportActions::*slot)())
{
    auto *action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, slot);
    m_actions.append(action);
    return action;
}

void ExportActions::setBreakdown(const QAbstractItemModel *table, int plainRole, int numberRole)
{
    m_breakdown = table;
    m_plainRole = plainRole;
    m_numberRole = numberRole;
    // Only a shown breakdown can be saved.
    const auto follow
        = [this] { m_detailsCsv->setEnabled(m_breakdown && m_breakdown->columnCount() > 0); };
    follow();
    if (table)
        connect(table, &QAbstractItemModel::modelReset, this, follow);
}

void ExportActions::install(QMenu *menu, QAction *after)
{
    if (!menu)
        return;
    const QList<QAction *> actions = menu->actions();
    const qsizetype at = after ? actions.indexOf(after) : -1;
    QAction *before = (at >= 0 && at + 1 < actions.size()) ? actions[at + 1] : nullptr;
    menu->insertActions(before,
                        m_breakdown ? m_actions : QList<QAction *> { m_pdf, m_png, m_csv, m_xlsx });
}

void ExportActions::reportFailure(const QString &error)
{
    m_prompter.inform(Prompter::Icon::Critical, QStringLiteral("Fehlermeldung"),
                      QStringLiteral("Die Datei konnte nicht gespeichert werden.\n") + error);
}

namespace {

const QString folderKey = QStringLiteral("Exportordner");

QString nameKey(const QString &kind)
{
    return QStringLiteral("Exportdatei_") + kind;
}

} // namespace

QString ExportActions::suggestedPath(const QString &kind, const QString &generatedName) const
{
    QString folder = m_memory ? m_memory->value(folderKey).toString() : QString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString name = m_memory ? m_memory->value(nameKey(kind)).toString() : QString();
    // Only a plain file name is taken from the file: nothing that leads elsewhere.
    if (name.isEmpty() || name != QFileInfo(name).fileName() || name.startsWith(u'.'))
        name = generatedName;
    return QDir(folder).filePath(name);
}

void ExportActions::remember(const QString &kind, const QString &path, const QString &generatedName)
{
    if (!m_memory)
        return;
    const QFileInfo file(path);
    m_memory->setValue(folderKey, file.absolutePath());
    // A name of the user's own is offered again; the generated one follows the selection.
    m_memory->setValue(nameKey(kind),
                       file.fileName() == generatedName ? QVariant() : QVariant(file.fileName()));
    m_memory->sync();
}

void ExportActions::save(const QString &kind, const QString &caption, const QString &filter,
                         const QString &extension, const Writer &write)
{
    const QString generated = ExportNames::suggested(m_controller.report(), extension);
    const QString path = ExportNames::withExtension(
        m_chooseFile(caption, filter, suggestedPath(kind, generated)), extension);
    if (path.isEmpty())
        return;
    QString error;
    if (write(path, &error))
        remember(kind, path, generated);
    else if (!error.isNull())
        reportFailure(error);
}

void ExportActions::savePdf()
{
    save(QStringLiteral("Pdf"), QStringLiteral("Als PDF speichern"),
         QStringLiteral("PDF-Dateien (*.pdf)"), QStringLiteral("pdf"),
         [this](const QString &path, QString *error) {
             return m_controller.exportPdf(path, error);
         });
}

void ExportActions::savePng()
{
    save(QStringLiteral("Bild"), QStringLiteral("Als Bild speichern"),
         QStringLiteral("PNG-Bilder (*.png)"), QStringLiteral("png"),
         [this](const QString &path, QString *error) {
             const std::optional<int> dpi = m_chooseDpi();
             // No resolution chosen: cancelled, nothing to tell.
             return dpi && m_controller.exportPng(path, *dpi, error);
         });
}

void ExportActions::saveCsv()
{
    save(QStringLiteral("Csv"), QStringLiteral("Tabelle als CSV speichern"),
         QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("csv"),
         [this](const QString &path, QString *error) {
             return m_controller.exportCsv(path, error);
         });
}

void ExportActions::saveDetailsCsv()
{
    if (!m_breakdown || m_breakdown->columnCount() == 0)
        return;
    save(QStringLiteral("Details"), QStringLiteral("Details als CSV speichern"),
         QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("csv"),
         [this](const QString &path, QString *error) {
             return DetailsCsv::write(*m_breakdown, path, error, m_plainRole);
         });
}

void ExportActions::saveXlsx()
{
    save(QStringLiteral("Mappe"), QStringLiteral("Als Excel-Mappe speichern"),
         QStringLiteral("Excel-Arbeitsmappen (*.xlsx)"), QStringLiteral("xlsx"),
         [this](const QString &path, QString *error) {
             const bool shown = m_breakdown && m_breakdown->rowCount() > 0;
             return XlsxExport::write(XlsxExport::report(m_controller.report(),
                                                         shown ? m_breakdown : nullptr,
                                                         m_numberRole),
                                      path, error);
         });
}

} // namespace ertragon::report
