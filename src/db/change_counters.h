#pragma once

#include <cstdint>
#include <optional>

#include "ledgernova/connection.h"

namespace ledgernova::db {

// Counters that together move whenever the database's content or tables may have changed:
// `others` when another connection (another process, another thread) committed, `schema` when
// any table or index was created, altered or dropped, `own` with every row this connection
// inserted, updated or deleted. Equal readings mean nothing was written in between.
struct ChangeCounters {
    std::int64_t others = 0;
    std::int64_t schema = 0;
    std::int64_t own = 0;

    friend bool operator==(const ChangeCounters&, const ChangeCounters&) = default;
};

// A connection that can read its counters. Either reading gives nothing inside a transaction:
// what it wrote may still be rolled back, which moves no counter.
class ChangeCounting {
  public:
    virtual ~ChangeCounting() = default;
    // The counters as they stand now; may run a statement.
    [[nodiscard]] virtual std::optional<ChangeCounters> change_counters() = 0;
    // The `own` counter alone, read without running a statement.
    [[nodiscard]] virtual std::optional<std::int64_t> own_changes() = 0;
};

// The counters of a connection, or nothing when it cannot tell (a server, a host's own
// connection): then whatever was read from it may have changed.
[[nodiscard]] inline std::optional<ChangeCounters> change_counters(Connection& connection) {
    auto* counting = dynamic_cast<ChangeCounting*>(&connection);
    return counting != nullptr ? counting->change_counters() : std::nullopt;
}

[[nodiscard]] inline std::optional<std::int64_t> own_changes(Connection& connection) {
    auto* counting = dynamic_cast<ChangeCounting*>(&connection);
    return counting != nullptr ? counting->own_changes() : std::nullopt;
}

}  // namespace ledgernova::db
