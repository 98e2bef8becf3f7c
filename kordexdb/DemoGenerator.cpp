#include "DemoGenerator.h"

#include "MasterImport.h"
#include "Period.h"
#include "Rebuild.h"
#include "SalesWriter.h"
#include "SqlConnection.h"
#include "UserAdmin.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace kordex {

const QString DemoGenerator::password = QStringLiteral("demo");

namespace {

// The row of kordex_meta that marks a demo under way.
const QString incompleteKey = QStringLiteral("unvollstaendig");

enum Season { Flat, Building, Garden, Christmas, Winter, Flowers };

constexpr std::array<std::array<double, 12>, 6> seasonFactors { {
    { 1.0, 0.95, 1.0, 1.0, 1.0, 0.95, 0.95, 0.95, 1.0, 1.0, 1.05, 1.15 },
    { 0.5, 0.6, 0.9, 1.2, 1.3, 1.3, 1.2, 1.2, 1.1, 1.0, 0.8, 0.6 },
    { 0.2, 0.3, 0.9, 1.8, 2.2, 1.9, 1.5, 1.1, 0.7, 0.4, 0.3, 0.4 },
    { 0.8, 0.8, 0.9, 0.9, 0.9, 0.8, 0.8, 0.9, 1.0, 1.1, 1.4, 2.0 },
    { 1.3, 1.2, 1.1, 0.9, 0.8, 0.7, 0.7, 0.8, 0.9, 1.1, 1.2, 1.3 },
    { 0.9, 1.4, 1.1, 1.2, 1.5, 1.0, 0.9, 0.9, 0.9, 1.0, 1.1, 1.6 },
} };

struct Department
{
    const char *code;
    const char *name;
    const char *profitCentre;
    const char *mainDepartment;
    double weight;
    double ticket; // mean revenue of a line in euros
    double margin;
    Season season;
    double trade; // share of trade customers (group G)
    std::vector<const char *> mainGroups;
};

const std::vector<Department> &departments()
{
    static const std::vector<Department> list {
        { "B0", "Straßen- und Tiefbau", "1", "10", 6, 180, .22, Building, .6, { "01" } },
        { "B1", "Holz und Türen", "1", "10", 5, 120, .28, Building, .4, { "02" } },
        { "B2", "Dämmstoffe", "1", "10", 3, 150, .25, Building, .5, { "01", "02" } },
        { "M1", "Werkzeuge", "1", "20", 6, 45, .35, Flat, .3, { "03" } },
        { "MD", "Elektrowerkzeuge", "1", "20", 4, 120, .27, Christmas, .3, { "03" } },
        { "MG", "Schrauben & Dübel", "1", "20", 5, 12, .45, Flat, .35, { "04" } },
        { "MH", "Eisenwaren", "1", "20", 3, 25, .42, Flat, .3, { "04", "03" } },
        { "M2", "Farben", "1", "30", 5, 40, .38, Building, .2, { "05" } },
        { "MF", "Tapeten", "1", "30", 2, 35, .40, Winter, .1, { "05" } },
        { "MA", "Malerzubehör", "1", "30", 3, 15, .44, Building, .2, { "05", "03" } },
        { "M3", "Gartengeräte", "2", "40", 4, 60, .33, Garden, .15, { "06" } },
        { "M6", "Gartenmöbel", "2", "40", 3, 220, .30, Garden, .05, { "06" } },
        { "ME", "Grills und Zubehör", "2", "40", 2, 180, .28, Garden, .05, { "06" } },
        { "M4", "Zimmerpflanzen", "2", "50", 4, 18, .48, Flat, .05, { "07" } },
        { "MC", "Schnittblumen", "2", "50", 3, 12, .50, Flowers, .05, { "07" } },
        { "M5", "Küchen", "3", "60", 3, 2400, .26, Flat, .1, { "08" } },
        { "M7", "Bäder", "3", "60", 2, 900, .27, Flat, .15, { "09" } },
        { "MB", "Sanitär", "3", "60", 3, 90, .32, Flat, .45, { "09", "08" } },
        { "M8", "Leuchten", "3", "70", 3, 55, .40, Christmas, .05, { "10" } },
        { "M9", "Heimtextilien", "3", "70", 3, 30, .42, Christmas, .03, { "10" } },
        { "W1", "Teppiche und Läufer", "3", "70", 1, 140, .38, Winter, .05, { "10" } },
        { "W2", "Geschenkartikel", "3", "70", 2, 20, .47, Christmas, .02, { "10" } },
        { "S1", "Lieferservice", "4", "80", 2, 45, .55, Flat, .3, { "11" } },
        { "S2", "Montage und Zuschnitt", "4", "80", 1, 110, .60, Flat, .4, { "11" } },
    };
    return list;
}

struct MainGroup
{
    const char *code;
    const char *name;
    std::vector<std::pair<const char *, const char *>> subGroups;
};

const std::vector<MainGroup> &mainGroups()
{
    static const std::vector<MainGroup> list {
        { "01",
          "Baustoffe",
          { { "011", "Zement und Mörtel" }, { "012", "Steine" }, { "013", "Dämmung" } } },
        { "02", "Holz", { { "021", "Schnittholz" }, { "022", "Platten" }, { "023", "Türen" } } },
        { "03",
          "Werkzeug",
          { { "031", "Handwerkzeug" }, { "032", "Elektrowerkzeug" }, { "033", "Zubehör" } } },
        { "04",
          "Eisenwaren",
          { { "041", "Schrauben und Dübel" },
            { "042", "Beschläge" },
            { "043", "Ketten und Seile" } } },
        { "05",
          "Farben und Tapeten",
          { { "051", "Wandfarben" },
            { "052", "Lacke" },
            { "053", "Tapeten" },
            { "054", "Malerbedarf" } } },
        { "06",
          "Garten",
          { { "061", "Gartengeräte" },
            { "062", "Gartenmöbel" },
            { "063", "Grills" },
            { "064", "Erde und Dünger" } } },
        { "07",
          "Pflanzen",
          { { "071", "Zimmerpflanzen" },
            { "072", "Gehölze" },
            { "073", "Schnittblumen" },
            { "074", "Saatgut" } } },
        { "08",
          "Küche",
          { { "081", "Küchenmöbel" },
            { "082", "Elektrogeräte" },
            { "083", "Spülen und Armaturen" } } },
        { "09",
          "Bad",
          { { "091", "Sanitärkeramik" }, { "092", "Duschen" }, { "093", "Badmöbel" } } },
        { "10",
          "Wohnen",
          { { "101", "Leuchten" },
            { "102", "Heimtextilien" },
            { "103", "Teppiche" },
            { "104", "Dekoration" } } },
        { "11",
          "Dienstleistung",
          { { "111", "Lieferung" }, { "112", "Montage" }, { "113", "Zuschnitt" } } },
    };
    return list;
}

struct Company
{
    const char *code;
    const char *name;
    double share; // of all lines
    double growth; // per year
};

const std::array<Company, 2> companies { {
    { "1", "Baumärkte Müller & Söhne", 0.72, 0.04 },
    { "2", "Gärtnerei Grünwald", 0.28, 0.02 },
} };

struct DemoUser
{
    const char *code;
    const char *name;
    const char *department;
    int rights;
    const char *active;
    const char *permitted;
    const char *restricted;
    const char *bound;
};

// 19 permitted codes: 8 with full rights, 11 restricted (8 of those bound to
// their department); plus one rights-group-2 user, one inactive user and a
// guest without permission.
const std::vector<DemoUser> &users()
{
    static const std::vector<DemoUser> list {
        { "DEM", "Demo Benutzer", "B0", 9, "J", "J", "N", "N" },
        { "ABE", "Anna Becker", "M1", 7, "J", "J", "N", "N" },
        { "CHR", "Christian Röhl", "M5", 6, "J", "J", "N", "N" },
        { "FRI", "Friedrich Weiß", "S1", 5, "J", "J", "N", "N" },
        { "GUT", "Gudrun Türk", "M2", 5, "J", "J", "N", "N" },
        { "HAN", "Hans Müller", "B1", 8, "J", "J", "N", "N" },
        { "JUL", "Julia Schäfer", "M8", 4, "J", "J", "N", "N" },
        { "KAR", "Karl Grün", "M3", 4, "J", "J", "N", "N" },
        { "LEH", "Lena Lehmann", "B0", 4, "J", "J", "J", "N" },
        { "MAI", "Markus Maier", "M1", 4, "J", "J", "J", "N" },
        { "NOW", "Nina Nowak", "M2", 3, "J", "J", "J", "N" },
        { "OTT", "Otto Öztürk", "B1", 3, "J", "J", "J", "J" },
        { "PAU", "Paula Pöschl", "B2", 3, "J", "J", "J", "J" },
        { "RIC", "Richard Küster", "M3", 3, "J", "J", "J", "J" },
        { "SCH", "Sabine Schön", "M4", 3, "J", "J", "J", "J" },
        { "THO", "Thomas Hübner", "M5", 3, "J", "J", "J", "J" },
        { "ULR", "Ulrike Jäger", "M6", 3, "J", "J", "J", "J" },
        { "VOG", "Volker Vogel", "M8", 3, "J", "J", "J", "J" },
        { "WEB", "Werner Weber", "M9", 3, "J", "J", "J", "J" },
        { "AZU", "Ayşe Özdemir", "M1", 2, "J", "N", "N", "N" },
        { "ALT", "Alfred Altmann", "MH", 5, "N", "N", "N", "N" },
        { "GAS", "Gast Gärtner", "M4", 3, "J", "N", "N", "N" },
    };
    return list;
}

// xoshiro256**: the same numbers for the same seed on every platform.
class Random
{
public:
    explicit Random(quint64 seed)
    {
        for (auto &s : m_state) {
            seed += 0x9e3779b97f4a7c15ULL;
            quint64 z = seed;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
            s = z ^ (z >> 31);
        }
    }
    quint64 next()
    {
        const quint64 result = rotl(m_state[1] * 5, 7) * 9;
        const quint64 t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = rotl(m_state[3], 45);
        return result;
    }
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
    size_t below(size_t n) { return size_t(uniform() * double(n)) % n; }
    double normal()
    {
        const double u1 = std::max(uniform(), 1e-12);
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * uniform());
    }

private:
    static quint64 rotl(quint64 x, int k) { return (x << k) | (x >> (64 - k)); }
    std::array<quint64, 4> m_state {};
};

