#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/change_counters.h"
#include "ledgernova/connection.h"
#include "ledgernova/variant.h"

namespace ledgernova::host {

// What a batch posting reads again and again although no posting can change it: the template
// configuration and the account catalogue (statements kept with their rows), and the host's
// parameters and field values (kept by their arguments). Nothing is kept outside a batch call:
// there every read runs as it always did.
//
// When a kept read is read again:
//  - answers of a host of the application's own: at every batch call. They are dropped when the
//    call ends, so a parameter changed through the host is seen by the next call.
//  - statement rows, and answers of the default host (which reads its tables through the same
//    connection): when anything may have changed them. They are kept from one batch call to
//    the next on the same connection only while its change counters stay where the last call
//    left them. On SQLite a commit by another connection or process, a table created or
//    dropped, or a row written through this connection between two calls drops them all; on
//    PostgreSQL a move of the ledger's configuration version (schema::configuration_version),
//    which every write of a table they read makes, whoever writes it. A call made inside an
//    open transaction, or a connection that cannot tell (an application's own SQLite
//    connection, SQL Server, a PostgreSQL ledger made before the version), drops them too.
//    Within a call only the ledger's own tables are written, which no kept statement reads.
class KeptReads {
  public:
    // Opens a batch call on `connection`; a call inside another shares the outer one's reads.
    void begin(db::Connection& connection);
    // Ends the call opened last. Never throws.
    void end() noexcept;

    // The rows of `statement`, run on `connection` the first time and then kept while a batch
    // call is open; run every time otherwise. A statement that fails is not kept.
    [[nodiscard]] db::Recordset rows(db::Connection& connection, const std::string& statement);
    // The host's answer for `key` (every argument of the host call), asked once per batch call;
    // kept as statement rows are when `from_database` (the default host's own tables).
    [[nodiscard]] Variant answer(const std::string& key, bool from_database,
                                 const std::function<Variant()>& ask);

    // Texts that a caller composed from kept rows alone (parts of a template's statements), by
    // the caller's key: kept with those rows and dropped whenever they are. Nothing is found, and
    // nothing is kept, outside a batch call.
    [[nodiscard]] const std::vector<std::string>* composed(const std::string& key) const;
    void keep_composed(const std::string& key, std::vector<std::string> texts);

  private:
    // Rows of this many statements at most: a catalogue read account by account stays bounded.
    static constexpr std::size_t kCapacity = 2048;

    [[nodiscard]] std::optional<db::ChangeCounters> counters_at_end() const;
    void drop_database_reads();

    int depth_ = 0;
    db::Connection* connection_ = nullptr;
    std::optional<db::ChangeCounters> begun_;  // as the open call found them
    std::optional<db::ChangeCounters> ended_;  // as the last call left them
    std::unordered_map<std::string, db::Recordset> rows_;
    std::unordered_map<std::string, Variant> answers_;
    std::unordered_map<std::string, Variant> database_answers_;
    std::unordered_map<std::string, std::vector<std::string>> composed_;
};

// Opens a batch call for the scope of one member and ends it however the member ends.
class KeptReadsScope {
  public:
    KeptReadsScope(KeptReads& reads, db::Connection& connection) : reads_(reads) {
        reads_.begin(connection);
    }
    KeptReadsScope(const KeptReadsScope&) = delete;
    KeptReadsScope& operator=(const KeptReadsScope&) = delete;
    ~KeptReadsScope() { reads_.end(); }

  private:
    KeptReads& reads_;
};

}  // namespace ledgernova::host
