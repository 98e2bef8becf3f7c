#include "ProgramSettings.h"

#include <QSettings>
#include <QStandardPaths>

namespace ertragon {

namespace {

const QString seriesLegendKey = QStringLiteral("Darstellung/LegendeUndZeilentitel");

} // namespace

ProgramSettings::ProgramSettings(QString path)
    : m_path(std::move(path))
{
}

QString ProgramSettings::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Ertragon/Ertragon.ini");
}

bool ProgramSettings::seriesLegend() const
{
    return QSettings(m_path, QSettings::IniFormat).value(seriesLegendKey, false).toBool();
}

void ProgramSettings::setSeriesLegend(bool on)
{
    QSettings settings(m_path, QSettings::IniFormat);
    if (settings.value(seriesLegendKey, false).toBool() != on)
        settings.setValue(seriesLegendKey, on);
}

} // namespace ertragon
