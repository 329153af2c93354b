-- ledgerNova demo catalogue for Microsoft SQL Server: sqlite/demo.sql, which
-- describes it, translated. Not yet tried on a server.
--
-- Loaded by `ledgernova --connect ... init --demo` after sqlserver/tables.sql,
-- as one batch. Safe to run again: tables are created only when missing,
-- catalogue rows, parameters and documents are inserted only when missing
-- (rows a user changed are kept), and the templates, which belong to the demo,
-- are replaced (MERGE).
--
-- Template fragments are T-SQL: text is joined with +, QUOTENAME(..., '''')
-- writes a document key as a literal inside a composed command, and amounts
-- are written with a fixed number of decimals through DECIMAL. Text literals
-- are N'...' so that accented letters survive any code page.

-------------------------------------------------------------------------------
-- Host parameters
-------------------------------------------------------------------------------

INSERT INTO Parametro (Pa_Nombre, Pa_Ambito, Pa_Valor)
SELECT Fila.Pa_Nombre, Fila.Pa_Ambito, Fila.Pa_Valor
FROM (VALUES
    -- A difference of up to 5 cents between charges and credits is booked as
    -- rounding: to other income when charges exceed credits, to other expenses
    -- when credits exceed charges.
    (N'CON_IMPORTE_MAXIMO_REDONDEO', 0, N'0.05'),
    (N'CON_CUENTA_CONTABLE_AJUSTE_REDONDEO', 0, N'7201-001'),
    (N'CON_CENTRO_COSTO_AJUSTE_REDONDEO', 0, N'ADM'),
    (N'CON_CUENTA_CONTABLE_AJUSTE_REDONDEO_EGRESO', 0, N'7101-001'),
    (N'CON_CENTRO_COSTO_AJUSTE_REDONDEO_EGRESO', 0, N'ADM'),
    -- Income-statement accounts need a cost centre on every line.
    (N'CON_CENTRO_COSTO_OBLIGATORIO', 0, N'1'),
    -- Electronic detail that lacks a required value stops the voucher.
    (N'CON_VALIDAR_DATOS_CONTABILIDAD_ELECTRONICA', 0, N'1'),
    (N'FIN_MONEDA_LOCAL', 0, N'MXN'),
    -- Vouchers are dated inside an open operating period (below).
    (N'GEN_VALIDAR_PERIODO_OPERATIVO', 0, N'1'),
    -- Purchases (COM) and banks (BAN) post movement by movement.
    (N'CON_MODO_CONEXION_COM', 0, N'1'),
    (N'CON_MODO_CONEXION_BAN', 0, N'1')
) AS Fila (Pa_Nombre, Pa_Ambito, Pa_Valor)
WHERE NOT EXISTS (
    SELECT 1 FROM Parametro
    WHERE Parametro.Pa_Nombre = Fila.Pa_Nombre
    AND Parametro.Pa_Ambito = Fila.Pa_Ambito);

INSERT INTO Periodo_Operativo (Po_Modulo, Po_Fecha_Inicial, Po_Fecha_Final, Es_Cve_Estado)
SELECT Fila.Po_Modulo, Fila.Po_Fecha_Inicial, Fila.Po_Fecha_Final, Fila.Es_Cve_Estado
FROM (VALUES
    (N'CONTABILIDAD', N'2024-03-01', N'2024-03-31', N'AB')
) AS Fila (Po_Modulo, Po_Fecha_Inicial, Po_Fecha_Final, Es_Cve_Estado)
WHERE NOT EXISTS (
    SELECT 1 FROM Periodo_Operativo
    WHERE Periodo_Operativo.Po_Modulo = Fila.Po_Modulo
    AND Periodo_Operativo.Po_Fecha_Inicial = Fila.Po_Fecha_Inicial);

-------------------------------------------------------------------------------
-- Companies
-------------------------------------------------------------------------------

INSERT INTO Empresa (Em_Cve_Empresa, Em_R_F_C)
SELECT Fila.Em_Cve_Empresa, Fila.Em_R_F_C
FROM (VALUES
    (N'01', N'CNO980512AB3'),  -- Comercializadora del Norte, S.A. de C.V.
    (N'02', N'SIB050318KT7')   -- Servicios Integrales del Bajío, S.A. de C.V.
) AS Fila (Em_Cve_Empresa, Em_R_F_C)
WHERE NOT EXISTS (
    SELECT 1 FROM Empresa
    WHERE Empresa.Em_Cve_Empresa = Fila.Em_Cve_Empresa);

-------------------------------------------------------------------------------
-- Chart of accounts: summary accounts ('NO') group the entry accounts ('SI');
-- accounts of the income statement carry Cc_Resultado 'SI'.
-------------------------------------------------------------------------------

INSERT INTO Cuenta_Contable (Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro, Cc_Resultado)
SELECT Fila.Cc_Cve_Cuenta_Contable, Fila.Cc_Descripcion, Fila.Cc_Registro, Fila.Cc_Resultado
FROM (VALUES
    (N'1000',     N'ACTIVO',                                              N'NO', N'NO'),
    (N'1100',     N'ACTIVO CIRCULANTE',                                   N'NO', N'NO'),
    (N'1102',     N'BANCOS',                                              N'NO', N'NO'),
    (N'1102-001', N'Bancos BBVA cta. 0123456789',                         N'SI', N'NO'),
    (N'1102-002', N'Bancos Banamex cta. 7003451288',                      N'SI', N'NO'),
    (N'1102-003', N'Bancos Santander cta. 65503456712',                   N'SI', N'NO'),
    (N'1150',     N'INVENTARIOS',                                         N'NO', N'NO'),
    (N'1150-001', N'Inventario de mercancías',                            N'SI', N'NO'),
    (N'1180',     N'IVA ACREDITABLE',                                     N'NO', N'NO'),
    (N'1180-001', N'IVA acreditable pendiente de pago',                   N'SI', N'NO'),
    (N'1180-002', N'IVA acreditable pagado',                              N'SI', N'NO'),
    (N'2000',     N'PASIVO',                                              N'NO', N'NO'),
    (N'2100',     N'PASIVO A CORTO PLAZO',                                N'NO', N'NO'),
    (N'2101',     N'PROVEEDORES NACIONALES',                              N'NO', N'NO'),
    (N'2101-001', N'Papelería La Estrella, S.A. de C.V.',                 N'SI', N'NO'),
    (N'2101-002', N'Distribuidora de Abarrotes Monterrey, S.A. de C.V.',  N'SI', N'NO'),
    (N'2101-003', N'Servicios de Limpieza Industrial del Norte, S.C.',    N'SI', N'NO'),
    (N'2101-004', N'Transportes Rápidos del Centro, S.A. de C.V.',        N'SI', N'NO'),
    (N'2101-005', N'Publicidad Creativa Digital, S.A. de C.V.',           N'SI', N'NO'),
    (N'2102',     N'PROVEEDORES EXTRANJEROS',                             N'NO', N'NO'),
    (N'2102-001', N'Tech Supplies Inc.',                                  N'SI', N'NO'),
    (N'5000',     N'COSTOS',                                              N'NO', N'SI'),
    (N'5100',     N'COMPRAS',                                             N'NO', N'SI'),
    (N'5102-001', N'Descuentos y bonificaciones sobre compras',           N'SI', N'SI'),
    (N'6000',     N'GASTOS DE OPERACIÓN',                                 N'NO', N'SI'),
    (N'6100',     N'GASTOS DE ADMINISTRACIÓN',                            N'NO', N'SI'),
    (N'6101-001', N'Papelería y artículos de oficina',                    N'SI', N'SI'),
    (N'6101-002', N'Servicios de limpieza',                               N'SI', N'SI'),
    (N'6101-003', N'Licencias de software',                               N'SI', N'SI'),
    (N'6200',     N'GASTOS DE VENTA',                                     N'NO', N'SI'),
    (N'6201-001', N'Publicidad y propaganda',                             N'SI', N'SI'),
    (N'6201-002', N'Fletes y acarreos',                                   N'SI', N'SI'),
    (N'7000',     N'OTROS RESULTADOS',                                    N'NO', N'SI'),
    (N'7101-001', N'Otros gastos: diferencias por redondeo',              N'SI', N'SI'),
    (N'7201-001', N'Otros productos: diferencias por redondeo',           N'SI', N'SI')
) AS Fila (Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro, Cc_Resultado)
WHERE NOT EXISTS (
    SELECT 1 FROM Cuenta_Contable
    WHERE Cuenta_Contable.Cc_Cve_Cuenta_Contable = Fila.Cc_Cve_Cuenta_Contable);

-------------------------------------------------------------------------------
-- Cost centres, as lines name them
-------------------------------------------------------------------------------

IF OBJECT_ID(N'Centro_Costo', N'U') IS NULL
CREATE TABLE Centro_Costo (
    Ce_Cve_Centro_Costo  NVARCHAR(100) NOT NULL PRIMARY KEY,
    Ce_Descripcion       NVARCHAR(400) DEFAULT N'',
    Es_Cve_Estado        NVARCHAR(100) NOT NULL DEFAULT N'AC'
);

INSERT INTO Centro_Costo (Ce_Cve_Centro_Costo, Ce_Descripcion)
SELECT Fila.Ce_Cve_Centro_Costo, Fila.Ce_Descripcion
FROM (VALUES
    (N'ADM', N'Administración'),
    (N'VTA', N'Ventas'),
    (N'ALM', N'Almacén')
) AS Fila (Ce_Cve_Centro_Costo, Ce_Descripcion)
WHERE NOT EXISTS (
    SELECT 1 FROM Centro_Costo
    WHERE Centro_Costo.Ce_Cve_Centro_Costo = Fila.Ce_Cve_Centro_Costo);

-------------------------------------------------------------------------------
-- Banks (Bn_Codigo: the bank's SAT code) and the company's bank accounts,
-- each with the ledger account it posts to
-------------------------------------------------------------------------------

INSERT INTO Banco (Bn_Cve_Banco, Bn_Codigo)
SELECT Fila.Bn_Cve_Banco, Fila.Bn_Codigo
FROM (VALUES
    (N'BANAMEX', N'002'),
    (N'BBVA', N'012'),
    (N'SANTANDER', N'014'),
    (N'HSBC', N'021'),
    (N'BANORTE', N'072')
) AS Fila (Bn_Cve_Banco, Bn_Codigo)
WHERE NOT EXISTS (
    SELECT 1 FROM Banco
    WHERE Banco.Bn_Cve_Banco = Fila.Bn_Cve_Banco);

INSERT INTO Banco_Cuenta (Bc_Cve_Banco_Cuenta, Bc_Cuenta, Bn_Cve_Banco, Em_Cve_Empresa)
SELECT Fila.Bc_Cve_Banco_Cuenta, Fila.Bc_Cuenta, Fila.Bn_Cve_Banco, Fila.Em_Cve_Empresa
FROM (VALUES
    (N'BBVA-01', N'0123456789', N'BBVA', N'01'),
    (N'BNMX-01', N'7003451288', N'BANAMEX', N'01'),
    (N'SANT-02', N'65503456712', N'SANTANDER', N'02')
) AS Fila (Bc_Cve_Banco_Cuenta, Bc_Cuenta, Bn_Cve_Banco, Em_Cve_Empresa)
WHERE NOT EXISTS (
    SELECT 1 FROM Banco_Cuenta
    WHERE Banco_Cuenta.Bc_Cve_Banco_Cuenta = Fila.Bc_Cve_Banco_Cuenta);

IF OBJECT_ID(N'Banco_Cuenta_Datos', N'U') IS NULL
CREATE TABLE Banco_Cuenta_Datos (
    Bc_Cve_Banco_Cuenta     NVARCHAR(100) NOT NULL PRIMARY KEY,
    Bc_Descripcion          NVARCHAR(400) DEFAULT N'',
    Cc_Cve_Cuenta_Contable  NVARCHAR(100) DEFAULT N''
);

INSERT INTO Banco_Cuenta_Datos (Bc_Cve_Banco_Cuenta, Bc_Descripcion, Cc_Cve_Cuenta_Contable)
SELECT Fila.Bc_Cve_Banco_Cuenta, Fila.Bc_Descripcion, Fila.Cc_Cve_Cuenta_Contable
FROM (VALUES
    (N'BBVA-01', N'BBVA cheques', N'1102-001'),
    (N'BNMX-01', N'Banamex pagos electrónicos', N'1102-002'),
    (N'SANT-02', N'Santander (Servicios Integrales del Bajío)', N'1102-003')
) AS Fila (Bc_Cve_Banco_Cuenta, Bc_Descripcion, Cc_Cve_Cuenta_Contable)
WHERE NOT EXISTS (
    SELECT 1 FROM Banco_Cuenta_Datos
    WHERE Banco_Cuenta_Datos.Bc_Cve_Banco_Cuenta = Fila.Bc_Cve_Banco_Cuenta);

-------------------------------------------------------------------------------
-- Suppliers: the taxpayer code in Proveedor, the rest of what the purchasing
-- module keeps (name, origin, tax id abroad, ledger account) in
-- Proveedor_Datos. Foreign suppliers carry the SAT's generic foreign RFC.
-------------------------------------------------------------------------------

INSERT INTO Proveedor (Pv_Cve_Proveedor, Pv_R_F_C)
SELECT Fila.Pv_Cve_Proveedor, Fila.Pv_R_F_C
FROM (VALUES
    (N'P001', N'PES010203QW5'),
    (N'P002', N'DAM950726HJ1'),
    (N'P003', N'SLI120914TR8'),
    (N'P004', N'TRC080101MN2'),
    (N'P005', N'XEXX010101000'),
    (N'P006', N'PCD170620LK9')
) AS Fila (Pv_Cve_Proveedor, Pv_R_F_C)
WHERE NOT EXISTS (
    SELECT 1 FROM Proveedor
    WHERE Proveedor.Pv_Cve_Proveedor = Fila.Pv_Cve_Proveedor);

IF OBJECT_ID(N'Proveedor_Datos', N'U') IS NULL
CREATE TABLE Proveedor_Datos (
    Pv_Cve_Proveedor        NVARCHAR(100) NOT NULL PRIMARY KEY,
    Pv_Nombre               NVARCHAR(400) NOT NULL DEFAULT N'',
    Pv_Extranjero           NVARCHAR(100) NOT NULL DEFAULT N'NO',
    Pv_Tax_Id               NVARCHAR(100) NOT NULL DEFAULT N'',
    Pv_Banco_Extranjero     NVARCHAR(400) NOT NULL DEFAULT N'',
    Cc_Cve_Cuenta_Contable  NVARCHAR(100) NOT NULL DEFAULT N''
);

INSERT INTO Proveedor_Datos (Pv_Cve_Proveedor, Pv_Nombre, Pv_Extranjero, Pv_Tax_Id,
    Pv_Banco_Extranjero, Cc_Cve_Cuenta_Contable)
SELECT Fila.Pv_Cve_Proveedor, Fila.Pv_Nombre, Fila.Pv_Extranjero, Fila.Pv_Tax_Id,
    Fila.Pv_Banco_Extranjero, Fila.Cc_Cve_Cuenta_Contable
FROM (VALUES
    (N'P001', N'Papelería La Estrella', N'NO', N'', N'', N'2101-001'),
    (N'P002', N'Distribuidora de Abarrotes Monterrey', N'NO', N'', N'', N'2101-002'),
    (N'P003', N'Servicios de Limpieza Industrial del Norte', N'NO', N'', N'', N'2101-003'),
    (N'P004', N'Transportes Rápidos del Centro', N'NO', N'', N'', N'2101-004'),
    (N'P005', N'Tech Supplies Inc.', N'SI', N'94-3456789', N'Bank of America, N.A.', N'2102-001'),
    (N'P006', N'Publicidad Creativa Digital', N'NO', N'', N'', N'2101-005')
) AS Fila (Pv_Cve_Proveedor, Pv_Nombre, Pv_Extranjero, Pv_Tax_Id, Pv_Banco_Extranjero,
    Cc_Cve_Cuenta_Contable)
WHERE NOT EXISTS (
    SELECT 1 FROM Proveedor_Datos
    WHERE Proveedor_Datos.Pv_Cve_Proveedor = Fila.Pv_Cve_Proveedor);

-- What the requested value of a cheque identifies: '01' a supplier, '02' a
-- sundry debtor, '03' a customer, '' the company owning the destination account.
INSERT INTO Tipo_Cheque (Tc_Cve_Tipo_Cheque, Tc_Solicitar)
SELECT Fila.Tc_Cve_Tipo_Cheque, Fila.Tc_Solicitar
FROM (VALUES
    (N'PROV', N'01'),
    (N'DEUD', N'02'),
    (N'CLIE', N'03'),
    (N'TRAS', N'')
) AS Fila (Tc_Cve_Tipo_Cheque, Tc_Solicitar)
WHERE NOT EXISTS (
    SELECT 1 FROM Tipo_Cheque
    WHERE Tipo_Cheque.Tc_Cve_Tipo_Cheque = Fila.Tc_Cve_Tipo_Cheque);

-------------------------------------------------------------------------------
-- Source documents: purchases
--
-- Amounts in pesos; a foreign purchase also keeps its total in the invoice's
-- currency (Cm_Total_Moneda) and the exchange rate of the day. Every purchase
-- balances: the lines add up to Cm_Subtotal, and
-- Cm_Total = Cm_Subtotal - Cm_Descuento + Cm_IVA.
-------------------------------------------------------------------------------

IF OBJECT_ID(N'Compras', N'U') IS NULL
CREATE TABLE Compras (
    Cm_Folio          NVARCHAR(100) NOT NULL PRIMARY KEY,
    Em_Cve_Empresa    NVARCHAR(100) NOT NULL,
    Cm_Fecha          DATE    NOT NULL,
    Pv_Cve_Proveedor  NVARCHAR(100) NOT NULL,
    Cm_Factura        NVARCHAR(100) NOT NULL DEFAULT N'',
    Cm_UUID           NVARCHAR(100) NOT NULL DEFAULT N'',
    Cm_Moneda         NVARCHAR(100) NOT NULL DEFAULT N'MXN',
    Cm_Tipo_Cambio    DECIMAL(19,6) NOT NULL DEFAULT 1,
    Cm_Subtotal       DECIMAL(19,4) NOT NULL DEFAULT 0,
    Cm_Descuento      DECIMAL(19,4) NOT NULL DEFAULT 0,
    Cm_IVA            DECIMAL(19,4) NOT NULL DEFAULT 0,
    Cm_Total          DECIMAL(19,4) NOT NULL DEFAULT 0,
    Cm_Total_Moneda   DECIMAL(19,4) NOT NULL DEFAULT 0,
    Cm_Metodo_Pago    NVARCHAR(100) NOT NULL DEFAULT N'PPD',
    Es_Cve_Estado     NVARCHAR(100) NOT NULL DEFAULT N'AC'
);

IF OBJECT_ID(N'Compras_Detalle', N'U') IS NULL
CREATE TABLE Compras_Detalle (
    Cm_Folio                NVARCHAR(100) NOT NULL,
    Cd_Renglon              INT NOT NULL,
    Cd_Descripcion          NVARCHAR(400) NOT NULL DEFAULT N'',
    Cc_Cve_Cuenta_Contable  NVARCHAR(100) NOT NULL,
    Cd_Centro_Costo         NVARCHAR(100) NOT NULL DEFAULT N'',
    Cd_Importe              DECIMAL(19,4) NOT NULL DEFAULT 0,
    PRIMARY KEY (Cm_Folio, Cd_Renglon)
);

INSERT INTO Compras (Cm_Folio, Em_Cve_Empresa, Cm_Fecha, Pv_Cve_Proveedor, Cm_Factura, Cm_UUID,
    Cm_Moneda, Cm_Tipo_Cambio, Cm_Subtotal, Cm_Descuento, Cm_IVA, Cm_Total, Cm_Total_Moneda)
SELECT Fila.Cm_Folio, Fila.Em_Cve_Empresa, Fila.Cm_Fecha, Fila.Pv_Cve_Proveedor, Fila.Cm_Factura,
    Fila.Cm_UUID, Fila.Cm_Moneda, Fila.Cm_Tipo_Cambio, Fila.Cm_Subtotal, Fila.Cm_Descuento,
    Fila.Cm_IVA, Fila.Cm_Total, Fila.Cm_Total_Moneda
FROM (VALUES
    (N'C-0001', N'01', N'2024-03-01', N'P001', N'A-1523', N'2E2B919E-A148-42BE-B131-B2BFC03DB526',
     N'MXN', 1, 4400.00, 0, 704.00, 5104.00, 5104.00),
    -- 5% prompt-payment discount before VAT.
    (N'C-0002', N'01', N'2024-03-04', N'P002', N'F-88120', N'3E831511-9916-4ACB-B1CA-2CDB4D15B75C',
     N'MXN', 1, 20000.00, 1000.00, 3040.00, 22040.00, 22040.00),
    (N'C-0003', N'01', N'2024-03-06', N'P003', N'LIM-2024-031', N'3601665F-4A79-4562-B467-F3A2445BD43C',
     N'MXN', 1, 11500.00, 0, 1840.00, 13340.00, 13340.00),
    -- Imported: USD 1,200.00 at 16.85, no VAT on the invoice.
    (N'C-0004', N'01', N'2024-03-08', N'P005', N'INV-240308-17', N'',
     N'USD', 16.85, 20220.00, 0, 0, 20220.00, 1200.00),
    (N'C-0005', N'01', N'2024-03-11', N'P004', N'TR-4471', N'28E3DC02-3F22-4C8E-9551-F55E71DC5CD6',
     N'MXN', 1, 4200.00, 0, 672.00, 4872.00, 4872.00),
    (N'C-0006', N'01', N'2024-03-14', N'P006', N'PCD-903', N'B4E7B20E-F128-4DB7-947A-FE51793AEEDB',
     N'MXN', 1, 15000.00, 0, 2400.00, 17400.00, 17400.00),
    (N'C-0007', N'01', N'2024-03-19', N'P002', N'F-88577', N'5E6082FC-CECE-44F1-8175-F8735054D4B4',
     N'MXN', 1, 10000.00, 0, 1600.00, 11600.00, 11600.00),
    -- Another company's purchase: posting for company '01' leaves it alone.
    (N'C-0008', N'02', N'2024-03-22', N'P001', N'A-1601', N'574759C8-C4AC-41A7-877A-28FD36718FF3',
     N'MXN', 1, 725.25, 0, 116.04, 841.29, 841.29)
) AS Fila (Cm_Folio, Em_Cve_Empresa, Cm_Fecha, Pv_Cve_Proveedor, Cm_Factura, Cm_UUID, Cm_Moneda,
    Cm_Tipo_Cambio, Cm_Subtotal, Cm_Descuento, Cm_IVA, Cm_Total, Cm_Total_Moneda)
WHERE NOT EXISTS (
    SELECT 1 FROM Compras
    WHERE Compras.Cm_Folio = Fila.Cm_Folio);

INSERT INTO Compras_Detalle (Cm_Folio, Cd_Renglon, Cd_Descripcion, Cc_Cve_Cuenta_Contable,
    Cd_Centro_Costo, Cd_Importe)
SELECT Fila.Cm_Folio, Fila.Cd_Renglon, Fila.Cd_Descripcion, Fila.Cc_Cve_Cuenta_Contable,
    Fila.Cd_Centro_Costo, Fila.Cd_Importe
FROM (VALUES
    (N'C-0001', 1, N'Papel bond carta, 20 cajas', N'6101-001', N'ADM', 1450.50),
    (N'C-0001', 2, N'Tóner HP 58A, 3 piezas', N'6101-001', N'ADM', 2299.50),
    (N'C-0001', 3, N'Carpetas y folders', N'6101-001', N'VTA', 650.00),
    (N'C-0002', 1, N'Café de grano 1 kg, 150 piezas', N'1150-001', N'', 12000.00),
    (N'C-0002', 2, N'Azúcar estándar 2 kg, 200 piezas', N'1150-001', N'', 3500.00),
    (N'C-0002', 3, N'Galletas surtidas, 300 paquetes', N'1150-001', N'', 4500.00),
    (N'C-0003', 1, N'Limpieza de oficinas, marzo', N'6101-002', N'ADM', 8000.00),
    (N'C-0003', 2, N'Limpieza de bodega, marzo', N'6101-002', N'ALM', 3500.00),
    (N'C-0004', 1, N'Licencias de software, USD 800.00', N'6101-003', N'ADM', 13480.00),
    (N'C-0004', 2, N'Refacciones para lectores, USD 400.00', N'1150-001', N'', 6740.00),
    (N'C-0005', 1, N'Flete Monterrey-Saltillo', N'6201-002', N'VTA', 2700.00),
    (N'C-0005', 2, N'Flete Monterrey-Torreón', N'6201-002', N'VTA', 1500.00),
    (N'C-0006', 1, N'Campaña en redes sociales, marzo', N'6201-001', N'VTA', 15000.00),
    (N'C-0007', 1, N'Café de grano 1 kg, 65 piezas', N'1150-001', N'', 5200.00),
    (N'C-0007', 2, N'Té verde, 130 cajas', N'1150-001', N'', 2600.00),
    (N'C-0007', 3, N'Servilletas, 100 paquetes', N'1150-001', N'', 2200.00),
    (N'C-0008', 1, N'Papel bond carta, 10 cajas', N'6101-001', N'ADM', 725.25)
) AS Fila (Cm_Folio, Cd_Renglon, Cd_Descripcion, Cc_Cve_Cuenta_Contable, Cd_Centro_Costo, Cd_Importe)
WHERE NOT EXISTS (
    SELECT 1 FROM Compras_Detalle
    WHERE Compras_Detalle.Cm_Folio = Fila.Cm_Folio
    AND Compras_Detalle.Cd_Renglon = Fila.Cd_Renglon);

-------------------------------------------------------------------------------
-- Source documents: the cheque register (cheques and transfers paying
-- suppliers). The requested value is the supplier's key (cheque type PROV).
-------------------------------------------------------------------------------

INSERT INTO Cheque (Ch_Folio, Bc_Cve_Banco_Cuenta, Ch_Transferencia, Tc_Cve_Tipo_Cheque, Ch_Fecha,
    Ch_Importe, Ch_Beneficiario, Ch_Referencia, Ch_Cuenta_Destino, Ch_Banco_Destino,
    Ch_Solicitar_Valor)
SELECT Fila.Ch_Folio, Fila.Bc_Cve_Banco_Cuenta, Fila.Ch_Transferencia, Fila.Tc_Cve_Tipo_Cheque,
    Fila.Ch_Fecha, Fila.Ch_Importe, Fila.Ch_Beneficiario, Fila.Ch_Referencia,
    Fila.Ch_Cuenta_Destino, Fila.Ch_Banco_Destino, Fila.Ch_Solicitar_Valor
FROM (VALUES
    (N'CH-0001', N'BBVA-01', N'NO', N'PROV', N'2024-03-05', 5104.00,
     N'Papelería La Estrella, S.A. de C.V.', N'0004512', N'', N'', N'P001'),
    (N'CH-0002', N'BNMX-01', N'SI', N'PROV', N'2024-03-12', 22040.00,
     N'Distribuidora de Abarrotes Monterrey, S.A. de C.V.', N'SPEI 8812034',
     N'072580001234567891', N'072', N'P002'),
    (N'CH-0003', N'BBVA-01', N'NO', N'PROV', N'2024-03-15', 13340.00,
     N'Servicios de Limpieza Industrial del Norte, S.C.', N'0004513', N'', N'', N'P003'),
    -- A wire abroad: no national destination bank, the foreign one is the supplier's.
    (N'CH-0004', N'BNMX-01', N'SI', N'PROV', N'2024-03-20', 20220.00,
     N'Tech Supplies Inc.', N'WIRE 240320-01', N'483022190457', N'', N'P005'),
    (N'CH-0005', N'BNMX-01', N'SI', N'PROV', N'2024-03-26', 4872.00,
     N'Transportes Rápidos del Centro, S.A. de C.V.', N'SPEI 9031177',
     N'014580655012345678', N'014', N'P004')
) AS Fila (Ch_Folio, Bc_Cve_Banco_Cuenta, Ch_Transferencia, Tc_Cve_Tipo_Cheque, Ch_Fecha,
    Ch_Importe, Ch_Beneficiario, Ch_Referencia, Ch_Cuenta_Destino, Ch_Banco_Destino,
    Ch_Solicitar_Valor)
WHERE NOT EXISTS (
    SELECT 1 FROM Cheque
    WHERE Cheque.Ch_Folio = Fila.Ch_Folio);

-------------------------------------------------------------------------------
-- Voucher templates
--
-- Purchases post as a journal voucher: expense or inventory charged per
-- account and cost centre (the purchase lines summed), VAT charged, the
-- discount credited (skipped when it is zero), the supplier credited.
-- Payments post as an expense voucher: the supplier charged, the bank
-- credited. National and foreign purchases, cheques and transfers each have a
-- template of their own, told apart by conditions; every template posts only
-- the documents of the company it is asked for.
-------------------------------------------------------------------------------

MERGE INTO Poliza_Configuracion_Tabla USING (VALUES
    (N'Compras', N'COM', N'Compras.Cm_Fecha', N'Compras.Cm_Folio', N'SI', N''),
    (N'Cheque', N'BAN', N'Cheque.Ch_Fecha', N'Cheque.Ch_Folio', N'SI', N'')
) AS Fila (Pc_Tabla, Pc_Modulo, Pc_Campo_Dia, Pc_Campo_Movimiento, Pc_Contabiliza_Linea,
    Pc_Modo_Contabiliza)
ON Poliza_Configuracion_Tabla.Pc_Tabla = Fila.Pc_Tabla
WHEN MATCHED THEN UPDATE SET Pc_Modulo = Fila.Pc_Modulo, Pc_Campo_Dia = Fila.Pc_Campo_Dia,
    Pc_Campo_Movimiento = Fila.Pc_Campo_Movimiento,
    Pc_Contabiliza_Linea = Fila.Pc_Contabiliza_Linea, Pc_Modo_Contabiliza = Fila.Pc_Modo_Contabiliza
WHEN NOT MATCHED THEN INSERT (Pc_Tabla, Pc_Modulo, Pc_Campo_Dia, Pc_Campo_Movimiento,
    Pc_Contabiliza_Linea, Pc_Modo_Contabiliza)
    VALUES (Fila.Pc_Tabla, Fila.Pc_Modulo, Fila.Pc_Campo_Dia, Fila.Pc_Campo_Movimiento,
        Fila.Pc_Contabiliza_Linea, Fila.Pc_Modo_Contabiliza);

MERGE INTO Poliza_Configuracion USING (VALUES
    (N'CHQ-CHEQUE', N'Pago a proveedor con cheque', N'Cheque', N'2', N'Cheque.Ch_Referencia',
     N'''Cheque '' + Cheque.Ch_Referencia + '' a '' + Proveedor_Datos.Pv_Nombre',
     N'Cheque '
     + N'INNER JOIN Banco_Cuenta ON Banco_Cuenta.Bc_Cve_Banco_Cuenta = Cheque.Bc_Cve_Banco_Cuenta '
     + N'INNER JOIN Banco_Cuenta_Datos '
     + N'ON Banco_Cuenta_Datos.Bc_Cve_Banco_Cuenta = Cheque.Bc_Cve_Banco_Cuenta '
     + N'INNER JOIN Proveedor_Datos ON Proveedor_Datos.Pv_Cve_Proveedor = Cheque.Ch_Solicitar_Valor',
     N'NO', N'AC'),
    (N'CHQ-TRANSF', N'Pago a proveedor por transferencia', N'Cheque', N'2', N'Cheque.Ch_Referencia',
     N'''Transferencia a '' + Proveedor_Datos.Pv_Nombre',
     N'Cheque '
     + N'INNER JOIN Banco_Cuenta ON Banco_Cuenta.Bc_Cve_Banco_Cuenta = Cheque.Bc_Cve_Banco_Cuenta '
     + N'INNER JOIN Banco_Cuenta_Datos '
     + N'ON Banco_Cuenta_Datos.Bc_Cve_Banco_Cuenta = Cheque.Bc_Cve_Banco_Cuenta '
     + N'INNER JOIN Proveedor_Datos ON Proveedor_Datos.Pv_Cve_Proveedor = Cheque.Ch_Solicitar_Valor',
     N'NO', N'AC'),
    (N'COM-EXT', N'Compra de importación', N'Compras', N'3', N'Compras.Cm_Factura',
     N'''Compra '' + Compras.Cm_Folio + '' '' + Proveedor_Datos.Pv_Nombre',
     N'Compras INNER JOIN Proveedor_Datos '
     + N'ON Proveedor_Datos.Pv_Cve_Proveedor = Compras.Pv_Cve_Proveedor',
     N'NO', N'AC'),
    (N'COM-NAC', N'Compra a proveedor nacional', N'Compras', N'3', N'Compras.Cm_Factura',
     N'''Compra '' + Compras.Cm_Folio + '' '' + Proveedor_Datos.Pv_Nombre',
     N'Compras INNER JOIN Proveedor_Datos '
     + N'ON Proveedor_Datos.Pv_Cve_Proveedor = Compras.Pv_Cve_Proveedor',
     N'NO', N'AC')
) AS Fila (Pc_Cve_Poliza_Configuracion, Pc_Descripcion, Pc_Tabla, Pc_Tipo, Pc_Referencia,
    Pc_Comentario, Pc_Relacion, Pc_Permitir_Importe_Cero, Es_Cve_Estado)
ON Poliza_Configuracion.Pc_Cve_Poliza_Configuracion = Fila.Pc_Cve_Poliza_Configuracion
WHEN MATCHED THEN UPDATE SET Pc_Descripcion = Fila.Pc_Descripcion, Pc_Tabla = Fila.Pc_Tabla,
    Pc_Tipo = Fila.Pc_Tipo, Pc_Referencia = Fila.Pc_Referencia, Pc_Comentario = Fila.Pc_Comentario,
    Pc_Relacion = Fila.Pc_Relacion, Pc_Permitir_Importe_Cero = Fila.Pc_Permitir_Importe_Cero,
    Es_Cve_Estado = Fila.Es_Cve_Estado
WHEN NOT MATCHED THEN INSERT (Pc_Cve_Poliza_Configuracion, Pc_Descripcion, Pc_Tabla, Pc_Tipo,
    Pc_Referencia, Pc_Comentario, Pc_Relacion, Pc_Permitir_Importe_Cero, Es_Cve_Estado)
    VALUES (Fila.Pc_Cve_Poliza_Configuracion, Fila.Pc_Descripcion, Fila.Pc_Tabla, Fila.Pc_Tipo,
        Fila.Pc_Referencia, Fila.Pc_Comentario, Fila.Pc_Relacion, Fila.Pc_Permitir_Importe_Cero,
        Fila.Es_Cve_Estado);

MERGE INTO Poliza_Configuracion_Condicion USING (VALUES
    (N'COM-NAC', 1, N'Compras.Em_Cve_Empresa = ''<EMPRESA>'''),
    (N'COM-NAC', 2, N'Compras.Es_Cve_Estado <> ''CA'''),
    (N'COM-NAC', 3, N'Proveedor_Datos.Pv_Extranjero = ''NO'''),
    (N'COM-EXT', 1, N'Compras.Em_Cve_Empresa = ''<EMPRESA>'''),
    (N'COM-EXT', 2, N'Compras.Es_Cve_Estado <> ''CA'''),
    (N'COM-EXT', 3, N'Proveedor_Datos.Pv_Extranjero = ''SI'''),
    (N'CHQ-CHEQUE', 1, N'Banco_Cuenta.Em_Cve_Empresa = ''<EMPRESA>'''),
    (N'CHQ-CHEQUE', 2, N'Cheque.Es_Cve_Estado <> ''CA'''),
    (N'CHQ-CHEQUE', 3, N'Cheque.Ch_Transferencia = ''NO'''),
    (N'CHQ-TRANSF', 1, N'Banco_Cuenta.Em_Cve_Empresa = ''<EMPRESA>'''),
    (N'CHQ-TRANSF', 2, N'Cheque.Es_Cve_Estado <> ''CA'''),
    (N'CHQ-TRANSF', 3, N'Cheque.Ch_Transferencia = ''SI''')
) AS Fila (Pc_Cve_Poliza_Configuracion, Pcc_ID, Pcc_Valor)
ON Poliza_Configuracion_Condicion.Pc_Cve_Poliza_Configuracion = Fila.Pc_Cve_Poliza_Configuracion
    AND Poliza_Configuracion_Condicion.Pcc_ID = Fila.Pcc_ID
