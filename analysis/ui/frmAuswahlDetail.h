#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QRadioButton;

namespace ertragon {

class ExtendedSelection;

// "Zusätzliche Auswahlparameter": the modeless view over the extended selection
// beside the main window. Closing it (by "Beenden" or the close box) runs the
// closed callback, which unchecks "Erweiterte Auswahl".
class frmAuswahlDetail : public QDialog
{
    Q_OBJECT
public:
    frmAuswahlDetail(ExtendedSelection &model, QWidget *parent = nullptr);

    void setFetch(std::function<void()> fetch) { m_fetch = std::move(fetch); }
    void setClosed(std::function<void()> closed) { m_closed = std::move(closed); }
    // Shows the lists and choices of the model.
    void refresh();

    // Escape closes the dialog like "Beenden", so the extended selection is switched off too.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ExtendedSelection &m_model;
    QComboBox *SSTyp;
    QComboBox *SVART;
    QRadioButton *oDarstellung[2];
    std::function<void()> m_fetch;
    std::function<void()> m_closed;
};

} // namespace ertragon
