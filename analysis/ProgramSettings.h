#pragma once

#include <QString>

namespace ertragon {

// The program's own settings of a user, beside the login's: Ertragon/Ertragon.ini in the
// user's configuration folder, or the file a caller names.
class ProgramSettings
{
public:
    explicit ProgramSettings(QString path = defaultFile());

    static QString defaultFile();
    const QString &path() const { return m_path; }

    // "Legende und Zeilentitel".
    bool seriesLegend() const;
    void setSeriesLegend(bool on);

private:
    QString m_path;
};

} // namespace ertragon
