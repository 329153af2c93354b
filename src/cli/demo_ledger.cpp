#include "cli/demo_ledger.h"

#include <sqlite3.h>

#include <memory>

namespace ledgernova::cli {
namespace {

constexpr const char* kMarkName = "LEDGERNOVA_DEMO";
constexpr const char* kMarkValue = "made by ledgernova demo, which replaces it when run again";

using DatabasePtr = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using StatementPtr = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

std::string mark_query() {
    return std::string("SELECT 1 FROM Parametro WHERE Pa_Nombre = '") + kMarkName +
           "' AND Pa_Ambito = 0 AND Pa_Valor = '" + kMarkValue + "'";
}

}  // namespace

void mark_demo_ledger(db::Connection& connection) {
    (void)connection.Execute(
        std::string("INSERT INTO Parametro(Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES('") + kMarkName +
        "', 0, '" + kMarkValue + "')");
}

bool is_demo_ledger(const std::string& path) {
    // Read-only connections leave empty -wal and -shm files beside a WAL ledger; a read-write one
    // that only reads removes them when it closes, and writes nothing.
    sqlite3* handle = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr);
    const DatabasePtr database(handle, &sqlite3_close);
    if (opened != SQLITE_OK) {
        return false;
    }
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(handle, mark_query().c_str(), -1, &prepared, nullptr) != SQLITE_OK) {
        return false;  // not a database, or no Parametro table
    }
    const StatementPtr statement(prepared, &sqlite3_finalize);
    return sqlite3_step(prepared) == SQLITE_ROW;
}

}  // namespace ledgernova::cli
