#pragma once

#include <QWidget>

class QStatusBar;

namespace ertragon {

// The start-up window "Bitte warten...": a picture and a status line showing
// the step the start-up is at.
class Splash : public QWidget
{
    Q_OBJECT
public:
    explicit Splash(QWidget *parent = nullptr);

    void setStatus(const QString &text);
    QString status() const;

private:
    QStatusBar *m_status;
};

} // namespace ertragon
