#include "ControlWidgetPlugin.h"

#include <QIcon>

ControlWidgetPlugin::ControlWidgetPlugin(const QString &className, const QString &toolTip,
                                         Factory factory, QObject *parent)
    : QObject(parent)
    , m_className(className)
    , m_toolTip(toolTip)
    , m_factory(std::move(factory))
{
}

QString ControlWidgetPlugin::group() const
{
    return QStringLiteral("Ertragon Controls");
}

QIcon ControlWidgetPlugin::icon() const
{
    return {};
}

QString ControlWidgetPlugin::domXml() const
{
    // The object name a new control gets on the form: edit1, tallix1, ...
    return QStringLiteral("<ui language=\"c++\"><widget class=\"%1\" name=\"%2\"/></ui>")
        .arg(m_className, m_className.toLower());
}
