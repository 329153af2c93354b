#include "db/prepared_statements.h"

#include <utility>

namespace ledgernova::db {

PreparedStatements::Entry& PreparedStatements::find(std::string_view key) {
    if (const auto found = index_.find(key); found != index_.end()) {
        entries_.splice(entries_.begin(), entries_, found->second);
        Entry& entry = entries_.front();
        if (entry.state == State::New) {
            entry.state = State::Seen;
        }
        return entry;
    }
    if (entries_.size() == kCapacity) {
        forget_least_recent();
    }
    entries_.push_front({std::string(key), "ln_p" + std::to_string(next_name_++), State::New});
    index_.emplace(entries_.front().key, entries_.begin());
    return entries_.front();
}

std::vector<std::string> PreparedStatements::take_forgotten() {
    return std::exchange(forgotten_, {});
}

void PreparedStatements::refuse(Entry& entry) {
    if (entry.state == State::Prepared) {
        forgotten_.push_back(entry.name);
    }
    entry.state = State::Refused;
}

void PreparedStatements::forget_least_recent() {
    const Entry& last = entries_.back();
    if (last.state == State::Prepared) {
        forgotten_.push_back(last.name);
    }
    index_.erase(last.key);
    entries_.pop_back();
}

}  // namespace ledgernova::db
