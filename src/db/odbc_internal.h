#pragma once

// The ODBC plumbing shared by the ODBC backend's files. Private to src/db: the driver manager's
// headers stay out of every header a caller includes.

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <string_view>
#include <vector>

#include "ledgernova/variant.h"

namespace ledgernova::db::odbc {

// Throws db::Error built from the handle's diagnostic records: "[SQLSTATE xxxxx] message (native
// error n)", one line per record, code() the first record's native error. `call` names the ODBC
// function, for the rare failure that leaves no record.
[[noreturn]] void fail(SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view call);

// Passes SQL_SUCCESS, SQL_SUCCESS_WITH_INFO and SQL_NO_DATA (a searched UPDATE or DELETE that
// touched no row); anything else throws as fail() does.
void check(SQLRETURN result, SQLSMALLINT handle_type, SQLHANDLE handle, std::string_view call);

// The current result set of the statement, read to its end: column names as the driver reports
// them and every row as Variants (Null kept as Null).
struct ResultSet {
    std::vector<std::string> names;
    std::vector<std::vector<Variant>> rows;
};
[[nodiscard]] ResultSet read_result_set(SQLHSTMT statement, SQLSMALLINT columns);

}  // namespace ledgernova::db::odbc
