#include "ViewMemory.h"

namespace ertragon {

namespace {

int bounded(const QVariant &value, int first, int last, int fallback)
{
    bool ok = false;
    const int n = value.toInt(&ok);
    return ok && n >= first && n <= last ? n : fallback;
}

} // namespace

bool ViewMemory::restoreAtStart() const
{
    return value(QStringLiteral("Wiederherstellen"), false).toBool();
}

void ViewMemory::setRestoreAtStart(bool restore)
{
    setValue(QStringLiteral("Wiederherstellen"), restore);
}

std::optional<ViewMemory::View> ViewMemory::view() const
{
    const QStringList codes = value(QStringLiteral("Auswahl")).toStringList();
    if (codes.size() != SelectionModel::ListCount)
        return std::nullopt;
    View view;
    view.codes = codes;
    view.splitFlags = bounded(value(QStringLiteral("Aufteilung")), 0, 15, 3);
    DisplayState &d = view.display;
    d.graphMode = bounded(value(QStringLiteral("Graph")), 0, 2, d.graphMode);
    d.dbPercent = value(QStringLiteral("DbProzent"), false).toBool();
    d.tableMode = bounded(value(QStringLiteral("Tabelle")), 0, 4, d.tableMode);
    d.yearKind = bounded(value(QStringLiteral("Jahr")), 0, 1, d.yearKind);
    view.display = details(view.display);
    view.zoom = value(QStringLiteral("Zoom")).toString().left(40);
    return view;
}

void ViewMemory::keepView(const View &view)
{
    setValue(QStringLiteral("Auswahl"), view.codes);
    setValue(QStringLiteral("Aufteilung"), view.splitFlags);
    setValue(QStringLiteral("Graph"), view.display.graphMode);
    setValue(QStringLiteral("DbProzent"), view.display.dbPercent);
    setValue(QStringLiteral("Tabelle"), view.display.tableMode);
    setValue(QStringLiteral("Jahr"), view.display.yearKind);
    setValue(QStringLiteral("Zoom"), view.zoom);
}

void ViewMemory::keepDetails(const DisplayState &display, int month)
{
    setValue(QStringLiteral("DetailsPeriode"), display.detailPeriod);
    setValue(QStringLiteral("DetailsWerte"), display.valueKind);
    setValue(QStringLiteral("DetailsMonat"), month);
    setValue(QStringLiteral("LegendeUndZeilentitel"), display.seriesLegend);
}

DisplayState ViewMemory::details(const DisplayState &into) const
{
    DisplayState d = into;
    d.valueKind = bounded(value(QStringLiteral("DetailsWerte")), 0, 1, d.valueKind);
    d.detailPeriod = bounded(value(QStringLiteral("DetailsPeriode")), 0, 2, d.detailPeriod);
    if (d.valueKind == 1 && d.detailPeriod == 2) // month values have no three-year mean
        d.detailPeriod = 0;
    d.seriesLegend = value(QStringLiteral("LegendeUndZeilentitel"), d.seriesLegend).toBool();
    return d;
}

int ViewMemory::detailsMonth(int fallback) const
{
    return bounded(value(QStringLiteral("DetailsMonat")), 1, 12, fallback);
}

} // namespace ertragon
