#pragma once

#include <cstdint>

#include "db/delegating_connection.h"

namespace ledgernova::bench {

// Passes every call to a real connection and counts the statements executed through it. Unlike a
// recording connection it keeps no texts, so its memory stays the same however long it runs.
class CountingConnection final : public db::DelegatingConnection {
  public:
    using DelegatingConnection::DelegatingConnection;

    using Connection::Execute;
    db::Recordset Execute(std::string_view sql, long options) override {
        ++statements_;
        return DelegatingConnection::Execute(sql, options);
    }
    // Reading the counters runs a statement on SQLite: it counts as one.
    std::optional<db::ChangeCounters> change_counters() override {
        ++statements_;
        return DelegatingConnection::change_counters();
    }

    // Statements executed since the connection was made.
    [[nodiscard]] std::int64_t statements() const { return statements_; }

  private:
    std::int64_t statements_ = 0;
};

}  // namespace ledgernova::bench
