#pragma once

#include <QDate>
#include <QStringList>
#include <functional>

namespace kordex {

class SqlConnection;

// Fills an empty store with a believable chain of stores, the same for the
// same seed: two companies, their organisation and merchandise master data
// (names with umlauts), personnel with the access lists, six years of sales
// lines up to `today` with seasonality, growth and noise, and the period sums
// built up to two months before today. Every demo user's password is "demo".
class DemoGenerator
{
public:
    struct Options
    {
        qint64 lines = 200000;
        quint64 seed = 1;
        QDate today = QDate::currentDate();
    };

    DemoGenerator(SqlConnection &sql, Options options);
    // Marks the store incomplete first and clears the mark last, so that a
    // demo killed on the way is never taken for a whole one.
    void run(const std::function<void(const QString &step, int percent)> &progress = {});
    // True while a demo is being made, or when one stopped before its end.
    static bool incomplete(SqlConnection &sql);
    // Sets that mark (run() does it first; a caller that clears a store for
    // the demo does it in the same transaction).
    static void markIncomplete(SqlConnection &sql);

    // The master data as import lines (also a sample for import-master).
    static QStringList masterLines();
    static const QString password;

private:
    void writeUsers();
    void writeSales(const std::function<void(int)> &progress);
    void buildSums(const std::function<void(int)> &progress);

    SqlConnection &m_sql;
    Options m_options;
};

} // namespace kordex