qint64 cents(double euros)
{
    return std::llround(euros * 100.0);
}

struct Cell
{
    size_t company;
    int period;
    size_t department;
    qint64 lines;
};

// Lines per company, period and department, summing to the requested total.
std::vector<Cell> plan(const DemoGenerator::Options &options, Random &random)
{
    const int last = Period::fromDate(options.today);
    const int first = Period::fromDate(QDate(options.today.year() - 5, 1, 1));
    std::vector<Cell> cells;
    std::vector<double> weights;
    double total = 0;
    for (size_t c = 0; c < companies.size(); ++c) {
        for (int p = first; p <= last; p = Period::shifted(p, 1)) {
            const double years = (p - first) / 100 + (Period::month(p) - 1) / 12.0;
            double factor = companies[c].share * std::pow(1.0 + companies[c].growth, years)
                * (1.0 + 0.06 * random.normal());
            if (p == last)
                factor *= double(options.today.day()) / options.today.daysInMonth();
            for (size_t d = 0; d < departments().size(); ++d) {
                const Department &dep = departments()[d];
                const double w = std::max(
                    0.0,
                    factor * dep.weight * seasonFactors[dep.season][size_t(Period::month(p) - 1)]);
                cells.push_back({ c, p, d, 0 });
                weights.push_back(w);
                total += w;
            }
        }
    }
    double running = 0;
    qint64 assigned = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        running += weights[i];
        const qint64 upTo = std::llround(running / total * double(options.lines));
        cells[i].lines = upTo - assigned;
        assigned = upTo;
    }
    return cells;
}

