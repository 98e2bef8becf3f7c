#pragma once

#include "PageHitMap.h"

#include <optional>

namespace ertragon::report {

// The keyboard's month cursor on the report page: Left and Right move it across the
// twelve month columns (Home and End to the first and last), Up and Down from the whole
// column to the six rows of the value table and back. Before the first key it is off.
class PageCursor
{
public:
    // True when the key moves the cursor (Qt::Key codes).
    bool press(int key);
    void place(const PageHit &hit);

    bool isOn() const { return m_column >= 0; }
    int column() const { return m_column; }
    int series() const { return m_series; }
    // The column, or the cell of the chosen row; none while off.
    std::optional<PageHit> hit() const;

private:
    int m_column = -1;
    int m_series = 0; // 0 the whole column
};

} // namespace ertragon::report
