#pragma once

#include <QDialog>

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
    QPushButton *BUZurück;

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void editToggled(bool editing);
    void setFieldsEnabled(bool enabled);
    void showFields();
    void takeFields();
    QList<QLineEdit *> fieldList() const;

    LoginController &m_controller;
};

} // namespace ertragon
