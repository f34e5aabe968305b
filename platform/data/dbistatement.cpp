#include "platform/data/dbistatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

std::vector<std::string> SplitCells(const std::string& Line) {
    std::vector<std::string> cells;
    size_t start = 0;
    for (size_t bar; (bar = Line.find('|', start)) != std::string::npos; start = bar + 1)
        cells.push_back(Trim(Line.substr(start, bar - start)));
    cells.push_back(Trim(Line.substr(start)));
    return cells;
}

TSqlValue ValueOf(std::string Text) {
    TSqlValue v;
    if (Text.size() >= 2 && Text.front() == '"' && Text.back() == '"') {
        v.IsText = true;
        v.Text = Text.substr(1, Text.size() - 2);
        return v;
    }
    // Decimal numbers only: strtod also reads "nan", "inf" and hexadecimal, and a name such as
    // Nan would become a NaN that SQLite binds as NULL.
    const bool decimal = std::all_of(Text.begin(), Text.end(), [](char c) {
        return (c >= '0' && c <= '9') || std::strchr("+-.eE", c) != nullptr;
    });
    char* end = nullptr;
    v.Number = std::strtod(Text.c_str(), &end);
    v.IsText = Text.empty() || !decimal || end != Text.c_str() + Text.size();
    v.Text = Text;
    return v;
}

void Bind(sqlite3_stmt* Stmt, const std::vector<TSqlValue>& Params) {
    for (size_t i = 0; i < Params.size(); ++i) {
        const int index = static_cast<int>(i + 1);
        if (Params[i].IsText)
            sqlite3_bind_text(Stmt, index, Params[i].Text.c_str(), -1, SQLITE_TRANSIENT);
        else
            sqlite3_bind_double(Stmt, index, Params[i].Number);
    }
}

// One cell's condition on Column, as SQL with its parameter; false when the cell is not one.
bool Condition(const std::string& Column, std::string Cell, bool BlanksAsZero, std::string& Sql,
               std::vector<TSqlValue>& Params) {
    if (Cell.empty()) return true;
    if (SameText(Cell, "blank")) {
        Sql = Column + " IS NULL";
        return true;
    }
    static const char* const ops[] = {"<=", ">=", "<>", "=", "<", ">"};
    std::string op = "=";
    for (const char* o : ops)
        if (Cell.rfind(o, 0) == 0) {
            op = o;
            Cell = Trim(Cell.substr(std::string(o).size()));
            break;
        }
    if (op == "=" && Cell.size() > 5 && SameText(Cell.substr(0, 5), "like ")) {
        op = "LIKE";
        Cell = Trim(Cell.substr(5));
    }
    if (Cell.empty() || Cell.find(',') != std::string::npos || Cell[0] == '_') return false;
    const TSqlValue value = ValueOf(Cell);
    const std::string lhs = !value.IsText && BlanksAsZero ? "coalesce(" + Column + ", 0)" : Column;
    Sql = lhs + " " + op + " ?";
    Params.push_back(value);
    return true;
}

// Notes the tables of the main database that a statement being prepared reads.
class TReadTables {
public:
    explicit TReadTables(TDbiDatabase& Database) : FDatabase(Database) {
        sqlite3_set_authorizer(FDatabase.Handle(), &Note, this);
    }
    ~TReadTables() { sqlite3_set_authorizer(FDatabase.Handle(), nullptr, nullptr); }
    TReadTables(const TReadTables&) = delete;
    TReadTables& operator=(const TReadTables&) = delete;

    std::vector<std::string> Tables;

private:
    static int Note(void* Self, int Action, const char* Table, const char*, const char* Schema,
                    const char*) {
        auto& tables = static_cast<TReadTables*>(Self)->Tables;
        // A table read for its rows alone (count(*), EXISTS) comes without its schema: it may
        // be the main database's.
        const bool mayBeMain = Schema == nullptr || std::strcmp(Schema, "main") == 0;
        if (Action == SQLITE_READ && Table && mayBeMain &&
            std::find(tables.begin(), tables.end(), Table) == tables.end())
            tables.emplace_back(Table);
        return SQLITE_OK;
    }

    TDbiDatabase& FDatabase;
};

}  // namespace