WHEN MATCHED THEN UPDATE SET Pcc_Valor = Fila.Pcc_Valor
WHEN NOT MATCHED THEN INSERT (Pc_Cve_Poliza_Configuracion, Pcc_ID, Pcc_Valor)
    VALUES (Fila.Pc_Cve_Poliza_Configuracion, Fila.Pcc_ID, Fila.Pcc_Valor);

-- Lines of the purchase templates. Line 1 sums the purchase lines: the voucher
-- gets one line per account and cost centre.
MERGE INTO Poliza_Configuracion_Detalle USING (VALUES
    (N'COM-NAC', 1, N'Gasto o inventario por cuenta y centro de costo',
     N'Compras_Detalle.Cc_Cve_Cuenta_Contable', N'Compras_Detalle.Cd_Centro_Costo',
     N'''Compra '' + Compras.Cm_Factura + '' - '' + Cuenta_Contable.Cc_Descripcion',
     N'Compras.Cm_Factura', N'SUM(Compras_Detalle.Cd_Importe)', N'',
     N'INNER JOIN Compras_Detalle ON Compras_Detalle.Cm_Folio = Compras.Cm_Folio '
     + N'INNER JOIN Cuenta_Contable '
     + N'ON Cuenta_Contable.Cc_Cve_Cuenta_Contable = Compras_Detalle.Cc_Cve_Cuenta_Contable',
     N''),
    (N'COM-NAC', 2, N'IVA acreditable pendiente de pago', N'''1180-001''', N'',
     N'''IVA 16% factura '' + Compras.Cm_Factura', N'Compras.Cm_Factura', N'Compras.Cm_IVA', N'',
     N'', N''),
    (N'COM-NAC', 3, N'Descuento sobre compra (casi siempre cero)', N'''5102-001''', N'''ALM''',
     N'''Descuento factura '' + Compras.Cm_Factura', N'Compras.Cm_Factura', N'',
     N'Compras.Cm_Descuento', N'', N''),
    (N'COM-NAC', 4, N'Proveedor', N'Proveedor_Datos.Cc_Cve_Cuenta_Contable', N'',
     N'''Factura '' + Compras.Cm_Factura + '' '' + Proveedor_Datos.Pv_Nombre',
     N'Compras.Cm_Factura', N'', N'Compras.Cm_Total', N'', N''),
    (N'COM-EXT', 1, N'Gasto o inventario por cuenta y centro de costo',
     N'Compras_Detalle.Cc_Cve_Cuenta_Contable', N'Compras_Detalle.Cd_Centro_Costo',
     N'''Compra '' + Compras.Cm_Factura + '' - '' + Cuenta_Contable.Cc_Descripcion',
     N'Compras.Cm_Factura', N'SUM(Compras_Detalle.Cd_Importe)', N'',
     N'INNER JOIN Compras_Detalle ON Compras_Detalle.Cm_Folio = Compras.Cm_Folio '
     + N'INNER JOIN Cuenta_Contable '
     + N'ON Cuenta_Contable.Cc_Cve_Cuenta_Contable = Compras_Detalle.Cc_Cve_Cuenta_Contable',
     N''),
    (N'COM-EXT', 2, N'Proveedor extranjero', N'Proveedor_Datos.Cc_Cve_Cuenta_Contable', N'',
     N'''Factura '' + Compras.Cm_Factura + '' '' + Proveedor_Datos.Pv_Nombre + '' '' '
     + N'+ Compras.Cm_Moneda + '' '' + CAST(CAST(Compras.Cm_Total_Moneda AS DECIMAL(19,2)) AS NVARCHAR(40)) '
     + N'+ '' TC '' + CAST(CAST(Compras.Cm_Tipo_Cambio AS DECIMAL(19,4)) AS NVARCHAR(40))',
     N'Compras.Cm_Factura', N'', N'Compras.Cm_Total', N'', N''),
    (N'CHQ-CHEQUE', 1, N'Proveedor', N'Proveedor_Datos.Cc_Cve_Cuenta_Contable', N'',
     N'''Pago a '' + Proveedor_Datos.Pv_Nombre', N'Cheque.Ch_Referencia', N'Cheque.Ch_Importe', N'',
     N'', N''),
    (N'CHQ-CHEQUE', 2, N'Banco', N'Banco_Cuenta_Datos.Cc_Cve_Cuenta_Contable', N'',
     N'''Cheque '' + Cheque.Ch_Referencia + '' '' + Cheque.Ch_Beneficiario',
     N'Cheque.Ch_Referencia', N'', N'Cheque.Ch_Importe', N'', N''),
    (N'CHQ-TRANSF', 1, N'Proveedor', N'Proveedor_Datos.Cc_Cve_Cuenta_Contable', N'',
     N'''Pago a '' + Proveedor_Datos.Pv_Nombre', N'Cheque.Ch_Referencia', N'Cheque.Ch_Importe', N'',
     N'', N''),
    (N'CHQ-TRANSF', 2, N'Banco', N'Banco_Cuenta_Datos.Cc_Cve_Cuenta_Contable', N'',
     N'''Transferencia '' + Cheque.Ch_Referencia + '' '' + Cheque.Ch_Beneficiario',
     N'Cheque.Ch_Referencia', N'', N'Cheque.Ch_Importe', N'', N'')
) AS Fila (Pc_Cve_Poliza_Configuracion, Pcd_ID, Pcd_Descripcion, Pcd_Cuenta_Contable,
    Pcd_Centro_Costo, Pcd_Concepto, Pcd_Referencia, Pcd_Cargo, Pcd_Abono, Pcd_Relacion,
    Pcd_Condicion)
