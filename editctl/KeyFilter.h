#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace inkora {

// Lets only the given characters (and backspace and the editing keys) reach a text field;
// any other typed character is swallowed with a beep.
class KeyFilter : public QObject
{
    Q_OBJECT
public:
    KeyFilter(const QString &admitted, std::function<void()> beep, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_admitted;
    std::function<void()> m_beep;
};

} // namespace inkora