DBIResult TranslateQbe(const std::string& Text, bool BlanksAsZero, std::string& Sql,
                       std::vector<TSqlValue>& Params, std::string& Error) {
    Sql.clear();
    Params.clear();
    const auto refuse = [&](const std::string& Why) {
        Error = Why;
        return DBIERR_QRYNOTSUPPORTED;
    };
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; start <= Text.size(); start = end + 1) {
        end = Text.find('\n', start);
        if (end == std::string::npos) end = Text.size();
        std::string line = Trim(Text.substr(start, end - start));
        if (line.empty() || SameText(line, "Query") || SameText(line, "EndQuery") ||
            SameText(line.substr(0, 7), "ANSWER:"))
            continue;
        lines.push_back(line);
    }
    if (lines.empty()) return refuse("The query names no table");
    const std::vector<std::string> header = SplitCells(lines[0]);
    if (header.size() < 2 || header[0].empty())
        return refuse("The first line must name a table and its fields");
    const std::string table = header[0];
    std::vector<std::string> columns, checked;
    for (size_t i = 1; i < header.size(); ++i)
        if (!header[i].empty() || i + 1 < header.size()) columns.push_back(header[i]);
    std::vector<std::string> alternatives;
    for (size_t r = 1; r < lines.size(); ++r) {
        std::vector<std::string> cells = SplitCells(lines[r]);
        if (!cells[0].empty())
            return refuse("Only one table: \"" + cells[0] + "\" starts a second");
        if (cells.size() != header.size())
            return refuse("Line " + std::to_string(r + 1) + " has another number of columns");
        std::string where;
        for (size_t c = 0; c < columns.size(); ++c) {
            std::string cell = cells[c + 1];
            if (cell.size() >= 5 && SameText(cell.substr(0, 5), "check")) {
                if (std::find(checked.begin(), checked.end(), columns[c]) == checked.end())
                    checked.push_back(columns[c]);
                cell = Trim(cell.substr(5));
            }
            std::string condition;
            if (!Condition(QuoteName(columns[c]), cell, BlanksAsZero, condition, Params))
                return refuse("Not supported in field " + columns[c] + ": " + cell);
            if (!condition.empty()) where += (where.empty() ? "" : " AND ") + condition;
        }
        if (!where.empty()) alternatives.push_back("(" + where + ")");
    }
    if (checked.empty()) return refuse("No field is checked for the answer");
    std::string list;
    for (const std::string& c : checked)
        list += (list.empty() ? "" : ", ") + QuoteName(c);
    std::string name = table;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos &&
        (SameText(name.substr(dot), ".db") || SameText(name.substr(dot), ".dbf")))
        name.resize(dot);
    Sql = "SELECT DISTINCT " + list + " FROM " + QuoteName(name);
    if (!alternatives.empty() && alternatives.size() == lines.size() - 1) {
        std::string where;
        for (const std::string& a : alternatives)
            where += (where.empty() ? "" : " OR ") + a;
        Sql += " WHERE " + where;
    }
    Sql += " ORDER BY " + list;
    return DBIERR_NONE;
}

std::unique_ptr<TDbiCursor> OpenAnswer(std::shared_ptr<TDbiDatabase> Database,
                                       const std::string& Sql,
                                       const std::vector<TSqlValue>& Params) {
    // Refuses a second statement before anything runs.
    Database->Prepare(Sql);
    static std::atomic<int> counter{0};
    const std::string answer = "answer_" + std::to_string(++counter);
    std::vector<std::string> sources;
    {
        // Its text names this answer alone: prepared for this once, never kept.
        const std::string text = "CREATE TEMP TABLE " + QuoteName(answer) + " AS " + Sql;
        sqlite3_stmt* handle = nullptr;
        {
            TReadTables reads(*Database);
            Database->CheckResult(
                sqlite3_prepare_v2(Database->Handle(), text.c_str(), -1, &handle, nullptr));
            sources = std::move(reads.Tables);
        }
        TSqlStatement create(handle, true);
        Bind(create.Handle(), Params);
        create.Step();
    }
    try {
        auto cursor = std::make_unique<TDbiCursor>(Database, answer);
        cursor->DropTableOnClose();
        cursor->SourceTables = std::move(sources);
        return cursor;
    } catch (...) {
        Database->Execute("DROP TABLE temp." + QuoteName(answer));
        throw;
    }
}

TDbiStatement::TDbiStatement(std::shared_ptr<TDbiDatabase> Database, DBIQryLang Language)
    : FDatabase(std::move(Database)), FLanguage(Language) {
    if (Language != qrylangQBE && Language != qrylangSQL)
        throw EDBEngineError(DBIERR_INVALIDPARAM, "Unknown query language");
}

DBIResult TDbiStatement::SetProp(uint32_t Property, int32_t Value) {
    switch (Property) {
        case stmtAUXTBLS:
            FAuxiliaryTables = Value != 0;
            return DBIERR_NONE;
        case stmtBLANKS:
            FBlanksAsZero = Value != 0;
            return DBIERR_NONE;
        default:
            return DBIERR_NOTSUPPORTED;
    }
}

DBIResult TDbiStatement::Prepare(const std::string& Text) {
    FPrepared = false;
    FError.clear();
    FParams.clear();
    if (FLanguage == qrylangQBE) {
        const DBIResult r = TranslateQbe(Text, FBlanksAsZero, FSql, FParams, FError);
        if (r != DBIERR_NONE) return r;
    } else {
        FSql = Trim(Text);
    }
    try {
        FDatabase->Prepare(FSql);
    } catch (const EDBEngineError& e) {
        FError = e.Message();
        return e.ErrorCode();
    }
    FPrepared = true;
    return DBIERR_NONE;
}

DBIResult TDbiStatement::Execute(std::unique_ptr<TDbiCursor>& Cursor) {
    Cursor.reset();
    if (!FPrepared) return DBIERR_INVALIDHNDL;
    try {
        auto probe = FDatabase->Prepare(FSql);
        if (sqlite3_column_count(probe->Handle()) > 0) {
            probe.reset();
            Cursor = OpenAnswer(FDatabase, FSql, FParams);
        } else {
            Bind(probe->Handle(), FParams);
            while (probe->Step()) {
            }
        }
    } catch (const EDBEngineError& e) {
        FError = e.Message();
        return e.ErrorCode();
    }
    return DBIERR_NONE;
}

}  // namespace vex
