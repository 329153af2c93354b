#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "export/document.h"

namespace ledgernova::sat {

// How one column of a detail table becomes an attribute of its element.
struct DetailColumn {
    const char* attribute;
    const char* column;
    Rule rule;
    std::size_t max_chars;  // for Rule::Text
    bool required;
};

// One kind of electronic detail of a voucher line: the table that keeps its rows, their row id,
// and the element the schema gives it. The currency and exchange rate columns are written as the
// optional Moneda and TipCamb every element ends with.
struct DetailKind {
    const char* element;
    const char* table;
    const char* row_id;
    std::vector<DetailColumn> columns;
    const char* currency;
    const char* exchange_rate;
};

inline constexpr std::size_t kDetailKindCount = 6;

// The six kinds in the order the schema's sequence puts their elements under a Transaccion:
// CompNal, CompNalOtr, CompExt, Cheque, Transferencia, OtrMetodoPago.
[[nodiscard]] const std::array<DetailKind, kDetailKindCount>& detail_kinds();

}  // namespace ledgernova::sat
