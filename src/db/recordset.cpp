#include "ledgernova/connection.h"

#include "db/recordset_columns.h"
#include "util/text.h"

namespace ledgernova::db {

RecordsetColumns::RecordsetColumns(std::vector<std::string> names)
    : names_(std::move(names)), next_(names_.size(), kNone) {
    first_.fill(kNone);
    // Every bucket's columns chained in the order of the row, so that the first of two columns
    // of one name is found.
    for (std::size_t at = names_.size(); at-- > 0;) {
        std::uint32_t& head = first_[bucket(names_[at])];
        next_[at] = head;
        head = static_cast<std::uint32_t>(at);
    }
}

std::size_t RecordsetColumns::find(std::string_view name) const {
    for (std::uint32_t at = first_[bucket(name)]; at != kNone; at = next_[at]) {
        if (util::iequals(names_[at], name)) {
            return at;
        }
    }
    return std::string_view::npos;
}

// Names that compare alike without regard to case share a bucket. Names of a row differ mostly in
// their length or in their last letter (names of one family, as Pcd_Tipo_Detalle_1 ... _6, in
// the last).
std::size_t RecordsetColumns::bucket(std::string_view name) {
    const auto last = static_cast<unsigned char>(name.empty() ? 0 : util::ascii_lower(name.back()));
    return (name.size() * 7 + last) % kBuckets;
}

// The columns and rows read, never changed after: the composer reads most fields by name, from
// rows of up to some dozens of columns.
struct Recordset::Data {
    std::shared_ptr<const RecordsetColumns> columns;  // null when the result has none
    std::vector<std::vector<Variant>> rows;
};

Recordset::Recordset(std::vector<std::string> names, std::vector<std::vector<Variant>> rows)
    : data_(std::make_shared<const Data>(
          Data{std::make_shared<const RecordsetColumns>(std::move(names)), std::move(rows)})) {}

Recordset make_recordset(std::shared_ptr<const RecordsetColumns> columns,
                         std::vector<std::vector<Variant>> rows) {
    Recordset recordset;
    recordset.data_ = std::make_shared<const Recordset::Data>(
        Recordset::Data{std::move(columns), std::move(rows)});
    return recordset;
}

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

std::size_t field_position(const Recordset& rows, std::string_view name) {
    return rows.data_ && rows.data_->columns ? rows.data_->columns->find(name)
                                             : std::string_view::npos;
}

namespace {

// Where the column named `name` stands; refused as Fields(name) refuses a name it does not have.
std::size_t named_position(const Recordset& rows, std::string_view name) {
    const std::size_t at = field_position(rows, name);
    if (at == std::string_view::npos) {
        throw UsageError(
            "Item cannot be found in the collection corresponding to the requested name "
            "or ordinal: " +
            std::string(name));
    }
    return at;
}

}  // namespace

Field Recordset::Fields(std::string_view name) const {
    const auto& row = current_row();
    const std::size_t at = named_position(*this, name);
    return Field{data_->columns->names()[at], row[at]};
}

const Variant& field_value(const Recordset& rows, std::string_view name) {
    const auto& row = rows.current_row();
    return row[named_position(rows, name)];
}

Field Recordset::Fields(std::size_t index) const {
    const Variant& value = field_value(*this, index);  // no current row is told first
    return Field{field_name(*this, index), value};
}

const Variant& field_value(const Recordset& rows, std::size_t index) {
    const auto& row = rows.current_row();
    (void)field_name(rows, index);
    return row[index];
}

const std::string& field_name(const Recordset& rows, std::size_t index) {
    if (index >= rows.Count()) {
        throw UsageError(
            "Item cannot be found in the collection corresponding to the requested "
            "name or ordinal: " +
            std::to_string(index));
    }
    return rows.data_->columns->names()[index];
}

std::size_t Recordset::Count() const {
    return data_ && data_->columns ? data_->columns->names().size() : 0;
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
