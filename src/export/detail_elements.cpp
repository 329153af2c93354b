#include "export/detail_elements.h"

#include "export/values.h"

namespace ledgernova::sat {
namespace {

constexpr const char* kNationalCurrency = "MXN";

std::string column_text(const DetailColumn& column, const LedgerRow& row) {
    switch (column.rule) {
        case Rule::Amount:
            return amount_text(row.value(column.column));
        case Rule::Date:
            return date_text(row.value(column.column));
        default:
            return row.text(column.column);
    }
}

Attribute column_attribute(const DetailColumn& column, const LedgerRow& row) {
    Attribute attribute =
        rule_attribute(column.attribute, column_text(column, row), column.rule, column.required);
    attribute.max_chars = column.max_chars;
    return attribute;
}

void add_currency(Element& element, const DetailKind& kind, const LedgerRow& row) {
    const std::string currency = row.text(kind.currency);
    element.attributes.push_back(rule_attribute("Moneda", currency, Rule::Currency, false));
    if (!currency.empty() && currency != kNationalCurrency) {
        element.attributes.push_back(rule_attribute(
            "TipCamb", rate_text(row.value(kind.exchange_rate)), Rule::ExchangeRate, false));
    }
}

}  // namespace

Element detail_element(const DetailKind& kind, const LedgerRow& row, const Origin& line) {
    Element element{kind.element, {line.folio, line.line, row.text(kind.row_id)}, {}, {}};
    for (const auto& column : kind.columns) {
        element.attributes.push_back(column_attribute(column, row));
    }
    add_currency(element, kind, row);
    return element;
}

}  // namespace ledgernova::sat
