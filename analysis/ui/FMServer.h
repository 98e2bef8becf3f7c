#pragma once

#include "LoginFields.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ertragon {

class LoginController;

// The connection-settings window "KORDEX Server". The fields open disabled;
// the toggle "Ändern" allows editing and, when pressed again, offers to save.
// Edits stay in the window until they are saved; closing it or answering No
// discards them. The last address a login succeeded with is offered beside.
class FMServer : public QDialog
{
    Q_OBJECT
public:
    explicit FMServer(LoginController &controller, QWidget *parent = nullptr);

    QLineEdit *BFIRMA;
    QLineEdit *BFIL;
    QLineEdit *BSERVERIP;
    QLineEdit *BPORT;
    QLineEdit *BNAMESPACE;
    QPushButton *BUEdit;
    QPushButton *BUZurueck; // BUZurück
    QPushButton *BUDatei; // chooses a SQLite store file for the server field
    QLabel *lblLetzte; // the last address a login succeeded with
    QPushButton *BULetzte; // takes it into the server and port fields

    // Asks for a file (caption, filter); an empty answer changes nothing.
    using FileChooser = std::function<QString(const QString &caption, const QString &filter)>;
    void setStoreChooser(FileChooser chooser) { m_chooseStore = std::move(chooser); }

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void editToggled(bool editing);
    void setFieldsEnabled(bool enabled);
    void showFields();
    LoginFields editedFields() const;
    void discardEdits();
    void showLastWorkingAddress();
    void takeLastWorkingAddress();
    void chooseStore();
    void fitServerField();
    QList<QLineEdit *> fieldList() const;

    LoginController &m_controller;
    FileChooser m_chooseStore;
};

} // namespace ertragon