// The codes of the tables above as strings, made once.
struct Codes
{
    std::vector<std::string> departments;
    std::vector<std::vector<std::string>> departmentGroups;
    std::vector<std::vector<std::string>> subGroups; // by main group index
    std::vector<std::string> mainGroupCodes;

    Codes()
    {
        for (const MainGroup &group : mainGroups()) {
            mainGroupCodes.emplace_back(group.code);
            subGroups.emplace_back();
            for (const auto &sub : group.subGroups)
                subGroups.back().emplace_back(sub.first);
        }
        for (const Department &d : departments_()) {
            departments.emplace_back(d.code);
            departmentGroups.emplace_back();
            for (const char *g : d.mainGroups)
                departmentGroups.back().emplace_back(g);
        }
    }
    static const std::vector<Department> &departments_() { return kordex::departments(); }
    size_t groupIndex(const std::string &code) const
    {
        return size_t(std::find(mainGroupCodes.begin(), mainGroupCodes.end(), code)
                      - mainGroupCodes.begin());
    }
};

SalesLine makeLine(const Cell &cell, Random &random)
{
    static const Codes codes;
    static const std::array<std::string, 2> companyCodes { "1", "2" };
    static const std::array<std::string, 4> shipping { "LA", "LZ", "SD", "SP" };
    static const std::array<std::string, 5> letters { "G", "P", "L", "B", "W" };
    const Department &dep = departments()[cell.department];
    SalesLine line;
    line.company = companyCodes[cell.company];
    line.period = cell.period;
    line.department = codes.departments[cell.department];
    const auto &groups = codes.departmentGroups[cell.department];
    line.mainGroup = groups[random.below(groups.size())];
    const auto &subs = codes.subGroups[codes.groupIndex(line.mainGroup)];
    line.subGroup = subs[random.below(subs.size())];
    const bool trade = random.uniform() < dep.trade;
    line.customerGroup = letters[trade ? 0 : 1];
    const bool drop = random.uniform() < (trade ? 0.3 : 0.08);
    line.shippingType = shipping[(drop ? 2 : 0) + random.below(2)];
    const double t = random.uniform();
    line.articleType = letters[t < 0.75 ? 2 : t < 0.95 ? 3 : 4];

    const double revenue = std::max(0.5, dep.ticket * std::exp(0.6 * random.normal() - 0.18));
    const double rate = std::clamp(dep.margin + 0.05 * random.normal(), 0.02, 0.8);
    const bool delivered = line.shippingType != shipping[0];
    const double extraRevenue = delivered ? (drop ? 0.02 * revenue + 4.9 : 15.0) : 0.0;
    const double extraCost = drop ? 0.015 * revenue : (delivered ? 8.0 : 0.0);
    const double discount = random.uniform() < (trade ? 0.6 : 0.03) ? 0.02 * revenue : 0.0;
    const double rebate
        = random.uniform() < 0.08 ? revenue * (0.03 + 0.07 * random.uniform()) : 0.0;
    line.amounts = { cents(revenue),   cents(extraRevenue), cents(revenue * (1.0 - rate)),
                     cents(extraCost), cents(discount),     cents(rebate) };
    return line;
}

} // namespace

