#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kordex {

class SqlConnection;

// One table of period sums: company, period, its dimension columns, and the six
// sums. Coarser grains answer the queries that leave the finer levels empty.
struct Grain
{
    QString table;
    QStringList dimensions;
    QString source; // the table this grain is summed from
};

class Schema
{
public:
    static constexpr int version = 1;

    // pcnr habt abtnr hgrp ugrp pg hvart svart typ
    static const QStringList &dimensions();
    // umsatz nebenerloes einsatz nebenkosten skonto nachlass (cents)
    static const QStringList &measures();
    // coarse to fine; the last is the full grain, built from the sales lines.
    // Keys are company, period and the dimensions in this order:
    //   summe_firma  pg hvart
    //   summe_abt    abtnr pcnr habt pg hvart
    //   summe_hgrp   hgrp abtnr pcnr habt pg hvart
    //   summe_ugrp   hgrp ugrp abtnr pcnr habt pg hvart
    //   summe_art    typ abtnr hgrp svart pcnr habt pg hvart
    //   summe_voll   hgrp ugrp typ abtnr svart pcnr habt pg hvart
    static const QList<Grain> &grains();
    // the coarsest grain holding every named dimension
    static const Grain &covering(const QStringList &usedDimensions);
    // the order the rebuild fills them in: each after the grain it is summed from
    static QList<Grain> buildOrder();

    // The tables and their first rows, in the caller's transaction.
    static void create(SqlConnection &connection);
    // PostgreSQL: the covering indexes of summe_abt for a profit centre or main department.
    static QStringList unitIndexes();
    // Remakes those of an earlier shape; true when one was remade.
    static bool renewUnitIndexes(SqlConnection &connection);
    static bool exists(SqlConnection &connection);
    // Why an existing store cannot be used: another schema version, or a
    // missing table. Empty when it is this schema.
    static QString problem(SqlConnection &connection);
    // SQLite: the engine's own consistency check of the file (quick_check);
    // empty when the file is sound or on PostgreSQL.
    static QString damage(SqlConnection &connection);
    static void drop(SqlConnection &connection);
    static QStringList tables();

    // PostgreSQL keeps the sales lines in one partition per year (range on
    // the period), so that work on a few months reads one partition and an
    // old year leaves as a whole. SQLite keeps one table.
    static bool partitioned(SqlConnection &connection);
    // The years that have a partition, ascending.
    static QList<int> partitionYears(SqlConnection &connection);
    // Makes the partition of a year when it is missing.
    static void addPartition(SqlConnection &connection, int year);
    static QString partitionName(int year);
};

} // namespace kordex