ON Poliza_Configuracion_Detalle.Pc_Cve_Poliza_Configuracion = Fila.Pc_Cve_Poliza_Configuracion
    AND Poliza_Configuracion_Detalle.Pcd_ID = Fila.Pcd_ID
WHEN MATCHED THEN UPDATE SET Pcd_Descripcion = Fila.Pcd_Descripcion,
    Pcd_Cuenta_Contable = Fila.Pcd_Cuenta_Contable, Pcd_Centro_Costo = Fila.Pcd_Centro_Costo,
    Pcd_Concepto = Fila.Pcd_Concepto, Pcd_Referencia = Fila.Pcd_Referencia,
    Pcd_Cargo = Fila.Pcd_Cargo, Pcd_Abono = Fila.Pcd_Abono, Pcd_Relacion = Fila.Pcd_Relacion,
    Pcd_Condicion = Fila.Pcd_Condicion
WHEN NOT MATCHED THEN INSERT (Pc_Cve_Poliza_Configuracion, Pcd_ID, Pcd_Descripcion,
    Pcd_Cuenta_Contable, Pcd_Centro_Costo, Pcd_Concepto, Pcd_Referencia, Pcd_Cargo, Pcd_Abono,
    Pcd_Relacion, Pcd_Condicion)
    VALUES (Fila.Pc_Cve_Poliza_Configuracion, Fila.Pcd_ID, Fila.Pcd_Descripcion,
        Fila.Pcd_Cuenta_Contable, Fila.Pcd_Centro_Costo, Fila.Pcd_Concepto, Fila.Pcd_Referencia,
        Fila.Pcd_Cargo, Fila.Pcd_Abono, Fila.Pcd_Relacion, Fila.Pcd_Condicion);

