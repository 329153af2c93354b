#pragma once

#include <string>
#include <vector>

#include "util/decimal.h"

namespace ledgernova::print {

// The column a line's amount is printed in; a line that is neither charge nor credit shows no
// amount and adds to neither total.
enum class Movement { Charge, Credit, Other };

// A voucher line as the printed form shows it: texts ready to print and the amount in the
// column of its movement.
struct PrintedLine {
    std::string account;
    std::string description;  // the account's description in the chart, "" when it has none
    std::string cost_centre;
    std::string concept_reference;  // the concept and the reference, as one text
    Movement movement = Movement::Other;
    util::Decimal amount;
    // One text per electronic detail row of the line ("CFDI UUID ... RFC ...").
    std::vector<std::string> electronic;
};

// A voucher as the printed form shows it.
struct PrintedVoucher {
    std::string company;  // key and, when known, RFC
    std::string type;     // "Ingreso", "Egreso" or "Diario"
    std::string number;
    std::string date;     // dd/mm/yyyy
    std::string comment;  // the voucher's concept
    std::string reference;
    std::string source;  // the source table and document, "" for a manual voucher
    std::string folio;
    bool cancelled = false;
    std::vector<PrintedLine> lines;
};

// The charges and the credits of the voucher's lines, added exactly.
struct VoucherTotals {
    util::Decimal charges;
    util::Decimal credits;
};
[[nodiscard]] VoucherTotals totals_of(const PrintedVoucher& voucher);

}  // namespace ledgernova::print
