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
constexpr const char* kSqliteInvoiceOnEveryLine = R"sql(
INSERT OR REPLACE INTO Poliza_Configuracion_Detalle_Electronico
    (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id, Pcde_Tipo, Pcde_Comando)
SELECT Origen.Pc_Cve_Poliza_Configuracion, Linea.Pcd_Id, Origen.Pcde_Id, Origen.Pcde_Tipo,
       Origen.Pcde_Comando
FROM Poliza_Configuracion_Detalle_Electronico AS Origen,
     (SELECT 1 AS Pcd_Id UNION ALL SELECT 2 UNION ALL SELECT 3) AS Linea
WHERE Origen.Pc_Cve_Poliza_Configuracion = 'COM-NAC' AND Origen.Pcd_Id = 4;
)sql";

// The same on PostgreSQL, which refuses a column that is neither grouped nor aggregated: line 1
// sums the purchase lines, and its select is grouped by the line's own columns only, so there the
// command takes the folio through MAX.
constexpr const char* kPostgresqlInvoiceOnEveryLine = R"sql(
INSERT INTO Poliza_Configuracion_Detalle_Electronico
    (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id, Pcde_Tipo, Pcde_Comando)
SELECT Origen.Pc_Cve_Poliza_Configuracion, Linea.Pcd_Id, Origen.Pcde_Id, Origen.Pcde_Tipo,
       CASE Linea.Pcd_Id
           WHEN 1 THEN replace(Origen.Pcde_Comando COLLATE "C", 'quote_literal(Compras.Cm_Folio)',
                               'quote_literal(MAX(Compras.Cm_Folio))')
           ELSE Origen.Pcde_Comando END
FROM Poliza_Configuracion_Detalle_Electronico AS Origen,
     (SELECT 1 AS Pcd_Id UNION ALL SELECT 2 UNION ALL SELECT 3) AS Linea
WHERE Origen.Pc_Cve_Poliza_Configuracion = 'COM-NAC' AND Origen.Pcd_Id = 4
ON CONFLICT (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id) DO UPDATE SET
    Pcde_Tipo = EXCLUDED.Pcde_Tipo, Pcde_Comando = EXCLUDED.Pcde_Comando;
)sql";

// Purchase i from a national supplier: two purchase lines on two accounts (an expense with its
// cost centre and merchandise), 16% VAT, no discount. Amounts are whole cents, multiples of 25
// before VAT, so that VAT and total are exact and every voucher balances without rounding; the
// voucher has four lines: two charges by account, VAT charged, the supplier credited.
constexpr const char* kSqlitePurchases = R"sql(
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

// The same purchases, as PostgreSQL writes them.
constexpr const char* kPostgresqlPurchases = R"sql(
INSERT INTO Compras
    (Cm_Folio, Em_Cve_Empresa, Cm_Fecha, Pv_Cve_Proveedor, Cm_Factura, Cm_UUID, Cm_Moneda,
     Cm_Tipo_Cambio, Cm_Subtotal, Cm_Descuento, Cm_IVA, Cm_Total, Cm_Total_Moneda)
SELECT 'B-' || lpad(CAST(i AS TEXT), 7, '0'), '01',
       '2024-03-' || lpad(CAST(1 + (i - 1) % 31 AS TEXT), 2, '0'),
       CASE i % 5 WHEN 0 THEN 'P001' WHEN 1 THEN 'P002' WHEN 2 THEN 'P003' WHEN 3 THEN 'P004'
                  ELSE 'P006' END,
       'BF-' || lpad(CAST(i AS TEXT), 7, '0'),
       upper(lpad(to_hex(i), 8, '0')) || '-B0B0-4C3D-8E5F-' ||
           upper(lpad(to_hex(CAST(i AS BIGINT) * 7919), 12, '0')), 'MXN', 1,
       (Gasto + Mercancia) / 100.0, 0, (Gasto + Mercancia) * 4 / 25 / 100.0,
       (Gasto + Mercancia) * 29 / 25 / 100.0, (Gasto + Mercancia) * 29 / 25 / 100.0
FROM (SELECT i, 100000 + 1225 * (i % 97) AS Gasto, 48050 + 375 * (i % 89) AS Mercancia
      FROM generate_series(1, {0}) AS i) AS Importe;

INSERT INTO Compras_Detalle
    (Cm_Folio, Cd_Renglon, Cd_Descripcion, Cc_Cve_Cuenta_Contable, Cd_Centro_Costo, Cd_Importe)
SELECT 'B-' || lpad(CAST(i AS TEXT), 7, '0'), 1, 'Papelería y consumibles', '6101-001', 'ADM',
       (100000 + 1225 * (i % 97)) / 100.0 FROM generate_series(1, {0}) AS i
UNION ALL
SELECT 'B-' || lpad(CAST(i AS TEXT), 7, '0'), 2, 'Mercancía para reventa', '1150-001', '',
       (48050 + 375 * (i % 89)) / 100.0 FROM generate_series(1, {0}) AS i;
)sql";

}  // namespace

void fill_purchase_ledger(db::Connection& connection, int documents) {
    if (connection.dialect() == db::Dialect::SqlServer) {
        throw db::UsageError("the benchmark runs on SQLite and PostgreSQL");
    }
    const bool sqlite = connection.dialect() == db::Dialect::SQLite;
    create_schema(connection);
    db::Transaction transaction(connection);
    connection.Execute(schema::demo_script(connection.dialect()));
    connection.Execute(sqlite ? kSqliteInvoiceOnEveryLine : kPostgresqlInvoiceOnEveryLine);
    connection.Execute(
        fmt::format(fmt::runtime(sqlite ? kSqlitePurchases : kPostgresqlPurchases), documents));
    transaction.Commit();
}

void build_purchase_ledger(const std::string& path, int documents) {
    fill_purchase_ledger(*db::open_sqlite(path), documents);
}

std::string purchase_folio(int index) {
    return fmt::format("B-{:07}", index);
}

}  // namespace ledgernova::bench
