// Times the engine on a matrix-sized table against plain SQLite in-memory
// tables holding the same data, for the three statement patterns of a run:
// (a) one locality's row with the state join, (b) the bulk insert of every
// row into a new work table, (c) 1,000 existence checks each followed by an
// insert or an update of the work table.
#include "platform/dbf_table.h"
#include "platform/engine.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace daxo::platform;

namespace {

constexpr int kRows = 6000;
constexpr int kColumns = 250;
constexpr int kLookups = 200;
constexpr int kCells = 1000;
constexpr int kBulkRounds = 5;

const std::vector<std::string> kStates = {"11", "12", "13", "14", "15", "16", "17", "21", "22", "23", "24", "25", "26", "27",
                                          "28", "29", "31", "32", "33", "35", "41", "42", "43", "50", "51", "52", "53"};

std::string column(int i)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "V%03d", i);
    return buf;
}

std::string code(int row) { return kStates[row % kStates.size()] + std::to_string(1000 + row); }

double valueAt(int row, int col) { return (row * 7919 + col * 104729) % 100000; }

double millis(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// --- the data, once as dBASE files and once as SQLite tables

void makeFiles(const fs::path& bases)
{
    std::vector<DbfField> fields = {{"CODIGO", FieldType::Character, 9, 0}, {"NIVEL_GEO", FieldType::Character, 60, 0}};
    for (int c = 1; c <= kColumns; ++c)
        fields.push_back({column(c), FieldType::Numeric, 12, 0});
    DbfTable mu = DbfTable::create(bases / "MU2000.DBF", fields);
    for (int r = 0; r < kRows; ++r) {
        const std::size_t rec = mu.appendRecord();
        mu.setValue(rec, 0, code(r));
        mu.setValue(rec, 1, "Município " + std::to_string(r));
        for (int c = 1; c <= kColumns; ++c)
            mu.setValue(rec, c + 1, valueAt(r, c));
    }
    mu.save();
    DbfTable uf = DbfTable::create(bases / "UF.DBF", {{"UFCODIGO", FieldType::Character, 2, 0}, {"UFSIGLA", FieldType::Character, 2, 0}});
    for (const auto& s : kStates) {
        const std::size_t rec = uf.appendRecord();
        uf.setValue(rec, 0, s);
        uf.setValue(rec, 1, "U" + s.substr(1));
    }
    uf.save();
}

struct Baseline {
    sqlite3* db = nullptr;
    Baseline()
    {
        sqlite3_open(":memory:", &db);
        std::string create = "CREATE TABLE mu (CODIGO TEXT COLLATE RTRIM, NIVEL_GEO TEXT COLLATE RTRIM";
        for (int c = 1; c <= kColumns; ++c)
            create += ", " + column(c) + " NUMERIC";
        exec(create + ")");
        exec("CREATE INDEX mu_codigo ON mu(CODIGO)");
        exec("CREATE TABLE uf (UFCODIGO TEXT COLLATE RTRIM, UFSIGLA TEXT COLLATE RTRIM)");
        exec("BEGIN");
        std::string insert = "INSERT INTO mu VALUES (?, ?";
        for (int c = 1; c <= kColumns; ++c)
            insert += ", ?";
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &st, nullptr);
        for (int r = 0; r < kRows; ++r) {
            const std::string name = "Município " + std::to_string(r), c0 = code(r);
            sqlite3_bind_text(st, 1, c0.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, name.c_str(), -1, SQLITE_TRANSIENT);
            for (int c = 1; c <= kColumns; ++c)
                sqlite3_bind_double(st, c + 2, valueAt(r, c));
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        for (const auto& s : kStates)
            exec("INSERT INTO uf VALUES ('" + s + "', 'U" + s.substr(1) + "')");
        exec("COMMIT");
    }
    ~Baseline() { sqlite3_close(db); }

    void exec(const std::string& sql)
    {
        char* err = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::string e = err ? err : "?";
            sqlite3_free(err);
            throw std::runtime_error(e + " in " + sql);
        }
    }

    int rows(const std::string& sql)
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        int n = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            ++n;
        sqlite3_finalize(st);
        return n;
    }
};

// --- the statements, in the engine's dialect and in SQLite's

const std::string kExclusions =
    "\n and CODIGO <> '1'  and CODIGO <> '2'  and CODIGO <> '3'  and CODIGO <> '4'  and CODIGO <> '5'"
    "\n and CODIGO <> '1888'  and CODIGO <> '2888'  and CODIGO <> '3888'  and CODIGO <> '4888'  and CODIGO <> '5888'"
    "\n and CODIGO <> '1999'  and CODIGO <> '2999'  and CODIGO <> '3999'  and CODIGO <> '4999'  and CODIGO <> '5999'"
    "\n and CODIGO <> '999'  and CODIGO <> '888'  and CODIGO <> '0'";
const std::string kSum = "V001+V017+V120+V250";

std::string localityStatement(const std::string& c, bool dialect)
{
    return "SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA , " + kSum + " FROM " + (dialect ? "MU2000.DBF" : "mu") +
           " LEFT OUTER JOIN " + (dialect ? "UF.DBF" : "uf") + "  ON \t" +
           (dialect ? "SUBSTRING(CODIGO FROM 1 FOR 2)" : "substr(CODIGO, 1, 2)") + " = UFCODIGO " + kExclusions +
           "\n    WHERE  codigo = '" + c + "' ORDER BY codigo";
}

