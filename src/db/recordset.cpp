#include "ledgernova/connection.h"

#include "util/text.h"

namespace ledgernova::db {

Recordset::Recordset(std::vector<std::string> names, std::vector<std::vector<Variant>> rows)
    : names_(std::move(names)), rows_(std::move(rows)) {}

bool Recordset::Eof() const {
    return !open_ || position_ >= rows_.size();
}

const std::vector<Variant>& Recordset::current_row() const {
    if (!open_) {
        throw UsageError("Operation is not allowed when the object is closed.");
    }
    if (position_ >= rows_.size()) {
        throw UsageError(
            "Either BOF or EOF is True, or the current record has been deleted. Requested "
            "operation requires a current record.");
    }
    return rows_[position_];
}

Field Recordset::Fields(std::string_view name) const {
    const auto& row = current_row();
    for (std::size_t i = 0; i < names_.size(); ++i) {
        // The length first: most names of a row differ in it, and the test is inline.
        if (names_[i].size() == name.size() && util::iequals(names_[i], name)) {
            return Field{names_[i], row[i]};
        }
    }
    throw UsageError(
        "Item cannot be found in the collection corresponding to the requested name "
        "or ordinal: " +
        std::string(name));
}

Field Recordset::Fields(std::size_t index) const {
    const auto& row = current_row();
    if (index >= names_.size()) {
        throw UsageError(
            "Item cannot be found in the collection corresponding to the requested "
            "name or ordinal: " +
            std::to_string(index));
    }
    return Field{names_[index], row[index]};
}

std::size_t Recordset::Count() const {
    return names_.size();
}

void Recordset::MoveNext() {
    (void)current_row();  // refuses a move past the end, as a forward-only cursor does
    ++position_;
}

void Recordset::Close() {
    open_ = false;
}

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.BeginTrans();
}

Transaction::~Transaction() {
    if (done_) {
        return;
    }
    try {
        connection_.RollbackTrans();
    } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor must not throw
    }
}

void Transaction::Commit() {
    if (done_) {
        throw UsageError("The transaction was already ended.");
    }
    connection_.CommitTrans();
    done_ = true;  // a commit that failed is still rolled back by the destructor
}

}  // namespace ledgernova::db
