#pragma once

#include <array>
#include <memory>
#include <string>

namespace ledgernova::bench {

// Every table a posted voucher leaves rows in, in the order posting first writes to them.
inline constexpr std::array<const char*, 9> kVoucherTables = {
    "Poliza",
    "Poliza_Detalle",
    "Poliza_Detalle_Comprobante",
    "Poliza_Detalle_Comprobante_Nacional_Otro",
    "Poliza_Detalle_Comprobante_extranjero",
    "Poliza_Detalle_Cheque",
    "Poliza_Detalle_Transferencia",
    "Poliza_Detalle_Otro_Metodo_Pago",
    "Poliza_Control",
};

// What writing a posted voucher costs at the least: its final rows (header, lines, electronic
// detail rows of the six kinds, document links) copied from the ledger into a second database with
// the same tables and indexes, through statements prepared once and bound per row, in one
// transaction. Copying each voucher right after it was posted exposes both to the same state of
// the machine.
class Floor {
  public:
    virtual ~Floor() = default;

    // Copies the rows of the voucher `folio` and returns the microseconds its transaction took;
    // reading the rows from the ledger is not counted. Throws db::Error.
    virtual double copy(const std::string& folio) = 0;
};

// On SQLite: creates the database at `floor_path` (which must not exist yet) and opens it as the
// library opens a ledger, with PRAGMA synchronous set to `synchronous` ("FULL", "NORMAL"); opens
// the ledger at `ledger_path` for reading. Throws db::Error.
[[nodiscard]] std::unique_ptr<Floor> sqlite_floor(const std::string& ledger_path,
                                                  const std::string& floor_path,
                                                  const std::string& synchronous);

// On a PostgreSQL server through ODBC: reads the ledger's rows from the schema `ledger_schema` and
// writes them into the schema `floor_schema`, whose tables exist, with the values bound as
// parameters of statements prepared on the server once. Throws db::Error.
[[nodiscard]] std::unique_ptr<Floor> server_floor(const std::string& connection_string,
                                                  const std::string& ledger_schema,
                                                  const std::string& floor_schema);

}  // namespace ledgernova::bench
