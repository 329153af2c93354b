#pragma once

#include <string>
#include <vector>

#include "ledgernova/connection.h"
#include "ledgernova/export.h"

namespace ledgernova {

// What the tax administration asked for: the vouchers of one company and month, delivered as the
// electronic accounting XML "PolizasPeriodo" version 1.3.
struct ExportRequest {
    std::string company;           // Em_Cve_Empresa of the vouchers
    int year = 0;                  // Anio, 2015 to 2099
    int month = 0;                 // Mes, 1 to 12; December also takes the vouchers of period 13
    std::string rfc;               // RFC of the taxpayer who delivers the file; "": the company's
    std::string request_type;      // TipoSolicitud: AF, FC (need order_number), DE, CO (need
                                   // procedure_number)
    std::string order_number;      // NumOrden, "ABC1234567/24"; only with AF or FC
    std::string procedure_number;  // NumTramite, "AB123456789012"; only with DE or CO
    bool force = false;            // write the file even when the check finds problems
};

// One value the schema would refuse, or one thing that keeps the file from being valid.
struct ExportProblem {
    std::string folio;      // Pl_Folio of the voucher; empty for the request itself
    std::string line;       // Pd_ID of the voucher line; empty for the voucher or the request
    std::string element;    // the XML element: Polizas, Poliza, Transaccion, Cheque, ...
    std::string row;        // the detail row id (Pdc_Id, Pdt_Id, ...) of a detail element
    std::string attribute;  // the XML attribute; empty when the problem is the element itself
    std::string value;      // the value as it would be written
    std::string reason;     // why the schema (or the catalogue) refuses it
};

struct ExportResult {
    // True when `xml` holds the document: the check found nothing, or the request was forced.
    // False when the check refused the export (problems says why) or the ledger could not be read
    // (one problem carries the database's message); `xml` is then empty.
    bool ok = false;
    std::string xml;  // the whole document, UTF-8, with its XML declaration
    // Every problem found, in document order; a forced export lists them as well.
    std::vector<ExportProblem> problems;
};

// Builds the PolizasPeriodo document of the request: every voucher (Poliza) of the company and
// month that is not cancelled (Es_Cve_Estado <> 'CA'), ordered by date, type and number, with one
// Transaccion per voucher line and the line's electronic detail rows (CompNal, CompNalOtr,
// CompExt, Cheque, Transferencia, OtrMetodoPago) beneath it. Before anything is produced every
// value is checked against what the schema and its catalogues accept; unless `force` is set, a
// single problem refuses the export. Only reads the ledger; never throws.
[[nodiscard]] LEDGERNOVA_API ExportResult export_polizas_periodo(db::Connection& connection,
                                                                 const ExportRequest& request);

// One problem as one line of text: where (folio, line, element, row), what (attribute and value,
// its line breaks and control characters written as \n, \r, \t, \x01) and why.
[[nodiscard]] LEDGERNOVA_API std::string describe(const ExportProblem& problem);

}  // namespace ledgernova
