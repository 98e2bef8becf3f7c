#include "ControlPlugins.h"

#include "ControlWidgetPlugin.h"
#include "Edit.h"
#include "Tallix.h"

ControlPlugins::ControlPlugins(QObject *parent)
    : QObject(parent)
{
    m_widgets.append(new ControlWidgetPlugin(
        QStringLiteral("Edit"), QStringLiteral("Eingabefeld Edit (Inkora, Inkolib.Edit)"),
        [](QWidget *p) { return new Edit(p); }, this));
    m_widgets.append(new ControlWidgetPlugin(
        QStringLiteral("Tallix"), QStringLiteral("Zahlenfeld Tallix (Orvel, Zifra.Tallix.1)"),
        [](QWidget *p) { return new Tallix(p); }, this));
}