DemoGenerator::DemoGenerator(SqlConnection &sql, Options options)
    : m_sql(sql)
    , m_options(options)
{
}

QStringList DemoGenerator::masterLines()
{
    QStringList lines;
    const auto add = [&](const QString &line) { lines.append(line); };
    static const QList<QPair<QString, QString>> profitCentres { { "1", "Baumarkt" },
                                                                { "2", "Gärtnerei" },
                                                                { "3", "Küche und Wohnen" },
                                                                { "4", "Dienstleistung" } };
    static const QList<QPair<QString, QString>> mainDepartments {
        { "10", "Baustoffe und Holz" },     { "20", "Werkzeug und Eisenwaren" },
        { "30", "Farben und Tapeten" },     { "40", "Garten" },
        { "50", "Pflanzen und Floristik" }, { "60", "Küche und Bad" },
        { "70", "Wohnen und Dekoration" },  { "80", "Service" }
    };
    for (const Company &company : companies) {
        const QString c = QString::fromLatin1(company.code);
        add(QStringLiteral("FIRMA;%1;;%2").arg(c, QString::fromUtf8(company.name)));
        for (const auto &[code, name] : profitCentres)
            add(QStringLiteral("PC;%1;%2;%3").arg(c, code, name));
        for (const auto &[code, name] : mainDepartments)
            add(QStringLiteral("HABT;%1;%2;%3").arg(c, code, name));
        for (const Department &d : departments())
            add(QStringLiteral("ABT;%1;%2;%3;%4;%5")
                    .arg(c, QString::fromLatin1(d.code), QString::fromUtf8(d.name),
                         QString::fromLatin1(d.profitCentre),
                         QString::fromLatin1(d.mainDepartment)));
        for (const MainGroup &g : mainGroups()) {
            add(QStringLiteral("HGRP;%1;%2;%3")
                    .arg(c, QString::fromLatin1(g.code), QString::fromUtf8(g.name)));
            for (const auto &[code, name] : g.subGroups)
                add(QStringLiteral("UGRP;%1;%2;%3;%4")
                        .arg(c, QString::fromLatin1(code), QString::fromUtf8(name),
                             QString::fromLatin1(g.code)));
        }
        add(QStringLiteral("HVART;%1;L;Lager").arg(c));
        add(QStringLiteral("HVART;%1;S;Strecke").arg(c));
        add(QStringLiteral("VART;%1;LA;Abholung;L").arg(c));
        add(QStringLiteral("VART;%1;LZ;Zustellung;L").arg(c));
        add(QStringLiteral("VART;%1;SD;Direktlieferung;S").arg(c));
        add(QStringLiteral("VART;%1;SP;Paketversand;S").arg(c));
    }
    return lines;
}

