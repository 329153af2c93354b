#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/ledger.h"

namespace ledgernova::testing {

// For an error text that ends in the database's own message: on SQLite the whole text must be
// `composed` followed by `sqlite_message`; on the server, whose driver words its messages its own
// way, the text must start with `composed` followed by "[SQLSTATE <sqlstate>] ", the opening of
// every message of the ODBC backend.
inline ::testing::AssertionResult database_error_is(const std::string& composed,
                                                    const std::string& sqlite_message,
                                                    const std::string& sqlstate,
                                                    const std::string& actual) {
    const bool server = Ledger::on_server();
    const std::string expected =
        composed + (server ? "[SQLSTATE " + sqlstate + "] " : sqlite_message);
    if (server ? actual.starts_with(expected) : actual == expected) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected " << (server ? "a text starting with " : "")
                                         << ::testing::PrintToString(expected)
                                         << "\n  actual: " << ::testing::PrintToString(actual);
}

// The message of the db::Error the statement throws; "" when it runs.
inline std::string failure_of(db::Connection& connection, const std::string& sql) {
    try {
        (void)connection.Execute(sql);
    } catch (const db::Error& failure) {
        return failure.what();
    }
    return "";
}

}  // namespace ledgernova::testing
