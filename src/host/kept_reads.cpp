#include "host/kept_reads.h"

#include <exception>
#include <utility>

#include "schema/configuration_version.h"

namespace ledgernova::host {
namespace {

// SQLite counts changes itself; a PostgreSQL ledger keeps a version of what postings only read.
std::optional<db::ChangeCounters> counters_of(db::Connection& connection) {
    return connection.dialect() == db::Dialect::PostgreSQL
               ? schema::configuration_version(connection)
               : db::change_counters(connection);
}

std::optional<std::int64_t> own_changes_of(db::Connection& connection) {
    if (connection.dialect() == db::Dialect::PostgreSQL) {
        return connection.TransactionDepth() == 0 ? std::optional<std::int64_t>(0) : std::nullopt;
    }
    return db::own_changes(connection);
}

}  // namespace

void KeptReads::begin(db::Connection& connection) {
    if (depth_++ > 0) {
        return;
    }
    const std::optional<db::ChangeCounters> last = std::exchange(ended_, std::nullopt);
    const bool same_connection = &connection == connection_;
    connection_ = &connection;
    begun_.reset();
    try {
        begun_ = counters_of(connection);
    } catch (const std::exception&) {
        // Counters that cannot be read vouch for nothing: the rows are read again.
    }
    if (!same_connection || !begun_ || begun_ != last) {
        drop_database_reads();
    }
}

void KeptReads::end() noexcept {
    if (depth_ == 0 || --depth_ > 0) {
        return;
    }
    answers_.clear();
    ended_ = counters_at_end();
    if (!ended_) {
        drop_database_reads();
    }
}

// The counters the next call must find: the versions as this call began (a commit by another
// connection during the call moves them, so its rows are then read again) and the rows written
// through this connection until now, the call's own postings included.
std::optional<db::ChangeCounters> KeptReads::counters_at_end() const {
    if (!begun_) {
        return std::nullopt;
    }
    try {
        const std::optional<std::int64_t> own = own_changes_of(*connection_);
        if (!own) {
            return std::nullopt;
        }
        return db::ChangeCounters{begun_->others, begun_->schema, *own};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void KeptReads::drop_database_reads() {
    rows_.clear();
    database_answers_.clear();
    composed_.clear();
}

db::Recordset KeptReads::rows(db::Connection& connection, const std::string& statement) {
    if (depth_ == 0) {
        return connection.Execute(statement, -1);
    }
    if (const auto found = rows_.find(statement); found != rows_.end()) {
        return found->second;
    }
    db::Recordset result = connection.Execute(statement, -1);
    if (rows_.size() == kCapacity) {
        rows_.clear();
        composed_.clear();  // what was composed from the dropped rows goes with them
    }
    rows_.emplace(statement, result);
    return result;
}

const std::vector<std::string>* KeptReads::composed(const std::string& key) const {
    if (depth_ == 0) {
        return nullptr;
    }
    const auto found = composed_.find(key);
    return found == composed_.end() ? nullptr : &found->second;
}

void KeptReads::keep_composed(const std::string& key, std::vector<std::string> texts) {
    if (depth_ == 0) {
        return;
    }
    if (composed_.size() == kCapacity) {
        composed_.clear();
    }
    composed_.insert_or_assign(key, std::move(texts));
}

Variant KeptReads::answer(const std::string& key, bool from_database,
                          const std::function<Variant()>& ask) {
    if (depth_ == 0) {
        return ask();
    }
    auto& answers = from_database ? database_answers_ : answers_;
    if (const auto found = answers.find(key); found != answers.end()) {
        return found->second;
    }
    Variant value = ask();
    answers.emplace(key, value);
    return value;
}

}  // namespace ledgernova::host
