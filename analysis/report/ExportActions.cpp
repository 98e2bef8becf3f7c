#include "ExportActions.h"

#include "PrintController.h"
#include "Prompter.h"

#include <QAction>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>

namespace ertragon::report {

ExportActions::ExportActions(PrintController &controller, Prompter &prompter, QWidget *window)
    : QObject(window)
    , m_controller(controller)
    , m_prompter(prompter)
{
    m_chooseFile = [window](const QString &caption, const QString &filter) {
        return QFileDialog::getSaveFileName(window, caption, QString(), filter);
    };
    m_chooseDpi = [window]() -> std::optional<int> {
        bool ok = false;
        const int dpi
            = QInputDialog::getInt(window, QStringLiteral("Als Bild speichern"),
                                   QStringLiteral("Auflösung (dpi):"), 150, 30, 600, 10, &ok);
        return ok ? std::optional<int>(dpi) : std::nullopt;
    };
    m_pdf = new QAction(QStringLiteral("Als &PDF speichern..."), this);
    m_pdf->setObjectName(QStringLiteral("mAlsPdf"));
    m_png = new QAction(QStringLiteral("Als B&ild speichern..."), this);
    m_png->setObjectName(QStringLiteral("mAlsBild"));
    m_csv = new QAction(QStringLiteral("Tabelle als &CSV speichern..."), this);
    m_csv->setObjectName(QStringLiteral("mAlsCsv"));
    connect(m_pdf, &QAction::triggered, this, &ExportActions::savePdf);
    connect(m_png, &QAction::triggered, this, &ExportActions::savePng);
    connect(m_csv, &QAction::triggered, this, &ExportActions::saveCsv);
}

void ExportActions::install(QMenu *menu, QAction *after)
{
    if (!menu)
        return;
    const QList<QAction *> actions = menu->actions();
    const qsizetype at = after ? actions.indexOf(after) : -1;
    QAction *before = (at >= 0 && at + 1 < actions.size()) ? actions[at + 1] : nullptr;
    menu->insertActions(before, { m_pdf, m_png, m_csv });
}

void ExportActions::reportFailure(const QString &error)
{
    m_prompter.inform(Prompter::Icon::Critical, QStringLiteral("Fehlermeldung"),
                      QStringLiteral("Die Datei konnte nicht gespeichert werden.\n") + error);
}

void ExportActions::savePdf()
{
    const QString path
        = m_chooseFile(QStringLiteral("Als PDF speichern"), QStringLiteral("PDF-Dateien (*.pdf)"));
    QString error;
    if (!path.isEmpty() && !m_controller.exportPdf(path, &error))
        reportFailure(error);
}

void ExportActions::savePng()
{
    const QString path
        = m_chooseFile(QStringLiteral("Als Bild speichern"), QStringLiteral("PNG-Bilder (*.png)"));
    if (path.isEmpty())
        return;
    const std::optional<int> dpi = m_chooseDpi();
    QString error;
    if (dpi && !m_controller.exportPng(path, *dpi, &error))
        reportFailure(error);
}

void ExportActions::saveCsv()
{
    const QString path = m_chooseFile(QStringLiteral("Tabelle als CSV speichern"),
                                      QStringLiteral("CSV-Dateien (*.csv)"));
    QString error;
    if (!path.isEmpty() && !m_controller.exportCsv(path, &error))
        reportFailure(error);
}

} // namespace ertragon::report
