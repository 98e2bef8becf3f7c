#pragma once

#include <QWidget>

class QLabel;

namespace ertragon {

// The small window that shows, while the connection to the store is retried,
// which attempt against which store failed and why.
class ConnectStatusWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ConnectStatusWindow(QWidget *parent = nullptr);

    void setStatus(const QString &text);
    QString status() const;

private:
    QLabel *m_text;
};

} // namespace ertragon
