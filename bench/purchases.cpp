#include "purchases.h"

#include <memory>
#include <stdexcept>

#include <fmt/format.h>

#include "ledgernova/connection.h"
#include "ledgernova/schema.h"
#include "schema/scripts.h"

namespace ledgernova::bench {
namespace {

// The demo puts the purchase's invoice on the supplier line (line 4) of the national purchase
// template only. The electronic accounting expects it on every line the invoice supports, so the
// same command is copied to the expense, VAT and discount lines.
constexpr const char* kInvoiceOnEveryLine = R"sql(
INSERT OR REPLACE INTO Poliza_Configuracion_Detalle_Electronico
    (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id, Pcde_Tipo, Pcde_Comando)
SELECT Origen.Pc_Cve_Poliza_Configuracion, Linea.Pcd_Id, Origen.Pcde_Id, Origen.Pcde_Tipo,
       Origen.Pcde_Comando
FROM Poliza_Configuracion_Detalle_Electronico AS Origen,
     (SELECT 1 AS Pcd_Id UNION ALL SELECT 2 UNION ALL SELECT 3) AS Linea
WHERE Origen.Pc_Cve_Poliza_Configuracion = 'COM-NAC' AND Origen.Pcd_Id = 4;
)sql";

// Purchase i from a national supplier: two purchase lines on two accounts (an expense with its
// cost centre and merchandise), 16% VAT, no discount. Amounts are whole cents, multiples of 25
// before VAT, so that VAT and total are exact and every voucher balances without rounding; the
// voucher has four lines: two charges by account, VAT charged, the supplier credited.
constexpr const char* kPurchases = R"sql(
WITH RECURSIVE Numero(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM Numero WHERE i < {0}),
Importe(i, Gasto, Mercancia) AS (
    SELECT i, 100000 + 1225 * (i % 97), 48050 + 375 * (i % 89) FROM Numero)
INSERT INTO Compras
    (Cm_Folio, Em_Cve_Empresa, Cm_Fecha, Pv_Cve_Proveedor, Cm_Factura, Cm_UUID, Cm_Moneda,
     Cm_Tipo_Cambio, Cm_Subtotal, Cm_Descuento, Cm_IVA, Cm_Total, Cm_Total_Moneda)
SELECT printf('B-%07d', i), '01', printf('2024-03-%02d', 1 + (i - 1) % 31),
       CASE i % 5 WHEN 0 THEN 'P001' WHEN 1 THEN 'P002' WHEN 2 THEN 'P003' WHEN 3 THEN 'P004'
                  ELSE 'P006' END,
       printf('BF-%07d', i), printf('%08X-B0B0-4C3D-8E5F-%012X', i, i * 7919), 'MXN', 1,
       (Gasto + Mercancia) / 100.0, 0, (Gasto + Mercancia) * 4 / 25 / 100.0,
       (Gasto + Mercancia) * 29 / 25 / 100.0, (Gasto + Mercancia) * 29 / 25 / 100.0
FROM Importe;

WITH RECURSIVE Numero(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM Numero WHERE i < {0})
INSERT INTO Compras_Detalle
    (Cm_Folio, Cd_Renglon, Cd_Descripcion, Cc_Cve_Cuenta_Contable, Cd_Centro_Costo, Cd_Importe)
SELECT printf('B-%07d', i), 1, 'Papelería y consumibles', '6101-001', 'ADM',
       (100000 + 1225 * (i % 97)) / 100.0 FROM Numero
UNION ALL
SELECT printf('B-%07d', i), 2, 'Mercancía para reventa', '1150-001', '',
       (48050 + 375 * (i % 89)) / 100.0 FROM Numero;
)sql";

const std::string& demo_script() {
    for (const auto& script : schema::all_scripts()) {
        if (script.name == "sqlite/demo.sql") {
            return script.text;
        }
    }
    throw std::logic_error("the library was built without sqlite/demo.sql");
}

}  // namespace

void build_purchase_ledger(const std::string& path, int documents) {
    const auto connection = db::open_sqlite(path);
    create_schema(*connection);
    db::Transaction transaction(*connection);
    connection->Execute(demo_script());
    connection->Execute(kInvoiceOnEveryLine);
    connection->Execute(fmt::format(kPurchases, documents));
    transaction.Commit();
}

std::string purchase_folio(int index) {
    return fmt::format("B-{:07}", index);
}

}  // namespace ledgernova::bench
