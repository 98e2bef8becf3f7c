#pragma once

#include <QWidget>

namespace orvel {

// The tooltip popup (class "ovToolTip"): one line of text centred in a one-pixel black frame.
class ToolTipWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ToolTipWindow(QWidget *owner);

    void setText(const QString &text) { m_text = text; }
    const QString &text() const { return m_text; }
    void setColours(const QColor &back, const QColor &fore);
    // Size for the text, and the place below the pointer kept inside the work area; when it
    // would pass the bottom, its bottom goes to the top of the tool.
    QSize sizeForText() const;
    static QRect placement(const QPoint &pointer, QSize size, const QRect &workArea, int toolTop);

Q_SIGNALS:
    // Mouse activity anywhere in the application while the tip shows.
    void mouseActivity();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QString m_text;
    QColor m_back, m_fore;
};

} // namespace orvel