std::string bulkStatement(bool dialect)
{
    return std::string(" insert into ") + (dialect ? "temp.dbf" : "temp") + " ( censo, localidade , codigo  , Mas)" +
           " select '2000'," + (dialect ? "UFSIGLA||\" \"||nivel_geo" : "ifnull(UFSIGLA,'')||' '||ifnull(nivel_geo,'')") +
           " ||'-2000'  , codigo ," + kSum + " from " + (dialect ? "MU2000.DBF" : "mu") + "  LEFT OUTER JOIN " +
           (dialect ? "UF.DBF" : "uf") + " ON " + (dialect ? "SUBSTRING(CODIGO FROM 1 FOR 2)" : "substr(CODIGO, 1, 2)") +
           " = UFCODIGO " + kExclusions;
}

const std::string kCreateTemp = " CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), "
                                "Codigo Character(06)  , Mas  Decimal(10,2)  , Fem  Decimal(10,2) );";
const std::string kCreateBaselineTemp =
    "CREATE TABLE temp (Censo TEXT COLLATE RTRIM, Localidade TEXT COLLATE RTRIM, Codigo TEXT COLLATE RTRIM, Mas NUMERIC, Fem NUMERIC)";

// The existence check followed by the insert or the update, as the program
// writes one cell.
std::vector<std::string> cellStatements(int i, bool exists)
{
    const std::string c = std::to_string(100000 + i / 2);
    const std::string column = i % 2 ? "Fem" : "Mas";
    if (!exists)
        return {" Insert into temp (CENSO, Localidade, codigo, " + column + " ) values \n ( '2000','BA Lugar-2000' , '" +
                c + "', " + std::to_string(i) + ".5 ); "};
    return {" update temp set  " + column + " = " + std::to_string(i) + ".5\n where codigo = '" + c +
            "'\n and censo  = '2000'"};
}

std::string existence(int i)
{
    return "SELECT 1  FROM temp WHERE codigo = '" + std::to_string(100000 + i / 2) + "'\n and censo = '2000'";
}

void report(const char* what, double ours, double base)
{
    std::printf("%-48s engine %9.2f ms   sqlite %9.2f ms   ratio %6.2f\n", what, ours, base, ours / base);
}

} // namespace

int main()
{
    const fs::path root = fs::temp_directory_path() / ("daxo-bench-" + std::to_string(std::random_device{}()));
    const fs::path bases = root / "Bases";
    fs::create_directories(bases);
    try {
        std::printf("building %d x %d table...\n", kRows, kColumns);
        makeFiles(bases);
        Baseline base;
        Session session(bases);
        Query q(session);
        const auto run = [&q](const std::string& sql, bool open) {
            q.close();
            q.clearSql();
            q.addLine(sql);
            if (open) {
                q.open();
                return q.rowCount();
            }
            return q.execute();
        };
        run("SELECT count(*) FROM MU2000", true);   // first load of the file, not timed

        double oursA = millis([&] {
            for (int i = 0; i < kLookups; ++i)
                if (run(localityStatement(code(i * 29 % kRows), true), true) != 1)
                    throw std::runtime_error("locality not found");
        });
        double baseA = millis([&] {
            for (int i = 0; i < kLookups; ++i)
                if (base.rows(localityStatement(code(i * 29 % kRows), false)) != 1)
                    throw std::runtime_error("baseline locality not found");
        });
        report("(a) one locality with the state join (x200)", oursA, baseA);

        // The bulk insert is short: the best of a few runs, each into a new table.
        double oursB = 1e9, baseB = 1e9;
        for (int round = 0; round < kBulkRounds; ++round) {
            run(round == 0 ? kCreateTemp : " drop table \"temp.dbf\" ", false);
            if (round > 0)
                run(kCreateTemp, false);
            oursB = std::min(oursB, millis([&] { run(bulkStatement(true), false); }));
            base.exec(round == 0 ? kCreateBaselineTemp : "DELETE FROM temp");
            baseB = std::min(baseB, millis([&] { base.exec(bulkStatement(false)); }));
        }
        report("(b) bulk insert of every row (best of 5)", oursB, baseB);

        run(" drop table \"temp.dbf\" ", false);
        run(kCreateTemp, false);
        base.exec("DROP TABLE temp");
        base.exec(kCreateBaselineTemp);
        double oursC = millis([&] {
            for (int i = 0; i < kCells; ++i) {
                const bool exists = run(existence(i), true) > 0;
                run(cellStatements(i, exists).front(), false);
            }
        });
        double baseC = millis([&] {
            for (int i = 0; i < kCells; ++i) {
                const bool exists = base.rows(existence(i)) > 0;
                base.exec(cellStatements(i, exists).front());
            }
        });
        report("(c) 1,000 existence checks + insert/update", oursC, baseC);
        if (run("SELECT * FROM temp WHERE Mas > 0 AND Fem > 0", true) != kCells / 2)
            throw std::runtime_error("work table rows wrong");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_engine: %s\n", e.what());
        fs::remove_all(root);
        return 1;
    }
    fs::remove_all(root);
    return 0;
}