void DemoGenerator::run(const std::function<void(const QString &, int)> &progress)
{
    const auto step = [&](const QString &name) {
        return [&progress, name](int percent) {
            if (progress)
                progress(name, percent);
        };
    };
    markIncomplete(m_sql);
    step(QStringLiteral("master data"))(0);
    MasterImport(m_sql).run(masterLines());
    step(QStringLiteral("users"))(0);
    writeUsers();
    writeSales(step(QStringLiteral("sales lines")));
    buildSums(step(QStringLiteral("period sums")));
    m_sql.execute(QStringLiteral("DELETE FROM kordex_meta WHERE schluessel = ?"),
                  { incompleteKey });
}

void DemoGenerator::markIncomplete(SqlConnection &sql)
{
    sql.execute(QStringLiteral("INSERT INTO kordex_meta (schluessel, wert) VALUES (?, ?)"
                               " ON CONFLICT (schluessel) DO UPDATE SET wert = excluded.wert"),
                { incompleteKey, QStringLiteral("demo") });
}

bool DemoGenerator::incomplete(SqlConnection &sql)
{
    return !sql.query(QStringLiteral("SELECT 1 FROM kordex_meta WHERE schluessel = ?"),
                      { incompleteKey })
                .isEmpty();
}

void DemoGenerator::writeUsers()
{
    // The demo shares one password, but each user's hash (or server login) has a salt
    // of its own.
    UserAdmin admin(m_sql);
    for (const DemoUser &u : users()) {
        UserSettings s;
        s.company = QStringLiteral("1");
        s.code = QString::fromLatin1(u.code);
        s.password = password;
        s.name = QString::fromUtf8(u.name);
        s.department = QString::fromLatin1(u.department);
        s.rightsGroup = u.rights;
        s.active = QString::fromLatin1(u.active);
        s.permitted = QString::fromLatin1(u.permitted);
        s.restricted = QString::fromLatin1(u.restricted);
        s.departmentBound = QString::fromLatin1(u.bound);
        s.fax = QStringLiteral("0711 4711-9%1").arg(users().size());
        s.email = s.code.toLower() + QStringLiteral("@mueller-soehne.example");
        admin.set(s);
        if (s.code == QLatin1String("DEM")) {
            s.company = QStringLiteral("2");
            s.email = QStringLiteral("dem@gruenwald.example");
            admin.set(s);
        }
    }
}

void DemoGenerator::writeSales(const std::function<void(int)> &progress)
{
    Random random(m_options.seed);
    const std::vector<Cell> cells = plan(m_options, random);
    SalesWriter writer(m_sql);
    Transaction transaction(m_sql);
    qint64 done = 0;
    int shown = -1;
    for (const Cell &cell : cells) {
        for (qint64 i = 0; i < cell.lines; ++i)
            writer.write(makeLine(cell, random));
        done += cell.lines;
        const int percent = m_options.lines > 0 ? int(done * 100 / m_options.lines) : 100;
        if (percent != shown)
            progress(shown = percent);
    }
    writer.finish();
    transaction.commit();
}

void DemoGenerator::buildSums(const std::function<void(int)> &progress)
{
    const int first = Period::fromDate(QDate(m_options.today.year() - 5, 1, 1));
    const int last = Period::shifted(Period::fromDate(m_options.today), -2);
    for (size_t c = 0; c < companies.size(); ++c) {
        progress(int(c * 100 / companies.size()));
        Rebuild(m_sql, Period::dayNumber(m_options.today))
            .run(QString::fromLatin1(companies[c].code), first, last);
    }
    Rebuild::settle(m_sql);
    progress(100);
}

} // namespace kordex
