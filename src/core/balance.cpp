#include "core/balance.h"

#include "db/recordset_columns.h"
#include "db/sql_text.h"
#include "util/decimal.h"

namespace ledgernova::core {
namespace {

db::Recordset read_sums(const std::string& folio) {
    return Contexto::ejecutar(
        "SELECT SUM(Cargo) as Cargo, SUM(Abono) as Abono "
        "FROM ("
        "        SELECT "
        "           SUM(CASE WHEN Pd_Tipo = 1 THEN Pd_Importe ELSE 0 END) as Cargo, "
        "           SUM(CASE WHEN Pd_Tipo = 2 THEN Pd_Importe ELSE 0 END) as Abono "
        "        FROM Poliza_Detalle WHERE Pl_Folio = '" +
        db::esc(folio) + "') Tmp ");
}

void fill_adjustment(Contexto& contexto, util::Decimal difference) {
    const auto& modulo = Contexto::modulo();
    auto& line = contexto.line;
    line.Pd_Concepto = "Ajuste por redondeo";
    line.Pd_Referencia.clear();
    line.Pd_Importe = difference.abs().to_double();
    if (difference > util::Decimal()) {  // charges exceed credits
        line.Cc_Cve_Cuenta_Contable = modulo.Cuenta_Ajuste_Ingreso;
        line.Pd_Centro_Costo = modulo.Centro_Costo_Ajuste_Ingreso;
        line.Pd_Tipo = eTmAbono;
    } else {
        line.Cc_Cve_Cuenta_Contable = modulo.Cuenta_Ajuste_Egreso;
        line.Pd_Centro_Costo = modulo.Centro_Costo_Ajuste_Egreso;
        line.Pd_Tipo = eTmCargo;
    }
}

}  // namespace

bool Poliza_Balanceada(Contexto& contexto) {
    return guarded(contexto, "Poliza_Balanceada", 1, [&] {
        auto sums = read_sums(contexto.header.Pl_Folio);
        if (sums.Eof()) {
            return false;
        }
        const Variant cargo = db::field_value(sums, "Cargo");
        const Variant abono = db::field_value(sums, "Abono");
        sums.Close();
        if (cargo.is_null() || abono.is_null()) {
            return true;  // a voucher without lines
        }
        const util::Decimal difference =
            util::Decimal::from_variant(cargo) - util::Decimal::from_variant(abono);
        if (difference.is_zero()) {
            return true;
        }
        const auto limit = util::Decimal::from_double(Contexto::modulo().Importe_Maximo_Redondeo);
        if (difference.abs() > limit) {
            return false;
        }
        fill_adjustment(contexto, difference);
        return contexto.self.Add_Poliza_Detalle();
    });
}

}  // namespace ledgernova::core
