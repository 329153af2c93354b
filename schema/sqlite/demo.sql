-- ledgerNova demo catalogue for the embedded SQLite database.
--
-- Loaded by `ledgernova init --demo` and `ledgernova demo` after tables.sql. It
-- describes a small trading company, "Comercializadora del Norte" (company
-- '01'), and its March 2024: purchases from national and foreign suppliers and
-- the cheques and transfers that pay them, with the voucher templates that
-- post both source tables on line.
--
-- Safe to run again: tables are created only when missing, catalogue rows,
-- parameters and documents are inserted only when missing (rows a user changed
-- are kept), and the templates, which belong to the demo, are replaced.
--
-- Template fragments are SQLite: text is joined with ||, and quote() writes a
-- document key as a literal inside a composed command.

-------------------------------------------------------------------------------
-- Host parameters
-------------------------------------------------------------------------------

INSERT OR IGNORE INTO Parametro (Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES
    -- A difference of up to 5 cents between charges and credits is booked as
    -- rounding: to other income when charges exceed credits, to other expenses
    -- when credits exceed charges.
    ('CON_IMPORTE_MAXIMO_REDONDEO', 0, '0.05'),
    ('CON_CUENTA_CONTABLE_AJUSTE_REDONDEO', 0, '7201-001'),
    ('CON_CENTRO_COSTO_AJUSTE_REDONDEO', 0, 'ADM'),
    ('CON_CUENTA_CONTABLE_AJUSTE_REDONDEO_EGRESO', 0, '7101-001'),
    ('CON_CENTRO_COSTO_AJUSTE_REDONDEO_EGRESO', 0, 'ADM'),
    -- Income-statement accounts need a cost centre on every line.
    ('CON_CENTRO_COSTO_OBLIGATORIO', 0, '1'),
    -- Electronic detail that lacks a required value stops the voucher.
    ('CON_VALIDAR_DATOS_CONTABILIDAD_ELECTRONICA', 0, '1'),
    ('FIN_MONEDA_LOCAL', 0, 'MXN'),
    -- Vouchers are dated inside an open operating period (below).
    ('GEN_VALIDAR_PERIODO_OPERATIVO', 0, '1'),
    -- Purchases (COM) and banks (BAN) post movement by movement.
    ('CON_MODO_CONEXION_COM', 0, '1'),
    ('CON_MODO_CONEXION_BAN', 0, '1');

INSERT OR IGNORE INTO Periodo_Operativo
    (Po_Modulo, Po_Fecha_Inicial, Po_Fecha_Final, Es_Cve_Estado) VALUES
    ('CONTABILIDAD', '2024-03-01', '2024-03-31', 'AB');

-------------------------------------------------------------------------------
-- Companies
-------------------------------------------------------------------------------

INSERT OR IGNORE INTO Empresa (Em_Cve_Empresa, Em_R_F_C, Em_Nombre) VALUES
    ('01', 'CNO980512AB3', 'Comercializadora del Norte, S.A. de C.V.'),
    ('02', 'SIB050318KT7', 'Servicios Integrales del Bajío, S.A. de C.V.');

-------------------------------------------------------------------------------
-- Chart of accounts: summary accounts ('NO') group the entry accounts ('SI');
-- accounts of the income statement carry Cc_Resultado 'SI'. Each has the SAT
-- grouping code (c_CodAgrup), nature ('D' deudora, 'A' acreedora), level and
-- parent account that the electronic accounting files carry.
-------------------------------------------------------------------------------

INSERT OR IGNORE INTO Cuenta_Contable
    (Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro, Cc_Resultado,
     Cc_Codigo_Agrupador, Cc_Naturaleza, Cc_Nivel, Cc_Cuenta_Padre) VALUES
    ('1000',     'ACTIVO',                                             'NO', 'NO', '100',    'D', 1, ''),
    ('1100',     'ACTIVO CIRCULANTE',                                  'NO', 'NO', '100.01', 'D', 2, '1000'),
    ('1102',     'BANCOS',                                             'NO', 'NO', '102',    'D', 3, '1100'),
    ('1102-001', 'Bancos BBVA cta. 0123456789',                        'SI', 'NO', '102.01', 'D', 4, '1102'),
    ('1102-002', 'Bancos Banamex cta. 7003451288',                     'SI', 'NO', '102.01', 'D', 4, '1102'),
    ('1102-003', 'Bancos Santander cta. 65503456712',                  'SI', 'NO', '102.01', 'D', 4, '1102'),
    ('1150',     'INVENTARIOS',                                        'NO', 'NO', '115',    'D', 3, '1100'),
    ('1150-001', 'Inventario de mercancías',                           'SI', 'NO', '115.01', 'D', 4, '1150'),
    ('1180',     'IVA ACREDITABLE',                                    'NO', 'NO', '118',    'D', 3, '1100'),
    ('1180-001', 'IVA acreditable pendiente de pago',                  'SI', 'NO', '119.01', 'D', 4, '1180'),
    ('1180-002', 'IVA acreditable pagado',                             'SI', 'NO', '118.01', 'D', 4, '1180'),
    ('2000',     'PASIVO',                                             'NO', 'NO', '200',    'A', 1, ''),
    ('2100',     'PASIVO A CORTO PLAZO',                               'NO', 'NO', '200.01', 'A', 2, '2000'),
    ('2101',     'PROVEEDORES NACIONALES',                             'NO', 'NO', '201.01', 'A', 3, '2100'),
    ('2101-001', 'Papelería La Estrella, S.A. de C.V.',                'SI', 'NO', '201.01', 'A', 4, '2101'),
    ('2101-002', 'Distribuidora de Abarrotes Monterrey, S.A. de C.V.', 'SI', 'NO', '201.01', 'A', 4, '2101'),
    ('2101-003', 'Servicios de Limpieza Industrial del Norte, S.C.',   'SI', 'NO', '201.01', 'A', 4, '2101'),
    ('2101-004', 'Transportes Rápidos del Centro, S.A. de C.V.',       'SI', 'NO', '201.01', 'A', 4, '2101'),
    ('2101-005', 'Publicidad Creativa Digital, S.A. de C.V.',          'SI', 'NO', '201.01', 'A', 4, '2101'),
    ('2102',     'PROVEEDORES EXTRANJEROS',                            'NO', 'NO', '201.02', 'A', 3, '2100'),
    ('2102-001', 'Tech Supplies Inc.',                                 'SI', 'NO', '201.02', 'A', 4, '2102'),
    ('5000',     'COSTOS',                                             'NO', 'SI', '500',    'D', 1, ''),
    ('5100',     'COMPRAS',                                            'NO', 'SI', '502',    'D', 2, '5000'),
    ('5102-001', 'Descuentos y bonificaciones sobre compras',          'SI', 'SI', '503.01', 'A', 3, '5100'),
    ('6000',     'GASTOS DE OPERACIÓN',                                'NO', 'SI', '600',    'D', 1, ''),
    ('6100',     'GASTOS DE ADMINISTRACIÓN',                           'NO', 'SI', '603',    'D', 2, '6000'),
    ('6101-001', 'Papelería y artículos de oficina',                   'SI', 'SI', '603',    'D', 3, '6100'),
    ('6101-002', 'Servicios de limpieza',                              'SI', 'SI', '603',    'D', 3, '6100'),
    ('6101-003', 'Licencias de software',                              'SI', 'SI', '603',    'D', 3, '6100'),
    ('6200',     'GASTOS DE VENTA',                                    'NO', 'SI', '602',    'D', 2, '6000'),
    ('6201-001', 'Publicidad y propaganda',                            'SI', 'SI', '602',    'D', 3, '6200'),
    ('6201-002', 'Fletes y acarreos',                                  'SI', 'SI', '602',    'D', 3, '6200'),
    ('7000',     'OTROS RESULTADOS',                                   'NO', 'SI', '700',    'D', 1, ''),
    ('7101-001', 'Otros gastos: diferencias por redondeo',             'SI', 'SI', '703',    'D', 2, '7000'),
    ('7201-001', 'Otros productos: diferencias por redondeo',          'SI', 'SI', '704',    'A', 2, '7000');

-------------------------------------------------------------------------------
-- Cost centres, as lines name them
-------------------------------------------------------------------------------

CREATE TABLE IF NOT EXISTS Centro_Costo (
    Ce_Cve_Centro_Costo  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Ce_Descripcion       TEXT COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado        TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

INSERT OR IGNORE INTO Centro_Costo (Ce_Cve_Centro_Costo, Ce_Descripcion) VALUES
    ('ADM', 'Administración'),
    ('VTA', 'Ventas'),
    ('ALM', 'Almacén');

-------------------------------------------------------------------------------
-- Banks (Bn_Codigo: the bank's SAT code) and the company's bank accounts,
-- each with the ledger account it posts to
-------------------------------------------------------------------------------

INSERT OR IGNORE INTO Banco (Bn_Cve_Banco, Bn_Codigo) VALUES
    ('BANAMEX', '002'),
    ('BBVA', '012'),
    ('SANTANDER', '014'),
    ('HSBC', '021'),
    ('BANORTE', '072');

INSERT OR IGNORE INTO Banco_Cuenta
    (Bc_Cve_Banco_Cuenta, Bc_Cuenta, Bn_Cve_Banco, Em_Cve_Empresa) VALUES
    ('BBVA-01', '0123456789', 'BBVA', '01'),
    ('BNMX-01', '7003451288', 'BANAMEX', '01'),
    ('SANT-02', '65503456712', 'SANTANDER', '02');

CREATE TABLE IF NOT EXISTS Banco_Cuenta_Datos (
    Bc_Cve_Banco_Cuenta     TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Bc_Descripcion          TEXT COLLATE NOCASE DEFAULT '',
    Cc_Cve_Cuenta_Contable  TEXT COLLATE NOCASE DEFAULT ''
);

INSERT OR IGNORE INTO Banco_Cuenta_Datos
    (Bc_Cve_Banco_Cuenta, Bc_Descripcion, Cc_Cve_Cuenta_Contable) VALUES
    ('BBVA-01', 'BBVA cheques', '1102-001'),
    ('BNMX-01', 'Banamex pagos electrónicos', '1102-002'),
    ('SANT-02', 'Santander (Servicios Integrales del Bajío)', '1102-003');

-------------------------------------------------------------------------------
-- Suppliers: the taxpayer code in Proveedor, the rest of what the purchasing
-- module keeps (name, origin, tax id abroad, ledger account) in
-- Proveedor_Datos. Foreign suppliers carry the SAT's generic foreign RFC.
-------------------------------------------------------------------------------

INSERT OR IGNORE INTO Proveedor (Pv_Cve_Proveedor, Pv_R_F_C) VALUES
    ('P001', 'PES010203QW5'),
    ('P002', 'DAM950726HJ1'),
    ('P003', 'SLI120914TR8'),
    ('P004', 'TRC080101MN2'),
    ('P005', 'XEXX010101000'),
    ('P006', 'PCD170620LK9');

CREATE TABLE IF NOT EXISTS Proveedor_Datos (
    Pv_Cve_Proveedor        TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Pv_Nombre               TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Pv_Extranjero           TEXT COLLATE NOCASE NOT NULL DEFAULT 'NO',
    Pv_Tax_Id               TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Pv_Banco_Extranjero     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Cc_Cve_Cuenta_Contable  TEXT COLLATE NOCASE NOT NULL DEFAULT ''
);

INSERT OR IGNORE INTO Proveedor_Datos
    (Pv_Cve_Proveedor, Pv_Nombre, Pv_Extranjero, Pv_Tax_Id, Pv_Banco_Extranjero,
     Cc_Cve_Cuenta_Contable) VALUES
    ('P001', 'Papelería La Estrella', 'NO', '', '', '2101-001'),
    ('P002', 'Distribuidora de Abarrotes Monterrey', 'NO', '', '', '2101-002'),
    ('P003', 'Servicios de Limpieza Industrial del Norte', 'NO', '', '', '2101-003'),
    ('P004', 'Transportes Rápidos del Centro', 'NO', '', '', '2101-004'),
    ('P005', 'Tech Supplies Inc.', 'SI', '94-3456789', 'Bank of America, N.A.', '2102-001'),
    ('P006', 'Publicidad Creativa Digital', 'NO', '', '', '2101-005');

-- What the requested value of a cheque identifies: '01' a supplier, '02' a
-- sundry debtor, '03' a customer, '' the company owning the destination account.
INSERT OR IGNORE INTO Tipo_Cheque (Tc_Cve_Tipo_Cheque, Tc_Solicitar) VALUES
    ('PROV', '01'),
    ('DEUD', '02'),
    ('CLIE', '03'),
    ('TRAS', '');

-------------------------------------------------------------------------------
-- Source documents: purchases
--
-- Amounts in pesos; a foreign purchase also keeps its total in the invoice's
-- currency (Cm_Total_Moneda) and the exchange rate of the day. Every purchase
-- balances: the lines add up to Cm_Subtotal, and
-- Cm_Total = Cm_Subtotal - Cm_Descuento + Cm_IVA.
-------------------------------------------------------------------------------

CREATE TABLE IF NOT EXISTS Compras (
    Cm_Folio          TEXT    COLLATE NOCASE NOT NULL PRIMARY KEY,
    Em_Cve_Empresa    TEXT    COLLATE NOCASE NOT NULL,
    Cm_Fecha          TEXT    NOT NULL,
    Pv_Cve_Proveedor  TEXT    COLLATE NOCASE NOT NULL,
    Cm_Factura        TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Cm_UUID           TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Cm_Moneda         TEXT    COLLATE NOCASE NOT NULL DEFAULT 'MXN',
    Cm_Tipo_Cambio    NUMERIC NOT NULL DEFAULT 1,
    Cm_Subtotal       NUMERIC NOT NULL DEFAULT 0,
    Cm_Descuento      NUMERIC NOT NULL DEFAULT 0,
    Cm_IVA            NUMERIC NOT NULL DEFAULT 0,
    Cm_Total          NUMERIC NOT NULL DEFAULT 0,
    Cm_Total_Moneda   NUMERIC NOT NULL DEFAULT 0,
    Cm_Metodo_Pago    TEXT    COLLATE NOCASE NOT NULL DEFAULT 'PPD',
    Es_Cve_Estado     TEXT    COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

CREATE TABLE IF NOT EXISTS Compras_Detalle (
    Cm_Folio                TEXT    COLLATE NOCASE NOT NULL,
    Cd_Renglon              INTEGER NOT NULL,
    Cd_Descripcion          TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Cc_Cve_Cuenta_Contable  TEXT    COLLATE NOCASE NOT NULL,
    Cd_Centro_Costo         TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Cd_Importe              NUMERIC NOT NULL DEFAULT 0,
    PRIMARY KEY (Cm_Folio, Cd_Renglon)
);

INSERT OR IGNORE INTO Compras
    (Cm_Folio, Em_Cve_Empresa, Cm_Fecha, Pv_Cve_Proveedor, Cm_Factura, Cm_UUID, Cm_Moneda,
     Cm_Tipo_Cambio, Cm_Subtotal, Cm_Descuento, Cm_IVA, Cm_Total, Cm_Total_Moneda) VALUES
    ('C-0001', '01', '2024-03-01', 'P001', 'A-1523', '2E2B919E-A148-42BE-B131-B2BFC03DB526',
     'MXN', 1, 4400.00, 0, 704.00, 5104.00, 5104.00),
    -- 5% prompt-payment discount before VAT.
    ('C-0002', '01', '2024-03-04', 'P002', 'F-88120', '3E831511-9916-4ACB-B1CA-2CDB4D15B75C',
     'MXN', 1, 20000.00, 1000.00, 3040.00, 22040.00, 22040.00),
    ('C-0003', '01', '2024-03-06', 'P003', 'LIM-2024-031', '3601665F-4A79-4562-B467-F3A2445BD43C',
     'MXN', 1, 11500.00, 0, 1840.00, 13340.00, 13340.00),
    -- Imported: USD 1,200.00 at 16.85, no VAT on the invoice.
    ('C-0004', '01', '2024-03-08', 'P005', 'INV-240308-17', '',
     'USD', 16.85, 20220.00, 0, 0, 20220.00, 1200.00),
    ('C-0005', '01', '2024-03-11', 'P004', 'TR-4471', '28E3DC02-3F22-4C8E-9551-F55E71DC5CD6',
     'MXN', 1, 4200.00, 0, 672.00, 4872.00, 4872.00),
    ('C-0006', '01', '2024-03-14', 'P006', 'PCD-903', 'B4E7B20E-F128-4DB7-947A-FE51793AEEDB',
     'MXN', 1, 15000.00, 0, 2400.00, 17400.00, 17400.00),
    ('C-0007', '01', '2024-03-19', 'P002', 'F-88577', '5E6082FC-CECE-44F1-8175-F8735054D4B4',
     'MXN', 1, 10000.00, 0, 1600.00, 11600.00, 11600.00),
    -- Another company's purchase: posting for company '01' leaves it alone.
    ('C-0008', '02', '2024-03-22', 'P001', 'A-1601', '574759C8-C4AC-41A7-877A-28FD36718FF3',
     'MXN', 1, 725.25, 0, 116.04, 841.29, 841.29);

INSERT OR IGNORE INTO Compras_Detalle
    (Cm_Folio, Cd_Renglon, Cd_Descripcion, Cc_Cve_Cuenta_Contable, Cd_Centro_Costo,
     Cd_Importe) VALUES
    ('C-0001', 1, 'Papel bond carta, 20 cajas', '6101-001', 'ADM', 1450.50),
    ('C-0001', 2, 'Tóner HP 58A, 3 piezas', '6101-001', 'ADM', 2299.50),
    ('C-0001', 3, 'Carpetas y folders', '6101-001', 'VTA', 650.00),
    ('C-0002', 1, 'Café de grano 1 kg, 150 piezas', '1150-001', '', 12000.00),
    ('C-0002', 2, 'Azúcar estándar 2 kg, 200 piezas', '1150-001', '', 3500.00),
    ('C-0002', 3, 'Galletas surtidas, 300 paquetes', '1150-001', '', 4500.00),
    ('C-0003', 1, 'Limpieza de oficinas, marzo', '6101-002', 'ADM', 8000.00),
    ('C-0003', 2, 'Limpieza de bodega, marzo', '6101-002', 'ALM', 3500.00),
    ('C-0004', 1, 'Licencias de software, USD 800.00', '6101-003', 'ADM', 13480.00),
    ('C-0004', 2, 'Refacciones para lectores, USD 400.00', '1150-001', '', 6740.00),
    ('C-0005', 1, 'Flete Monterrey-Saltillo', '6201-002', 'VTA', 2700.00),
    ('C-0005', 2, 'Flete Monterrey-Torreón', '6201-002', 'VTA', 1500.00),
    ('C-0006', 1, 'Campaña en redes sociales, marzo', '6201-001', 'VTA', 15000.00),
    ('C-0007', 1, 'Café de grano 1 kg, 65 piezas', '1150-001', '', 5200.00),
    ('C-0007', 2, 'Té verde, 130 cajas', '1150-001', '', 2600.00),
    ('C-0007', 3, 'Servilletas, 100 paquetes', '1150-001', '', 2200.00),
    ('C-0008', 1, 'Papel bond carta, 10 cajas', '6101-001', 'ADM', 725.25);

-------------------------------------------------------------------------------
-- Source documents: the cheque register (cheques and transfers paying
-- suppliers). The requested value is the supplier's key (cheque type PROV).
-------------------------------------------------------------------------------

INSERT OR IGNORE INTO Cheque
    (Ch_Folio, Bc_Cve_Banco_Cuenta, Ch_Transferencia, Tc_Cve_Tipo_Cheque, Ch_Fecha, Ch_Importe,
     Ch_Beneficiario, Ch_Referencia, Ch_Cuenta_Destino, Ch_Banco_Destino,
     Ch_Solicitar_Valor) VALUES
    ('CH-0001', 'BBVA-01', 'NO', 'PROV', '2024-03-05', 5104.00,
     'Papelería La Estrella, S.A. de C.V.', '0004512', '', '', 'P001'),
    ('CH-0002', 'BNMX-01', 'SI', 'PROV', '2024-03-12', 22040.00,
     'Distribuidora de Abarrotes Monterrey, S.A. de C.V.', 'SPEI 8812034',
     '072580001234567891', '072', 'P002'),
    ('CH-0003', 'BBVA-01', 'NO', 'PROV', '2024-03-15', 13340.00,
     'Servicios de Limpieza Industrial del Norte, S.C.', '0004513', '', '', 'P003'),
    -- A wire abroad: no national destination bank, the foreign one is the supplier's.
    ('CH-0004', 'BNMX-01', 'SI', 'PROV', '2024-03-20', 20220.00,
     'Tech Supplies Inc.', 'WIRE 240320-01', '483022190457', '', 'P005'),
    ('CH-0005', 'BNMX-01', 'SI', 'PROV', '2024-03-26', 4872.00,
     'Transportes Rápidos del Centro, S.A. de C.V.', 'SPEI 9031177',
     '014580655012345678', '014', 'P004');

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

INSERT OR REPLACE INTO Poliza_Configuracion_Tabla
    (Pc_Tabla, Pc_Modulo, Pc_Campo_Dia, Pc_Campo_Movimiento, Pc_Contabiliza_Linea,
     Pc_Modo_Contabiliza) VALUES
    ('Compras', 'COM', 'Compras.Cm_Fecha', 'Compras.Cm_Folio', 'SI', ''),
    ('Cheque', 'BAN', 'Cheque.Ch_Fecha', 'Cheque.Ch_Folio', 'SI', '');

INSERT OR REPLACE INTO Poliza_Configuracion
    (Pc_Cve_Poliza_Configuracion, Pc_Descripcion, Pc_Tabla, Pc_Tipo, Pc_Referencia,
     Pc_Comentario, Pc_Relacion, Pc_Permitir_Importe_Cero, Es_Cve_Estado) VALUES
    ('CHQ-CHEQUE', 'Pago a proveedor con cheque', 'Cheque', '2', 'Cheque.Ch_Referencia',
     '''Cheque '' || Cheque.Ch_Referencia || '' a '' || Proveedor_Datos.Pv_Nombre',
     'Cheque '
     || 'INNER JOIN Banco_Cuenta ON Banco_Cuenta.Bc_Cve_Banco_Cuenta = Cheque.Bc_Cve_Banco_Cuenta '
     || 'INNER JOIN Banco_Cuenta_Datos '
     || 'ON Banco_Cuenta_Datos.Bc_Cve_Banco_Cuenta = Cheque.Bc_Cve_Banco_Cuenta '
     || 'INNER JOIN Proveedor_Datos ON Proveedor_Datos.Pv_Cve_Proveedor = Cheque.Ch_Solicitar_Valor',
     'NO', 'AC'),
    ('CHQ-TRANSF', 'Pago a proveedor por transferencia', 'Cheque', '2', 'Cheque.Ch_Referencia',
     '''Transferencia a '' || Proveedor_Datos.Pv_Nombre',
     'Cheque '
     || 'INNER JOIN Banco_Cuenta ON Banco_Cuenta.Bc_Cve_Banco_Cuenta = Cheque.Bc_Cve_Banco_Cuenta '
     || 'INNER JOIN Banco_Cuenta_Datos '
     || 'ON Banco_Cuenta_Datos.Bc_Cve_Banco_Cuenta = Cheque.Bc_Cve_Banco_Cuenta '
     || 'INNER JOIN Proveedor_Datos ON Proveedor_Datos.Pv_Cve_Proveedor = Cheque.Ch_Solicitar_Valor',
     'NO', 'AC'),
    ('COM-EXT', 'Compra de importación', 'Compras', '3', 'Compras.Cm_Factura',
     '''Compra '' || Compras.Cm_Folio || '' '' || Proveedor_Datos.Pv_Nombre',
     'Compras INNER JOIN Proveedor_Datos '
     || 'ON Proveedor_Datos.Pv_Cve_Proveedor = Compras.Pv_Cve_Proveedor',
     'NO', 'AC'),
    ('COM-NAC', 'Compra a proveedor nacional', 'Compras', '3', 'Compras.Cm_Factura',
     '''Compra '' || Compras.Cm_Folio || '' '' || Proveedor_Datos.Pv_Nombre',
     'Compras INNER JOIN Proveedor_Datos '
     || 'ON Proveedor_Datos.Pv_Cve_Proveedor = Compras.Pv_Cve_Proveedor',
     'NO', 'AC');

INSERT OR REPLACE INTO Poliza_Configuracion_Condicion
    (Pc_Cve_Poliza_Configuracion, Pcc_ID, Pcc_Valor) VALUES
    ('COM-NAC', 1, 'Compras.Em_Cve_Empresa = ''<EMPRESA>'''),
    ('COM-NAC', 2, 'Compras.Es_Cve_Estado <> ''CA'''),
    ('COM-NAC', 3, 'Proveedor_Datos.Pv_Extranjero = ''NO'''),
    ('COM-EXT', 1, 'Compras.Em_Cve_Empresa = ''<EMPRESA>'''),
    ('COM-EXT', 2, 'Compras.Es_Cve_Estado <> ''CA'''),
    ('COM-EXT', 3, 'Proveedor_Datos.Pv_Extranjero = ''SI'''),
    ('CHQ-CHEQUE', 1, 'Banco_Cuenta.Em_Cve_Empresa = ''<EMPRESA>'''),
    ('CHQ-CHEQUE', 2, 'Cheque.Es_Cve_Estado <> ''CA'''),
    ('CHQ-CHEQUE', 3, 'Cheque.Ch_Transferencia = ''NO'''),
    ('CHQ-TRANSF', 1, 'Banco_Cuenta.Em_Cve_Empresa = ''<EMPRESA>'''),
    ('CHQ-TRANSF', 2, 'Cheque.Es_Cve_Estado <> ''CA'''),
    ('CHQ-TRANSF', 3, 'Cheque.Ch_Transferencia = ''SI''');

-- Lines of the purchase templates. Line 1 sums the purchase lines: the voucher
-- gets one line per account and cost centre.
INSERT OR REPLACE INTO Poliza_Configuracion_Detalle
    (Pc_Cve_Poliza_Configuracion, Pcd_ID, Pcd_Descripcion, Pcd_Cuenta_Contable,
     Pcd_Centro_Costo, Pcd_Concepto, Pcd_Referencia, Pcd_Cargo, Pcd_Abono, Pcd_Relacion,
     Pcd_Condicion) VALUES
    ('COM-NAC', 1, 'Gasto o inventario por cuenta y centro de costo',
     'Compras_Detalle.Cc_Cve_Cuenta_Contable', 'Compras_Detalle.Cd_Centro_Costo',
     '''Compra '' || Compras.Cm_Factura || '' - '' || Cuenta_Contable.Cc_Descripcion',
     'Compras.Cm_Factura', 'SUM(Compras_Detalle.Cd_Importe)', '',
     'INNER JOIN Compras_Detalle ON Compras_Detalle.Cm_Folio = Compras.Cm_Folio '
     || 'INNER JOIN Cuenta_Contable '
     || 'ON Cuenta_Contable.Cc_Cve_Cuenta_Contable = Compras_Detalle.Cc_Cve_Cuenta_Contable',
     ''),
    ('COM-NAC', 2, 'IVA acreditable pendiente de pago', '''1180-001''', '',
     '''IVA 16% factura '' || Compras.Cm_Factura', 'Compras.Cm_Factura', 'Compras.Cm_IVA', '',
     '', ''),
    ('COM-NAC', 3, 'Descuento sobre compra (casi siempre cero)', '''5102-001''', '''ALM''',
     '''Descuento factura '' || Compras.Cm_Factura', 'Compras.Cm_Factura', '',
     'Compras.Cm_Descuento', '', ''),
    ('COM-NAC', 4, 'Proveedor', 'Proveedor_Datos.Cc_Cve_Cuenta_Contable', '',
     '''Factura '' || Compras.Cm_Factura || '' '' || Proveedor_Datos.Pv_Nombre',
     'Compras.Cm_Factura', '', 'Compras.Cm_Total', '', ''),
    ('COM-EXT', 1, 'Gasto o inventario por cuenta y centro de costo',
     'Compras_Detalle.Cc_Cve_Cuenta_Contable', 'Compras_Detalle.Cd_Centro_Costo',
     '''Compra '' || Compras.Cm_Factura || '' - '' || Cuenta_Contable.Cc_Descripcion',
     'Compras.Cm_Factura', 'SUM(Compras_Detalle.Cd_Importe)', '',
     'INNER JOIN Compras_Detalle ON Compras_Detalle.Cm_Folio = Compras.Cm_Folio '
     || 'INNER JOIN Cuenta_Contable '
     || 'ON Cuenta_Contable.Cc_Cve_Cuenta_Contable = Compras_Detalle.Cc_Cve_Cuenta_Contable',
     ''),
    ('COM-EXT', 2, 'Proveedor extranjero', 'Proveedor_Datos.Cc_Cve_Cuenta_Contable', '',
     '''Factura '' || Compras.Cm_Factura || '' '' || Proveedor_Datos.Pv_Nombre || '' '' '
     || '|| Compras.Cm_Moneda || '' '' || printf(''%.2f'', Compras.Cm_Total_Moneda) '
     || '|| '' TC '' || printf(''%.4f'', Compras.Cm_Tipo_Cambio)',
     'Compras.Cm_Factura', '', 'Compras.Cm_Total', '', ''),
    ('CHQ-CHEQUE', 1, 'Proveedor', 'Proveedor_Datos.Cc_Cve_Cuenta_Contable', '',
     '''Pago a '' || Proveedor_Datos.Pv_Nombre', 'Cheque.Ch_Referencia', 'Cheque.Ch_Importe', '',
     '', ''),
    ('CHQ-CHEQUE', 2, 'Banco', 'Banco_Cuenta_Datos.Cc_Cve_Cuenta_Contable', '',
     '''Cheque '' || Cheque.Ch_Referencia || '' '' || Cheque.Ch_Beneficiario',
     'Cheque.Ch_Referencia', '', 'Cheque.Ch_Importe', '', ''),
    ('CHQ-TRANSF', 1, 'Proveedor', 'Proveedor_Datos.Cc_Cve_Cuenta_Contable', '',
     '''Pago a '' || Proveedor_Datos.Pv_Nombre', 'Cheque.Ch_Referencia', 'Cheque.Ch_Importe', '',
     '', ''),
    ('CHQ-TRANSF', 2, 'Banco', 'Banco_Cuenta_Datos.Cc_Cve_Cuenta_Contable', '',
     '''Transferencia '' || Cheque.Ch_Referencia || '' '' || Cheque.Ch_Beneficiario',
     'Cheque.Ch_Referencia', '', 'Cheque.Ch_Importe', '', '');

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

INSERT OR REPLACE INTO Poliza_Configuracion_Detalle_Electronico
    (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id, Pcde_Tipo, Pcde_Comando) VALUES
    ('COM-NAC', 4, 1, 'COMPROBANTE',
     '''SELECT Compras.Cm_UUID AS TIMBRE_UUID, Proveedor.Pv_R_F_C AS RFC_TERCERO, '
     || 'Compras.Cm_Total AS MONTO, Compras.Cm_Moneda AS MONEDA, '
     || 'Compras.Cm_Tipo_Cambio AS TIPO_CAMBIO, Compras.Cm_Metodo_Pago AS METODO_PAGO '
     || 'FROM Compras INNER JOIN Proveedor '
     || 'ON Proveedor.Pv_Cve_Proveedor = Compras.Pv_Cve_Proveedor '
     || 'WHERE Compras.Cm_Folio = '' || quote(Compras.Cm_Folio)'),
    ('COM-EXT', 2, 1, 'COMPROBANTE EXTRANJERO',
     '''SELECT Compras.Cm_Factura AS NUMERO_FACTURA, Proveedor_Datos.Pv_Tax_Id AS TAX_ID, '
     || 'Compras.Cm_Total_Moneda AS MONTO, Compras.Cm_Moneda AS MONEDA, '
     || 'Compras.Cm_Tipo_Cambio AS TIPO_CAMBIO, Compras.Cm_Metodo_Pago AS METODO_PAGO '
     || 'FROM Compras INNER JOIN Proveedor_Datos '
     || 'ON Proveedor_Datos.Pv_Cve_Proveedor = Compras.Pv_Cve_Proveedor '
     || 'WHERE Compras.Cm_Folio = '' || quote(Compras.Cm_Folio)'),
    ('CHQ-CHEQUE', 2, 1, 'CHEQUE',
     '''SELECT Cheque.Ch_Folio, Cheque.Ch_Referencia, Cheque.Ch_Fecha, Cheque.Ch_Importe, '
     || 'Cheque.Ch_Beneficiario, Cheque.Ch_Solicitar_Valor, Cheque.Tc_Cve_Tipo_Cheque '
     || 'FROM Cheque WHERE Cheque.Ch_Folio = '' || quote(Cheque.Ch_Folio)'),
    ('CHQ-TRANSF', 2, 1, 'TRANSFERENCIA',
     '''SELECT Cheque.Ch_Folio, Cheque.Ch_Referencia, Cheque.Ch_Fecha, Cheque.Ch_Importe, '
     || 'Cheque.Ch_Beneficiario, Cheque.Ch_Cuenta_Destino, Cheque.Ch_Banco_Destino, '
     || 'Proveedor_Datos.Pv_Banco_Extranjero AS BANCO_DESTINO_EXTRANJERO, '
     || 'Cheque.Ch_Solicitar_Valor, Cheque.Tc_Cve_Tipo_Cheque '
     || 'FROM Cheque INNER JOIN Proveedor_Datos '
     || 'ON Proveedor_Datos.Pv_Cve_Proveedor = Cheque.Ch_Solicitar_Valor '
     || 'WHERE Cheque.Ch_Folio = '' || quote(Cheque.Ch_Folio)');
