#pragma once

#include "DisplayState.h"
#include "SelectionModel.h"
#include "UserValues.h"

#include <QStringList>
#include <optional>

namespace ertragon {

// The view a user keeps per company: the last session's selection, split flags, display
// modes and zoom with the choice whether to restore them, and the options that always
// come back (details, "Legende und Zeilentitel").
class ViewMemory : public UserValues
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

    using UserValues::UserValues;

    bool restoreAtStart() const;
    void setRestoreAtStart(bool restore);

    // The last view, or none when never kept or unreadable; values out of range are
    // replaced by the defaults.
    std::optional<View> view() const;
    void keepView(const View &view);

    // The options kept always: the details' period, year or month values and month, and
    // "Legende und Zeilentitel".
    void keepDetails(const DisplayState &display, int month);
    DisplayState details(const DisplayState &into) const;
    int detailsMonth(int fallback) const;
};

} // namespace ertragon
