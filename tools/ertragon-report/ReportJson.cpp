#include "ReportJson.h"

#include <QJsonArray>

namespace ertragon::report {

namespace {

QJsonValue cell(const std::optional<double> &v)
{
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonArray rows(const SeriesTable &table, int firstMonth)
{
    QJsonArray out;
    for (int m = firstMonth; m <= SeriesTable::Months; ++m) {
        QJsonArray row;
        for (int s = 1; s <= SeriesTable::Series; ++s)
            row.append(cell(table.at(m, s)));
        out.append(row);
    }
    return out;
}

QJsonArray texts(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QJsonObject scaleObject(const ChartScale &scale)
{
    return QJsonObject { { QStringLiteral("lo"), scale.lo }, { QStringLiteral("hi"), scale.hi },
                         { QStringLiteral("n"), scale.n },   { QStringLiteral("s"), scale.s },
                         { QStringLiteral("S"), scale.S },   { QStringLiteral("q"), scale.q } };
}

} // namespace

QJsonObject ReportJson::build(const PeriodTotals &totals, const ReportData &data,
                              const PageContent &content, const PageDocument &document)
{
    QJsonArray ops;
    for (const PageOperations &page : document.pages)
        for (const PageOperation &op : page)
            ops.append(op.toJson());
    QJsonObject object = figures(totals, data, content);
    object.insert(QStringLiteral("ops"), ops);
    return object;
}

QJsonObject ReportJson::figures(const PeriodTotals &totals, const ReportData &data,
                                const PageContent &content)
{
    QJsonArray periods;
    for (int p = 1; p <= PeriodTotals::Periods; ++p)
        periods.append(QJsonArray { cell(totals.at(p, PeriodTotals::Revenue)),
                                    cell(totals.at(p, PeriodTotals::Margin)) });
    QJsonArray table;
    for (const QStringList &row : content.table)
        table.append(texts(row));
    QJsonObject object;
    object.insert(QStringLiteral("today"), data.now.date().toString(Qt::ISODate));
    object.insert(QStringLiteral("periodTotals"), periods);
    object.insert(QStringLiteral("monthValues"), rows(data.values.monthValues, 1));
    object.insert(QStringLiteral("cumulatedValues"), rows(data.values.cumulatedValues, 0));
    object.insert(QStringLiteral("graphValues"), rows(data.values.graphValues, 1));
    object.insert(QStringLiteral("seriesLabels"), texts(content.seriesLabels));
    object.insert(QStringLiteral("monthNames"), texts(content.monthNames));
    object.insert(QStringLiteral("scales"),
                  QJsonArray { scaleObject(content.scales[0]), scaleObject(content.scales[1]) });
    object.insert(QStringLiteral("legend"), content.legend);
    object.insert(QStringLiteral("modeCaption"), content.modeCaption);
    object.insert(QStringLiteral("panelCaptions"), texts(content.panelCaptions));
    object.insert(QStringLiteral("tableCaption"), content.tableCaption);
    object.insert(QStringLiteral("table"), table);
    object.insert(QStringLiteral("footer"), content.footer);
    return object;
}

} // namespace ertragon::report
