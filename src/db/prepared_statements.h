#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ledgernova::db {

// The statements a PostgreSQL connection keeps prepared on the server, keyed by their text with
// the literal values taken out. A text is prepared the second time it comes: one composed once
// (with a number written into it that differs every time) is not worth a round trip of its own.
// Of more than kCapacity texts the least recently used is forgotten; a server statement it had
// must then be deallocated (take_forgotten).
class PreparedStatements {
  public:
    enum class State {
        New,       // seen for the first time: run as written
        Seen,      // seen before: worth preparing
        Prepared,  // prepared on the server as `name`
        Refused,   // the server would not prepare it, or its plan went stale: run as written
    };
    struct Entry {
        std::string key;
        std::string name;  // ln_p1, ln_p2, ... unique on the connection
        State state = State::New;
    };

    // The entry of `key`, made New when the text was not known (and Seen when it was New). The
    // reference stays valid until the next call of find.
    Entry& find(std::string_view key);

    // The server names of forgotten statements that were prepared, each given once.
    [[nodiscard]] std::vector<std::string> take_forgotten();

    // The entry's server statement is to be deallocated and the text run as written from now on.
    void refuse(Entry& entry);

    static constexpr std::size_t kCapacity = 256;

  private:
    void forget_least_recent();

    std::list<Entry> entries_;  // most recently used first
    std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;
    std::vector<std::string> forgotten_;
    std::int64_t next_name_ = 1;
};

}  // namespace ledgernova::db
