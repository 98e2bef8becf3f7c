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
    m_pdf = addExport({ "Pdf", "Als &PDF speichern...", "mAlsPdf", "PDF-Dateien (*.pdf)", "pdf" },
                      [this](const QString &path, QString *error) {
                          return m_controller.exportPdf(path, error);
                      });
    m_png = addExport({ "Bild", "Als B&ild speichern...", "mAlsBild", "PNG-Bilder (*.png)", "png" },
                      [this](const QString &path, QString *error) {
                          const std::optional<int> dpi = m_chooseDpi();
                          // No resolution chosen: cancelled, nothing to tell.
                          return dpi && m_controller.exportPng(path, *dpi, error);
                      });
    m_csv = addExport(
        { "Csv", "Tabelle als &CSV speichern...", "mAlsCsv", "CSV-Dateien (*.csv)", "csv" },
        [this](const QString &path, QString *error) {
            return m_controller.exportCsv(path, error);
        });
    m_detailsCsv = addExport(
        { "Details", "De&tails als CSV speichern...", "mDetailsCsv", "CSV-Dateien (*.csv)", "csv" },
        [this](const QString &path, QString *error) {
            return DetailsCsv::write(*m_breakdown, path, error, m_plainRole);
        });
    m_detailsCsv->setEnabled(false); // until a shown breakdown is given
    m_xlsx = addExport({ "Mappe", "Als E&xcel-Mappe speichern...", "mAlsXlsx",
                         "Excel-Arbeitsmappen (*.xlsx)", "xlsx" },
                       [this](const QString &path, QString *error) {
                           const bool shown = m_breakdown && m_breakdown->rowCount() > 0;
                           return XlsxExport::write(
                               XlsxExport::report(m_controller.report(),
                                                  shown ? m_breakdown : nullptr, m_numberRole),
                               path, error);
                       });
}

QAction *ExportActions::addExport(const Export &kind, Writer write)
{
    auto *action = new QAction(QString::fromUtf8(kind.text), this);
    action->setObjectName(QString::fromLatin1(kind.objectName));
    // The dialog's caption is the menu text without its mnemonic and dots.
    const QString caption = QString::fromUtf8(kind.text).remove(u'&').chopped(3);
    connect(action, &QAction::triggered, this, [this, action, kind, caption, write] {
        if (action->isEnabled())
            save(QString::fromLatin1(kind.kind), caption, QString::fromLatin1(kind.filter),
                 QString::fromLatin1(kind.extension), write);
    });
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

} // namespace ertragon::report
