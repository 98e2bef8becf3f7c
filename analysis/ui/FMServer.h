#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace ertragon {

class LoginController;

// The connection-settings window "KORDEX Server". The fields open disabled;
// the toggle "Ändern" allows editing and, when pressed again, offers to save.
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

    // Asks for a file (caption, filter); an empty answer changes nothing.
    using FileChooser = std::function<QString(const QString &caption, const QString &filter)>;
    void setStoreChooser(FileChooser chooser) { m_chooseStore = std::move(chooser); }

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void editToggled(bool editing);
    void setFieldsEnabled(bool enabled);
    void showFields();
    void takeFields();
    void chooseStore();
    void fitServerField();
    QList<QLineEdit *> fieldList() const;

    LoginController &m_controller;
    FileChooser m_chooseStore;
};

} // namespace ertragon
