#pragma once

#include <memory>
#include <string>

namespace ledgernova::bench {

// What writing a posted voucher costs at the least: its final rows (header, lines, electronic
// detail rows of the six kinds, document links) copied from the ledger into a fresh database with
// the same tables and indexes, through statements prepared once and bound per row, in one
// transaction. Copying each voucher right after it was posted exposes both to the same state of
// the machine.
class Floor {
  public:
    // Creates the database at `floor_path` (which must not exist yet) and opens it as the library
    // opens a ledger, with PRAGMA synchronous set to `synchronous` ("FULL", "NORMAL"); opens the
    // ledger at `ledger_path` for reading. Throws db::Error.
    Floor(const std::string& ledger_path, const std::string& floor_path,
          const std::string& synchronous);
    Floor(const Floor&) = delete;
    Floor& operator=(const Floor&) = delete;
    ~Floor();

    // Copies the rows of the voucher `folio` and returns the microseconds its transaction took;
    // reading the rows from the ledger is not counted. Throws db::Error.
    double copy(const std::string& folio);

  private:
    class Copier;
    std::unique_ptr<Copier> copier_;
};

}  // namespace ledgernova::bench
