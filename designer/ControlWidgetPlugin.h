#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

// One control in Designer's widget box, group "Ertragon Controls".
class ControlWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    using Factory = std::function<QWidget *(QWidget *parent)>;
    ControlWidgetPlugin(const QString &className, const QString &toolTip, Factory factory,
                        QObject *parent);

    QString name() const override { return m_className; }
    QString group() const override;
    QString toolTip() const override { return m_toolTip; }
    QString whatsThis() const override { return m_toolTip; }
    QString includeFile() const override { return m_className + QStringLiteral(".h"); }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget *createWidget(QWidget *parent) override { return m_factory(parent); }
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface *) override { m_initialized = true; }
    QString domXml() const override;

private:
    QString m_className;
    QString m_toolTip;
    Factory m_factory;
    bool m_initialized = false;
};
