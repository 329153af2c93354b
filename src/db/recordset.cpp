#include "ledgernova/connection.h"

#include <array>
#include <cstdint>

#include "util/text.h"

namespace ledgernova::db {
namespace {

// The bit that tells an ASCII letter's small form from its capital; setting it maps both alike.
constexpr char kCaseBit = 0x20;

// Where a name is looked for: names that compare alike without regard to case share it. Names of
// a row differ mostly in their length or in their last letter (names of one family, as
// Pcd_Tipo_Detalle_1 ... _6, in the last).
constexpr std::size_t kBuckets = 64;
std::size_t bucket(std::string_view name) {
    const auto last = static_cast<unsigned char>(name.empty() ? 0 : name.back() | kCaseBit);
    return (name.size() * 7 + last) % kBuckets;
}

}  // namespace

// The names and rows read, never changed after, with an index of the names: the composer reads
// most fields by name, from rows of up to some dozens of columns.
struct Recordset::Data {
    Data(std::vector<std::string> names_read, std::vector<std::vector<Variant>> rows_read)
        : names(std::move(names_read)), rows(std::move(rows_read)), next(names.size(), kNone) {
        first.fill(kNone);
        // Every bucket's columns chained in the order of the row, so that the first of two
        // columns of one name is found.
        for (std::size_t at = names.size(); at-- > 0;) {
            std::uint32_t& head = first[bucket(names[at])];
            next[at] = head;
            head = static_cast<std::uint32_t>(at);
        }
    }

    // The position of the first column named `name`, compared without regard to case; npos when
    // there is none.
    [[nodiscard]] std::size_t find(std::string_view name) const {
        for (std::uint32_t at = first[bucket(name)]; at != kNone; at = next[at]) {
            if (util::iequals(names[at], name)) {
                return at;
            }
        }
        return std::string_view::npos;
    }

    const std::vector<std::string> names;
    const std::vector<std::vector<Variant>> rows;

  private:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    std::array<std::uint32_t, kBuckets> first{};
    std::vector<std::uint32_t> next;
};

Recordset::Recordset(std::vector<std::string> names, std::vector<std::vector<Variant>> rows)
    : data_(std::make_shared<const Data>(std::move(names), std::move(rows))) {}

bool Recordset::Eof() const {
    return !open_ || position_ >= RecordCount();
}

std::size_t Recordset::RecordCount() const {
    return data_ ? data_->rows.size() : 0;
}

const std::vector<Variant>& Recordset::current_row() const {
    if (!open_) {
        throw UsageError("Operation is not allowed when the object is closed.");
    }
    if (position_ >= RecordCount()) {
        throw UsageError(
            "Either BOF or EOF is True, or the current record has been deleted. Requested "
            "operation requires a current record.");
    }
    return data_->rows[position_];
}

Field Recordset::Fields(std::string_view name) const {
    const auto& row = current_row();
    const std::size_t at = data_->find(name);
    if (at == std::string_view::npos) {
        throw UsageError(
            "Item cannot be found in the collection corresponding to the requested name "
            "or ordinal: " +
            std::string(name));
    }
    return Field{data_->names[at], row[at]};
}

Field Recordset::Fields(std::size_t index) const {
    const auto& row = current_row();
    if (index >= Count()) {
        throw UsageError(
            "Item cannot be found in the collection corresponding to the requested "
            "name or ordinal: " +
            std::to_string(index));
    }
    return Field{data_->names[index], row[index]};
}

std::size_t Recordset::Count() const {
    return data_ ? data_->names.size() : 0;
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
