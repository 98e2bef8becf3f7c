#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;

namespace ertragon {

class DataRebuild;
class Prompter;

// "Neu aufzubauende Daten": shows when the data basis was built last and
// rebuilds it for a range of periods.
class frmNeueDaten : public QDialog
{
    Q_OBJECT
public:
    frmNeueDaten(DataRebuild &rebuild, Prompter &prompter, QWidget *parent = nullptr);

    // The opening steps: label and the two proposed periods.
    void prepare();
    // OK: checks the periods, rebuilds, reports and closes.
    void okClicked();

private:
    // Runs the rebuild's server call on a worker thread behind a busy indicator.
    void runBesideBusyIndicator(const std::function<void()> &call);

    DataRebuild &m_rebuild;
    Prompter &m_prompter;
    QLabel *lblDatenAnzeige;
    QLineEdit *edtVon;
    QLineEdit *edtBis;
};

} // namespace ertragon