-------------------------------------------------------------------------------
-- Electronic detail of template lines
--
-- Each command is an SQL expression of the line's select: its value, for the
-- document being posted, is the query whose result rows become the line's
-- electronic detail rows. The result columns carry the names the electronic
-- detail recognises (TIMBRE_UUID, RFC_TERCERO, MONTO, ... or the cheque
-- register's own column names, Ch_Folio, Ch_Fecha, Ch_Importe, ...).
--
--  * COM-NAC line 4 (supplier): the invoice with its UUID (COMPROBANTE).
--  * COM-EXT line 2 (foreign supplier): the foreign invoice, in its currency
--    (COMPROBANTE EXTRANJERO).
--  * CHQ-CHEQUE line 2 (bank): the cheque (CHEQUE). Bank and origin account
--    come from the cheque register by folio; the payee's RFC is looked up from
--    the requested value and the cheque type.
--  * CHQ-TRANSF line 2 (bank): the transfer (TRANSFERENCIA): origin as for a
--    cheque, destination bank and account from the register, the supplier's
--    foreign bank when the destination is abroad.
--
-- The vouchers balance and post whether or not the electronic detail runs.
-------------------------------------------------------------------------------

MERGE INTO Poliza_Configuracion_Detalle_Electronico USING (VALUES
    (N'COM-NAC', 4, 1, N'COMPROBANTE',
     N'''SELECT Compras.Cm_UUID AS TIMBRE_UUID, Proveedor.Pv_R_F_C AS RFC_TERCERO, '
     + N'Compras.Cm_Total AS MONTO, Compras.Cm_Moneda AS MONEDA, '
     + N'Compras.Cm_Tipo_Cambio AS TIPO_CAMBIO, Compras.Cm_Metodo_Pago AS METODO_PAGO '
     + N'FROM Compras INNER JOIN Proveedor '
     + N'ON Proveedor.Pv_Cve_Proveedor = Compras.Pv_Cve_Proveedor '
     + N'WHERE Compras.Cm_Folio = '' + QUOTENAME(Compras.Cm_Folio, '''''''')'),
    (N'COM-EXT', 2, 1, N'COMPROBANTE EXTRANJERO',
     N'''SELECT Compras.Cm_Factura AS NUMERO_FACTURA, Proveedor_Datos.Pv_Tax_Id AS TAX_ID, '
     + N'Compras.Cm_Total_Moneda AS MONTO, Compras.Cm_Moneda AS MONEDA, '
     + N'Compras.Cm_Tipo_Cambio AS TIPO_CAMBIO, Compras.Cm_Metodo_Pago AS METODO_PAGO '
     + N'FROM Compras INNER JOIN Proveedor_Datos '
     + N'ON Proveedor_Datos.Pv_Cve_Proveedor = Compras.Pv_Cve_Proveedor '
     + N'WHERE Compras.Cm_Folio = '' + QUOTENAME(Compras.Cm_Folio, '''''''')'),
    (N'CHQ-CHEQUE', 2, 1, N'CHEQUE',
     N'''SELECT Cheque.Ch_Folio, Cheque.Ch_Referencia, Cheque.Ch_Fecha, Cheque.Ch_Importe, '
     + N'Cheque.Ch_Beneficiario, Cheque.Ch_Solicitar_Valor, Cheque.Tc_Cve_Tipo_Cheque '
     + N'FROM Cheque WHERE Cheque.Ch_Folio = '' + QUOTENAME(Cheque.Ch_Folio, '''''''')'),
    (N'CHQ-TRANSF', 2, 1, N'TRANSFERENCIA',
     N'''SELECT Cheque.Ch_Folio, Cheque.Ch_Referencia, Cheque.Ch_Fecha, Cheque.Ch_Importe, '
     + N'Cheque.Ch_Beneficiario, Cheque.Ch_Cuenta_Destino, Cheque.Ch_Banco_Destino, '
     + N'Proveedor_Datos.Pv_Banco_Extranjero AS BANCO_DESTINO_EXTRANJERO, '
     + N'Cheque.Ch_Solicitar_Valor, Cheque.Tc_Cve_Tipo_Cheque '
     + N'FROM Cheque INNER JOIN Proveedor_Datos '
     + N'ON Proveedor_Datos.Pv_Cve_Proveedor = Cheque.Ch_Solicitar_Valor '
     + N'WHERE Cheque.Ch_Folio = '' + QUOTENAME(Cheque.Ch_Folio, '''''''')')
) AS Fila (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id, Pcde_Tipo, Pcde_Comando)
ON Poliza_Configuracion_Detalle_Electronico.Pc_Cve_Poliza_Configuracion = Fila.Pc_Cve_Poliza_Configuracion
    AND Poliza_Configuracion_Detalle_Electronico.Pcd_Id = Fila.Pcd_Id
    AND Poliza_Configuracion_Detalle_Electronico.Pcde_Id = Fila.Pcde_Id
WHEN MATCHED THEN UPDATE SET Pcde_Tipo = Fila.Pcde_Tipo, Pcde_Comando = Fila.Pcde_Comando
WHEN NOT MATCHED THEN INSERT (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id, Pcde_Tipo, Pcde_Comando)
    VALUES (Fila.Pc_Cve_Poliza_Configuracion, Fila.Pcd_Id, Fila.Pcde_Id, Fila.Pcde_Tipo,
        Fila.Pcde_Comando);
