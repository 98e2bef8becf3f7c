#pragma once

#include <QDialog>

class QComboBox;
class QRadioButton;

namespace ertragon {

class ExtendedSelection;

// "Zusätzliche Auswahlparameter": the modeless view over the extended selection
// beside the main window. Closing it (by "Beenden" or the close box) says closed,
// which switches "Erweiterte Auswahl" off.
class frmAuswahlDetail : public QDialog
{
    Q_OBJECT
public:
    frmAuswahlDetail(ExtendedSelection &model, QWidget *parent = nullptr);

    // Shows the lists and choices of the model.
    void refresh();

    // Escape closes the dialog like "Beenden", so the extended selection is switched off too.
    void reject() override;

Q_SIGNALS:
    // "DatenHolen (F5)".
    void fetchWanted();
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ExtendedSelection &m_model;
    QComboBox *SSTyp;
    QComboBox *SVART;
    QRadioButton *oDarstellung[2];
};

} // namespace ertragon
