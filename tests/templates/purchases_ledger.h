#pragma once

#include <string>

#include "templates/template_store.h"

namespace ledgernova::testing {

// An electronic-detail command giving one invoice: a SQL text literal of a template.
inline const std::string kInvoice =
    "'SELECT ''11111111-2222-3333-4444-555555555555'' AS TIMBRE_UUID, 100 AS CD_MONTO, "
    "''AAA010101AAA'' AS Cd_Rfc_Emisor, ''PUE'' AS METODO_PAGO'";

// Purchases of company 01 posted by two expense templates: the purchase itself and its VAT.
class PurchasesLedger : public TemplateStore {
  protected:
    explicit PurchasesLedger(bool on_disk = false) : TemplateStore(on_disk) {
        for (const char* account : {"1190", "2101", "2102", "5101", "5102"}) {
            ledger.add_account(account);
        }
        execute(
            "CREATE TABLE Compras(Folio TEXT, Fecha TEXT, Empresa TEXT, Proveedor TEXT, Importe "
            "NUMERIC, Iva NUMERIC, Descuento NUMERIC, Centro TEXT)");
        add_purchase("A-1", "2024-03-05", "100", "16");
        add_purchase("A-2", "2024-03-06", "50.5", "8.08");
        add_table();
        add_template({.clave = "CMP", .comentario = "'Compra ' || Compras.Folio"});
        add_condition(1, "Compras.Empresa = '<EMPRESA>'", "CMP");
        add_line({.clave = "CMP",
                  .id = 1,
                  .descripcion = "Gasto",
                  .cuenta = "'5101'",
                  .centro = "Compras.Centro",
                  .concepto = "Compras.Proveedor",
                  .cargo = "SUM(Compras.Importe)"});
        add_line({.clave = "CMP",
                  .id = 2,
                  .descripcion = "Descuento",
                  .cuenta = "'5102'",
                  .concepto = "'Descuento'",
                  .abono = "Compras.Descuento"});
        add_line({.clave = "CMP",
                  .id = 3,
                  .descripcion = "Proveedor",
                  .cuenta = "'2101'",
                  .concepto = "'Proveedor'",
                  .abono = "Compras.Importe - Compras.Descuento"});
        add_template({.clave = "CMP2", .descripcion = "IVA", .comentario = "'IVA'"});
        add_line({.clave = "CMP2",
                  .id = 1,
                  .cuenta = "'1190'",
                  .concepto = "'IVA'",
                  .cargo = "Compras.Iva"});
        add_line({.clave = "CMP2",
                  .id = 2,
                  .cuenta = "'2102'",
                  .concepto = "'IVA'",
                  .abono = "Compras.Iva"});
    }

    void add_purchase(const std::string& folio, const std::string& fecha,
                      const std::string& importe, const std::string& iva,
                      const std::string& descuento = "0") {
        execute("INSERT INTO Compras VALUES(" + q(folio) + ", " + q(fecha) + ", '01', 'ACME', " +
                importe + ", " + iva + ", " + descuento + ", 'ADMINISTRA')");
    }

    bool post(const std::string& folio, const std::string& empresa = "01") {
        return object.Genera_Poliza_Tabla("Compras", folio, empresa);
    }

    std::string vouchers(const std::string& where = "") {
        return ledger.rows(
            "SELECT Pl_Folio, Pl_Numero, Pl_Tipo, Pl_Tabla, Pl_Documento, Pl_Referencia, "
            "Pl_Comentario, Pl_Configuracion, Es_Cve_Estado FROM Poliza " +
            where + " ORDER BY Pl_Folio");
    }
    std::string lines() {
        return ledger.rows(
            "SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, Pd_Concepto, "
            "Pd_Tipo, Pd_Importe FROM Poliza_Detalle ORDER BY Pl_Folio, Pd_ID");
    }
    std::string links() {
        return ledger.rows(
            "SELECT Pl_Folio, Pc_Tabla, Pc_Documento, Oper_Alta, Es_Cve_Estado FROM "
            "Poliza_Control ORDER BY Pl_Folio, Pc_Documento");
    }
    std::string invoices() {
        return ledger.rows(
            "SELECT Pl_Folio, Pd_ID, Pdc_Id, Pdc_UUID FROM Poliza_Detalle_Comprobante ORDER BY 1, "
            "2, 3");
    }
    std::string everything() { return vouchers() + lines() + links(); }
};

}  // namespace ledgernova::testing
