#pragma once

#include <QList>
#include <QWidget>

namespace comctl {
class ComControl;
}

namespace inkora {

// A design-time property page over one or more selected controls. While the page copies values
// in (the loading flag) its fields' changes do not count; afterwards every change marks the
// page as changed, which enables the dialog's Apply button. Apply writes through the controls'
// public properties, so their setter checks run; a refused value leaves that property alone
// and the page goes on.
class PropertyPage : public QWidget
{
    Q_OBJECT
public:
    using Controls = QList<comctl::ComControl *>;

    explicit PropertyPage(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    bool isLoading() const { return m_loading; }
    bool isChanged() const { return m_changed; }

    // The designer shows the page for a selection: fields from the first control.
    void selectionChanged(const Controls &controls);
    // The designer applies the page: the values go to every selected control.
    void apply();

Q_SIGNALS:
    void changedChanged(bool changed);

protected:
    virtual void fill(comctl::ComControl *first) = 0;
    virtual void applyTo(comctl::ComControl *control) = 0;

    // Connect every field's change to this.
    void markChanged();
    void beep();
    void put(comctl::ComControl *control, const QString &property, const QVariant &value);
    QVariant get(comctl::ComControl *control, const QString &property) const;

private:
    QString m_caption;
    Controls m_controls;
    bool m_loading = false;
    bool m_changed = false;
};

} // namespace inkora
