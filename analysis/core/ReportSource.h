#pragma once

namespace ertragon {

struct ReportData;

// What printing and export need of the analysis whose page they print: fresh figures
// when the selection changed since the last fetch, the page drawn again, and the
// report it shows.
class ReportSource
{
public:
    virtual ~ReportSource() = default;

    virtual void fetchIfSelectionChanged() = 0;
    virtual void redraw() = 0;
    virtual const ReportData &report() const = 0;
};

} // namespace ertragon
