#include "cli/electronic_summary.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "print/amount_text.h"
#include "util/decimal.h"
#include "util/text.h"

namespace ledgernova::cli {

using core::ElectronicRow;
using core::field_value;
using core::stored_text;
namespace {

// What the printed summary shows of one detail table.
struct SummaryForm {
    const char* table;
    const char* kind;
    std::vector<std::pair<const char*, const char*>> labelled_columns;
    const char* amount;
    const char* currency;
};

const std::vector<SummaryForm>& summary_forms() {
    static const std::vector<SummaryForm> forms = {
        {"Poliza_Detalle_Comprobante",
         "CFDI",
         {{"UUID", "Pdc_UUID"}, {"RFC", "Pdc_RFC"}},
         "Pdc_Monto",
         "Pdc_Moneda"},
        {"Poliza_Detalle_Comprobante_Nacional_Otro",
         "Comprobante",
         {{"Serie", "Pdco_Serie"}, {"Folio", "Pdco_Folio"}, {"RFC", "Pdco_RFC"}},
         "Pdco_Monto",
         "Pdco_Moneda"},
        {"Poliza_Detalle_Comprobante_extranjero",
         "Comprobante extranjero",
         {{"Factura", "Pdce_Numero_Factura"}, {"Tax ID", "Pdce_Tax_Id"}},
         "Pdce_Monto",
         "Pdce_Moneda"},
        {"Poliza_Detalle_Cheque",
         "Cheque",
         {{"Número", "Pdc_Numero"},
          {"Banco", "Pdc_Banco_Emisor_Nacional"},
          {"Banco extranjero", "Pdc_Banco_Emisor_Extranjero"},
          {"cta.", "Pdc_Cuenta_Origen"},
          {"Beneficiario", "Pdc_Beneficiario"},
          {"RFC", "Pdc_RFC"}},
         "Pdc_Monto",
         "Pdc_Moneda"},
        {"Poliza_Detalle_Transferencia",
         "Transferencia",
         {{"Origen", "Pdt_Banco_Origen_Nacional"},
          {"Origen extranjero", "Pdt_Banco_Origen_Extranjero"},
          {"cta.", "Pdt_Cuenta_Origen"},
          {"Destino", "Pdt_Banco_Destino_Nacional"},
          {"Destino extranjero", "Pdt_Banco_Destino_Extranjero"},
          {"cta.", "Pdt_Cuenta_Destino"},
          {"Beneficiario", "Pdt_Beneficiario"},
          {"RFC", "Pdt_RFC"}},
         "Pdt_Monto",
         "Pdt_Moneda"},
        {"Poliza_Detalle_Otro_Metodo_Pago",
         "Otro método de pago",
         {{"Método", "Pdo_Metodo_Pago"}, {"Beneficiario", "Pdo_Beneficiario"}, {"RFC", "Pdo_RFC"}},
         "Pdo_Monto",
         "Pdo_Moneda"},
    };
    return forms;
}

std::string column_text(const ElectronicRow& row, const char* column) {
    return util::trim_blanks(stored_text(field_value(row.fields, column)));
}

std::string amount_text(const ElectronicRow& row, const SummaryForm& form) {
    const Variant& amount = field_value(row.fields, form.amount);
    if (amount.is_null()) {
        return {};
    }
    const std::string currency = column_text(row, form.currency);
    return "Monto " + print::grouped_amount(util::Decimal::from_variant(amount)) +
           (currency.empty() ? "" : " " + currency);
}

}  // namespace

std::string electronic_summary(const ElectronicRow& row) {
    const auto& forms = summary_forms();
    const auto form = std::find_if(forms.begin(), forms.end(), [&row](const SummaryForm& each) {
        return util::iequals(each.table, row.table);
    });
    if (form == forms.end()) {
        return row.table;
    }
    std::vector<std::string> parts = {form->kind};
    for (const auto& [label, column] : form->labelled_columns) {
        if (std::string value = column_text(row, column); !value.empty()) {
            parts.push_back(std::string(label) + " " + value);
        }
    }
    if (std::string amount = amount_text(row, *form); !amount.empty()) {
        parts.push_back(std::move(amount));
    }
    std::string summary;
    for (const auto& part : parts) {
        summary += (summary.empty() ? "" : "  ") + part;
    }
    return summary;
}

}  // namespace ledgernova::cli
