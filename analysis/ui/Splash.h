#pragma once

#include <QWidget>

class QStatusBar;

namespace ertragon {

class StartUp;

// The start-up window "Bitte warten...": a picture and a status line showing
// the step the start-up is at.
class Splash : public QWidget
{
    Q_OBJECT
public:
    explicit Splash(QWidget *parent = nullptr);

    void setStatus(const QString &text);
    QString status() const;

    // A splash shown while the start-up's steps run, with the step it is at; a splash
    // still open goes with owner.
    static void followStartUp(const StartUp &steps, QObject *owner);

private:
    QStatusBar *m_status;
};

} // namespace ertragon
