#pragma once

#include <QString>
#include <QStringList>

namespace ertragon {

// What the start-up sequence asks of the main window and its splash window.
class StartUpView
{
public:
    virtual ~StartUpView() = default;

    virtual void showSplash() = 0;
    virtual void setStatus(const QString &text) = 0;
    virtual void closeSplash() = 0;
    virtual void setCaption(const QString &caption) = 0;
    // Preview surface set to A4 landscape; the splitter gets its two panes.
    virtual void preparePreview() = 0;
    // Group labels placed at their scaled positions.
    virtual void scaleLayout() = 0;
    // Captions of "Darstellung Tabelle" items 2 and 3.
    virtual void setTableCaptions(const QString &item2, const QString &item3) = 0;
    // Captions of the three optJahr options.
    virtual void setYearOptionCaptions(const QStringList &captions) = 0;
    // SPCNR, mGraph 1, mTabelle 3 and mAuswahl disabled.
    virtual void disableRestrictedItems() = 0;
    // The display defaults were set; check marks and options follow them.
    virtual void displayStateReset() = 0;
    // The data rebuild window, modal.
    virtual void openRebuild() = 0;
};

} // namespace ertragon
