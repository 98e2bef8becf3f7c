#pragma once

#include "DisplayState.h"
#include "SelectionModel.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

class QSettings;

namespace ertragon {

// What a user keeps from one start to the next, per company and user, in an INI file
// ("Ansicht.ini" beside the login settings): the view of the last session (selection,
// split flags, display modes, zoom) with the choice whether to restore it, the details
// options and other remembered values. A damaged or missing file reads as nothing kept.
class ViewMemory
{
public:
    struct View
    {
        QStringList codes; // the chosen code of each selection list, in list order
        int splitFlags = 3;
        DisplayState display;
        QString zoom; // the zoom combo's text
        bool operator==(const View &) const = default;
    };

    explicit ViewMemory(QString file = defaultFile());
    ~ViewMemory();
    ViewMemory(ViewMemory &&) noexcept;
    ViewMemory &operator=(ViewMemory &&) noexcept;
    static QString defaultFile();

    // Writes what was set to the file now (it is written later by itself otherwise).
    void sync();

    // Whose values are read and written: company and user code. Nothing is kept without.
    void setUser(const QString &company, const QString &user);

    bool restoreAtStart() const;
    void setRestoreAtStart(bool restore);

    // The last view, or none when never kept or unreadable; values out of range are
    // replaced by the defaults.
    std::optional<View> view() const;
    void keepView(const View &view);

    // The details options (period, year or month values, month): kept always.
    void keepDetails(const DisplayState &display, int month);
    DisplayState details(const DisplayState &into) const;
    int detailsMonth(int fallback) const;

    QVariant value(const QString &key, const QVariant &fallback = {}) const;
    void setValue(const QString &key, const QVariant &value);

private:
    QString group() const;

    QString m_file;
    std::unique_ptr<QSettings> m_settings; // read at setUser, written when values change
    QString m_company;
    QString m_user;
};

} // namespace ertragon
