#pragma once

#include <QString>
#include <QStringList>

namespace ertragon::report {

class PrintSurface;

// The zoom and page logic shared by the main window's zoom combo and the
// navigation bar; no widgets.
class ZoomChoice
{
public:
    // "Ganze Seite", "Seitenbreite", "Zwei Seiten", "Alle Seiten", "25%" .. "400%".
    static QStringList zoomTexts();
    static QString initialText() { return QStringLiteral("Ganze Seite"); }
    static QString toolTip() { return QStringLiteral("Zommstufen"); }

    // The leading number of a text (before the first "%"): blanks skipped, "."
    // as decimal point, reading stops at any other character; none gives 0.
    static double GetVal(const QString &text);

    // Sets the zoom of the surface from a combo text; false when the text
    // names neither a percentage nor a zoom mode (nothing is set then).
    static bool apply(const QString &text, PrintSurface &surface);

    // What the combo shows for the surface: a list index, or (index -1) a text.
    struct ComboState
    {
        int index = -1;
        QString text;
    };
    static ComboState comboStateFor(const PrintSurface &surface);

    // "Seite 2 von 5" or "Seiten 1 - 2 von 5".
    static QString pageLabel(int previewPage, int previewPages, int pageCount);

    // The page scroll bar: value, large change, minimum, maximum.
    struct ScrollState
    {
        int value = 1;
        int largeChange = 1;
        int minimum = 1;
        int maximum = 1;
    };
    static ScrollState scrollStateFor(const PrintSurface &surface);
};

} // namespace ertragon::report
