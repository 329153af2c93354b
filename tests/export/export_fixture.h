#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "export/sat_schema.h"
#include "ledgernova/export_sat.h"
#include "support/ledger.h"

namespace ledgernova::testing {

// Column values as SQL literals ("'002'", "1500"), by column name.
using Columns = std::map<std::string, std::string>;

// Each electronic detail table: its row id column, and a valid row but for its folio, line and row
// id; a test overrides the columns it is about.
struct DetailTable {
    std::string id;
    Columns valid;
};

inline const std::map<std::string, DetailTable>& detail_tables() {
    static const std::map<std::string, DetailTable> tables = {
        {"Poliza_Detalle_Comprobante",
         {"Pdc_Id",
          {{"Pdc_UUID", "'6F9619FF-8B86-D011-B42D-00C04FC964FF'"},
           {"Pdc_Monto", "1160"},
           {"Pdc_RFC", "'AAA010101AAA'"},
           {"Pdc_Metodo_Pago", "'PUE'"}}}},
        {"Poliza_Detalle_Comprobante_Nacional_Otro",
         {"Pdco_Id",
          {{"Pdco_Serie", "'A'"},
           {"Pdco_Folio", "'0457'"},
           {"Pdco_RFC", "'BBB020202BB2'"},
           {"Pdco_Monto", "580.5"}}}},
        {"Poliza_Detalle_Comprobante_extranjero",
         {"Pdce_Id",
          {{"Pdce_Numero_Factura", "'INV-2024-77'"},
           {"Pdce_Tax_Id", "'94-1234567'"},
           {"Pdce_Monto", "300"},
           {"Pdce_Moneda", "'USD'"},
           {"Pdce_Tipo_Cambio", "17.0512"}}}},
        {"Poliza_Detalle_Cheque",
         {"Pdc_Id",
          {{"Pdc_Numero", "'000123'"},
           {"Pdc_Banco_Emisor_Nacional", "'002'"},
           {"Pdc_Cuenta_Origen", "'0123456789'"},
           {"Pdc_Fecha", "'2024-03-15'"},
           {"Pdc_Monto", "1500"},
           {"Pdc_Beneficiario", "'Papelería O''Brien & Hijos'"},
           {"Pdc_RFC", "'POB850101AB1'"}}}},
        {"Poliza_Detalle_Transferencia",
         {"Pdt_Id",
          {{"Pdt_Banco_Origen_Nacional", "'012'"},
           {"Pdt_Cuenta_Origen", "'012180001234567890'"},
           {"Pdt_Banco_Destino_Nacional", "'072'"},
           {"Pdt_Cuenta_Destino", "'072180009876543210'"},
           {"Pdt_Fecha", "'2024-03-16'"},
           {"Pdt_Monto", "2000"},
           {"Pdt_Beneficiario", "'Transportes del Norte'"},
           {"Pdt_RFC", "'TNO900315XY9'"},
           {"Pdt_Moneda", "'MXN'"}}}},
        {"Poliza_Detalle_Otro_Metodo_Pago",
         {"Pdo_Id",
          {{"Pdo_Metodo_Pago", "'01'"},
           {"Pdo_Fecha", "'2024-03-17'"},
           {"Pdo_Beneficiario", "'Caja chica'"},
           {"Pdo_RFC", "'XAXX010101000'"},
           {"Pdo_Monto", "99.99"}}}},
    };
    return tables;
}

// Every problem of an export or a trial balance as describe() writes it, one a line.
template <typename Result>
std::string described(const Result& result) {
    std::string text;
    for (const auto& problem : result.problems) {
        text += describe(problem) + "\n";
    }
    return text;
}

// Whether `part` is in `text`; a failure shows both.
inline ::testing::AssertionResult contains(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "\"" << part << "\" is not in:\n" << text;
}

// A fresh ledger and the rows of a test written straight into it, as the posting code leaves
// them: vouchers of company "001" in March 2024 unless a test says otherwise.
class ExportSatFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        account("1101", "Bancos");
        account("2101", "Proveedores");
        account("6101", "Gastos generales");
    }

    void account(const std::string& code, const std::string& description) {
        insert("Cuenta_Contable",
               {{"Cc_Cve_Cuenta_Contable", quoted(code)}, {"Cc_Descripcion", quoted(description)}});
    }

    // A voucher header; `overrides` replace or add columns (Es_Cve_Estado, Pl_Periodo, ...).
    void voucher(const std::string& folio, int tipo, const std::string& numero,
                 const std::string& fecha, const std::string& comentario, Columns overrides = {}) {
        Columns columns = {{"Pl_Folio", quoted(folio)},
                           {"Em_Cve_Empresa", "'001'"},
                           {"Pl_Ejercicio", quoted(fecha.substr(0, 4))},
                           {"Pl_Periodo", quoted(fecha.substr(5, 2))},
                           {"Pl_Tipo", std::to_string(tipo)},
                           {"Pl_Numero", quoted(numero)},
                           {"Pl_Fecha", quoted(fecha)},
                           {"Pl_Comentario", quoted(comentario)}};
        merge(columns, overrides);
        insert("Poliza", columns);
    }

    // A voucher line; `tipo` 1 is a charge, 2 a credit.
    void line(const std::string& folio, const std::string& id, const std::string& cuenta, int tipo,
              const std::string& importe, const std::string& concepto = "Concepto",
              Columns overrides = {}) {
        Columns columns = {{"Pl_Folio", quoted(folio)},
                           {"Pd_ID", quoted(id)},
                           {"Cc_Cve_Cuenta_Contable", quoted(cuenta)},
                           {"Pd_Concepto", quoted(concepto)},
                           {"Pd_Tipo", std::to_string(tipo)},
                           {"Pd_Importe", importe}};
        merge(columns, overrides);
        insert("Poliza_Detalle", columns);
    }

    // A valid detail row of `table` under a line, with the columns of `overrides` changed.
    void detail(const std::string& table, const std::string& folio, const std::string& line_id,
                const std::string& row_id, Columns overrides = {}) {
        Columns columns = detail_tables().at(table).valid;
        columns["Pl_Folio"] = quoted(folio);
        columns["Pd_ID"] = quoted(line_id);
        columns[detail_tables().at(table).id] = quoted(row_id);
        merge(columns, overrides);
        insert(table, columns);
    }

    // A balanced voucher of two lines (charge 6101, credit 1101) with no detail.
    void simple_voucher(const std::string& folio, int tipo, const std::string& numero,
                        const std::string& fecha, Columns overrides = {}) {
        voucher(folio, tipo, numero, fecha, "Gasto " + numero, std::move(overrides));
        line(folio, "0001", "6101", 1, "100");
        line(folio, "0002", "1101", 2, "100");
    }

    // A voucher of March with a charge line 0001 (6101) and a credit line 0002 (1101).
    void paid_voucher() {
        voucher("0000000001", 2, "0000000015", "2024-03-15", "Pago a proveedores");
        line("0000000001", "0001", "6101", 1, "1500", "Compra");
        line("0000000001", "0002", "1101", 2, "1500", "Pago");
    }

    ExportRequest request(int year = 2024, int month = 3) const {
        ExportRequest asked;
        asked.company = "001";
        asked.year = year;
        asked.month = month;
        asked.rfc = "LNO010101AB1";
        asked.request_type = "AF";
        asked.order_number = "ABC1234567/24";
        return asked;
    }

    ExportResult run(const ExportRequest& asked) {
        return export_polizas_periodo(ledger_.direct(), asked);
    }

    // libxml2's verdict on the document against PolizasPeriodo 1.3: "" when valid.
    static std::string schema_errors(const std::string& xml) { return polizas_schema_errors(xml); }

    static std::string quoted(const std::string& text) {
        std::string literal = "'";
        for (const char c : text) {
            literal += c == '\'' ? std::string("''") : std::string(1, c);
        }
        return literal + "'";
    }

    Ledger ledger_;

  private:
    static void merge(Columns& columns, const Columns& overrides) {
        for (const auto& [name, value] : overrides) {
            columns[name] = value;
        }
    }

    void insert(const std::string& table, const Columns& columns) {
        std::string names;
        std::string values;
        for (const auto& [name, value] : columns) {
            names += (names.empty() ? "" : ", ") + name;
            values += (values.empty() ? "" : ", ") + value;
        }
        ledger_.direct().Execute("INSERT INTO " + table + " (" + names + ") VALUES (" + values +
                                 ")");
    }
};

}  // namespace ledgernova::testing
