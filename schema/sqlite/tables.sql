-- ledgerNova tables for the embedded SQLite database.
--
-- Run as one script by `ledgernova init`; every statement is guarded so the
-- script can run again over an existing ledger without touching its rows.
--
-- Conventions kept throughout:
--  * Text columns compare case-insensitively (COLLATE NOCASE): the postings
--    were written for a case-insensitive server collation and rely on it, e.g.
--    a source table stored upper-cased in Poliza_Control.Pc_Tabla is found
--    again by the name as the caller spells it. The component's connections
--    replace SQLite's NOCASE, which folds only A-Z, by one that folds accented
--    Latin, Greek and Cyrillic letters too ('FACTURACIÓN' = 'Facturación');
--    the script ends by rebuilding the indexes in that order.
--  * Dates are ISO text: YYYY-MM-DD, time stamps YYYY-MM-DD HH:MM:SS.
--  * Amounts and exchange rates are NUMERIC; counters and kinds INTEGER.
--  * No foreign keys: vouchers are written statement by statement in an order
--    that would trip them, and hosts load their catalogues in any order.
--  * Columns the posting code never writes carry a default, so a row written
--    with only the posting code's columns is always accepted.
--  * Catalogue and template columns stay nullable: hosts load them freely and
--    the posting code has defined behaviour for a null there (a null
--    Cc_Registro is not refused, a null template expression fails its builder).

-------------------------------------------------------------------------------
-- Vouchers
-------------------------------------------------------------------------------

-- A voucher header: one row per voucher, keyed by its folio.
CREATE TABLE IF NOT EXISTS Poliza (
    Pl_Folio          TEXT    COLLATE NOCASE NOT NULL PRIMARY KEY,
    Em_Cve_Empresa    TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pl_Ejercicio      TEXT    COLLATE NOCASE NOT NULL,
    Pl_Periodo        TEXT    COLLATE NOCASE NOT NULL,
    Pl_Tipo           INTEGER NOT NULL,
    Pl_Numero         TEXT    COLLATE NOCASE NOT NULL,
    Pl_Fecha          TEXT    NOT NULL,
    Pl_Tabla          TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pl_Documento      TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pl_Referencia     TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pl_Comentario     TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pl_Configuracion  TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Oper_Alta         TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Fecha_Alta        TEXT    DEFAULT (datetime('now', 'localtime')),
    Oper_Ult_Modif    TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Fecha_Ult_Modif   TEXT    DEFAULT (datetime('now', 'localtime')),
    Es_Cve_Estado     TEXT    COLLATE NOCASE NOT NULL DEFAULT 'AC',
    Oper_Baja         TEXT    COLLATE NOCASE,
    Fecha_Baja        TEXT
);

-- The next number follows MAX(CAST(Pl_Numero AS INTEGER)) over the vouchers of
-- one year, period and type (optionally of one company). An index on that very
-- expression, in the collation the maximum is taken in, answers it from one
-- entry however many vouchers the group holds (an index on the text had to
-- read them all). Ledgers made before lose their text-keyed indexes.
DROP INDEX IF EXISTS IX_Poliza_Numero;
DROP INDEX IF EXISTS IX_Poliza_Empresa_Numero;
CREATE INDEX IF NOT EXISTS IX_Poliza_Numero_Valor
    ON Poliza (Pl_Ejercicio, Pl_Periodo, Pl_Tipo,
               CAST(Pl_Numero AS INTEGER) COLLATE NOCASE);
CREATE INDEX IF NOT EXISTS IX_Poliza_Empresa_Numero_Valor
    ON Poliza (Em_Cve_Empresa, Pl_Ejercicio, Pl_Periodo, Pl_Tipo,
               CAST(Pl_Numero AS INTEGER) COLLATE NOCASE);
-- Posting a document checks for live vouchers of the same template.
CREATE INDEX IF NOT EXISTS IX_Poliza_Configuracion
    ON Poliza (Pl_Configuracion);

-- A voucher line: one charge or credit to an account, numbered 0001, 0002, ...
CREATE TABLE IF NOT EXISTS Poliza_Detalle (
    Pl_Folio                TEXT    COLLATE NOCASE NOT NULL,
    Pd_ID                   TEXT    COLLATE NOCASE NOT NULL,
    Cc_Cve_Cuenta_Contable  TEXT    COLLATE NOCASE NOT NULL,
    Pd_Centro_Costo         TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pd_Concepto             TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pd_Referencia           TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pd_Tipo                 INTEGER NOT NULL,
    Pd_Importe              NUMERIC NOT NULL DEFAULT 0,
    PRIMARY KEY (Pl_Folio, Pd_ID)
);

-- A link between a voucher and one source document it covers; a document may
-- be covered by several vouchers and a voucher may cover several documents.
-- A new link must be live ('AC'): cancelling by document only follows links
-- that are not 'CA', and the insert leaves the status to this default.
CREATE TABLE IF NOT EXISTS Poliza_Control (
    Pl_Folio          TEXT    COLLATE NOCASE NOT NULL,
    Pc_Tabla          TEXT    COLLATE NOCASE NOT NULL,
    Pc_Documento      TEXT    COLLATE NOCASE NOT NULL,
    Oper_Alta         TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Fecha_Alta        TEXT    DEFAULT (datetime('now', 'localtime')),
    Oper_Ult_Modif    TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Fecha_Ult_Modif   TEXT    DEFAULT (datetime('now', 'localtime')),
    Es_Cve_Estado     TEXT    COLLATE NOCASE NOT NULL DEFAULT 'AC',
    Oper_Baja         TEXT    COLLATE NOCASE,
    Fecha_Baja        TEXT,
    PRIMARY KEY (Pl_Folio, Pc_Tabla, Pc_Documento)
);

-- Posting and cancelling by document look links up by table and document; the
-- key above already serves the lookups by folio.
CREATE INDEX IF NOT EXISTS IX_Poliza_Control_Documento
    ON Poliza_Control (Pc_Tabla, Pc_Documento);

-------------------------------------------------------------------------------
-- Electronic accounting detail of voucher lines
--
-- Each row hangs from a voucher line (Pl_Folio, Pd_ID) and is numbered within
-- it (0001, 0002, ...) in its own table; the key serves the lookups by line.
-------------------------------------------------------------------------------

-- A fiscal invoice (identified by its UUID) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Comprobante (
    Pl_Folio          TEXT    COLLATE NOCASE NOT NULL,
    Pd_ID             TEXT    COLLATE NOCASE NOT NULL,
    Pdc_Id            TEXT    COLLATE NOCASE NOT NULL,
    Pdc_UUID          TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Monto         NUMERIC NOT NULL DEFAULT 0,
    Pdc_RFC           TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Moneda        TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Metodo_Pago   TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Tipo_Cambio   NUMERIC NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdc_Id)
);

-- Another national invoice (series and folio, no UUID) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Comprobante_Nacional_Otro (
    Pl_Folio          TEXT    COLLATE NOCASE NOT NULL,
    Pd_ID             TEXT    COLLATE NOCASE NOT NULL,
    Pdco_Id           TEXT    COLLATE NOCASE NOT NULL,
    Pdco_Serie        TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdco_Folio        TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdco_RFC          TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdco_Monto        NUMERIC NOT NULL DEFAULT 0,
    Pdco_Moneda       TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdco_Metodo_Pago  TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdco_Tipo_Cambio  NUMERIC NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdco_Id)
);

-- A foreign invoice (number and tax id of the issuer) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Comprobante_extranjero (
    Pl_Folio             TEXT    COLLATE NOCASE NOT NULL,
    Pd_ID                TEXT    COLLATE NOCASE NOT NULL,
    Pdce_Id              TEXT    COLLATE NOCASE NOT NULL,
    Pdce_Numero_Factura  TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdce_Tax_Id          TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdce_Monto           NUMERIC NOT NULL DEFAULT 0,
    Pdce_Moneda          TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdce_Metodo_Pago     TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdce_Tipo_Cambio     NUMERIC NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdce_Id)
);

-- A cheque paid from one of the company's bank accounts, behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Cheque (
    Pl_Folio                     TEXT    COLLATE NOCASE NOT NULL,
    Pd_ID                        TEXT    COLLATE NOCASE NOT NULL,
    Pdc_Id                       TEXT    COLLATE NOCASE NOT NULL,
    Pdc_Numero                   TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Banco_Emisor_Nacional    TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Cuenta_Origen            TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Fecha                    TEXT    NOT NULL DEFAULT '',
    Pdc_Monto                    NUMERIC NOT NULL DEFAULT 0,
    Pdc_Beneficiario             TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_RFC                      TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Banco_Emisor_Extranjero  TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Moneda                   TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdc_Tipo_Cambio              NUMERIC NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdc_Id)
);

-- A bank transfer (origin and destination bank and account) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Transferencia (
    Pl_Folio                      TEXT    COLLATE NOCASE NOT NULL,
    Pd_ID                         TEXT    COLLATE NOCASE NOT NULL,
    Pdt_Id                        TEXT    COLLATE NOCASE NOT NULL,
    Pdt_Banco_Origen_Nacional     TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_Cuenta_Origen             TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_Banco_Destino_Nacional    TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_Cuenta_Destino            TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_Fecha                     TEXT    NOT NULL DEFAULT '',
    Pdt_Monto                     NUMERIC NOT NULL DEFAULT 0,
    Pdt_Beneficiario              TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_RFC                       TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_Banco_Origen_Extranjero   TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_Banco_Destino_Extranjero  TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_Moneda                    TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdt_Tipo_Cambio               NUMERIC NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdt_Id)
);

-- A payment by any other method (cash, card, ...) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Otro_Metodo_Pago (
    Pl_Folio          TEXT    COLLATE NOCASE NOT NULL,
    Pd_ID             TEXT    COLLATE NOCASE NOT NULL,
    Pdo_Id            TEXT    COLLATE NOCASE NOT NULL,
    Pdo_Metodo_Pago   TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdo_Fecha         TEXT    NOT NULL DEFAULT '',
    Pdo_Beneficiario  TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdo_RFC           TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdo_Monto         NUMERIC NOT NULL DEFAULT 0,
    Pdo_Moneda        TEXT    COLLATE NOCASE NOT NULL DEFAULT '',
    Pdo_Tipo_Cambio   NUMERIC NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdo_Id)
);

-------------------------------------------------------------------------------
-- Voucher templates (kept by administrators; the posting code only reads them)
--
-- Expression columns hold SQL fragments copied verbatim into the generated
-- statements. Ordinal ids are INTEGER so that line 10 sorts after line 9.
-------------------------------------------------------------------------------

-- A voucher template: how one voucher is drawn from a source table.
CREATE TABLE IF NOT EXISTS Poliza_Configuracion (
    Pc_Cve_Poliza_Configuracion  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Pc_Descripcion               TEXT COLLATE NOCASE DEFAULT '',
    Pc_Tabla                     TEXT COLLATE NOCASE DEFAULT '',
    Pc_Tipo                      TEXT COLLATE NOCASE DEFAULT '',
    Pc_Referencia                TEXT COLLATE NOCASE DEFAULT '',
    Pc_Comentario                TEXT COLLATE NOCASE DEFAULT '',
    Pc_Relacion                  TEXT COLLATE NOCASE DEFAULT '',
    Pc_Permitir_Importe_Cero     TEXT COLLATE NOCASE DEFAULT 'NO',
    Pc_Aplicacion_Automatica     TEXT COLLATE NOCASE DEFAULT 'SI',
    Es_Cve_Estado                TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

-- Posting a document lists the live templates of its source table.
CREATE INDEX IF NOT EXISTS IX_Poliza_Configuracion_Tabla
    ON Poliza_Configuracion (Pc_Tabla);

-- A source table that templates post from: its document key and date
-- expressions and how it posts (on line, by movement or by day).
CREATE TABLE IF NOT EXISTS Poliza_Configuracion_Tabla (
    Pc_Tabla              TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Pc_Modulo             TEXT COLLATE NOCASE DEFAULT '',
    Pc_Campo_Dia          TEXT COLLATE NOCASE DEFAULT '',
    Pc_Campo_Movimiento   TEXT COLLATE NOCASE DEFAULT '',
    Pc_Contabiliza_Linea  TEXT COLLATE NOCASE DEFAULT 'NO',
    Pc_Modo_Contabiliza   TEXT COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado         TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

-- A filter of a template; all filters of a template are joined with AND.
CREATE TABLE IF NOT EXISTS Poliza_Configuracion_Condicion (
    Pc_Cve_Poliza_Configuracion  TEXT    COLLATE NOCASE NOT NULL,
    Pcc_ID                       INTEGER NOT NULL,
    Pcc_Valor                    TEXT    COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado                TEXT    COLLATE NOCASE NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcc_ID)
);

-- A line of a template: the expressions of one voucher line's account, cost
-- centre, concept, reference and amount, plus its extra joins and filter.
CREATE TABLE IF NOT EXISTS Poliza_Configuracion_Detalle (
    Pc_Cve_Poliza_Configuracion  TEXT    COLLATE NOCASE NOT NULL,
    Pcd_ID                       INTEGER NOT NULL,
    Pcd_Descripcion              TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Cuenta_Contable          TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Centro_Costo             TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Concepto                 TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Referencia               TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Cargo                    TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Abono                    TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Relacion                 TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Condicion                TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Tipo_Detalle             TEXT    COLLATE NOCASE DEFAULT '',
    Pcd_Comando_Detalle          TEXT    COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado                TEXT    COLLATE NOCASE NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcd_ID)
);

-- One electronic-detail command of a template line: its kind (COMPROBANTE,
-- CHEQUE, TRANSFERENCIA, ...) and the expression that yields the command.
CREATE TABLE IF NOT EXISTS Poliza_Configuracion_Detalle_Electronico (
    Pc_Cve_Poliza_Configuracion  TEXT    COLLATE NOCASE NOT NULL,
    Pcd_Id                       INTEGER NOT NULL,
    Pcde_Id                      INTEGER NOT NULL,
    Pcde_Tipo                    TEXT    COLLATE NOCASE DEFAULT '',
    Pcde_Comando                 TEXT    COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado                TEXT    COLLATE NOCASE NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id)
);

-------------------------------------------------------------------------------
-- Catalogues of the host application read while posting
-------------------------------------------------------------------------------

-- An account of the chart of accounts. The electronic accounting files also
-- need its SAT grouping code, its nature ('D' debit, 'A' credit), its level
-- (1 at the top) and the account it is a subaccount of ('' at the top); a ledger
-- made before those four columns existed gets them from `init` (missing_columns.cpp).
CREATE TABLE IF NOT EXISTS Cuenta_Contable (
    Cc_Cve_Cuenta_Contable  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Cc_Descripcion          TEXT COLLATE NOCASE DEFAULT '',
    Cc_Registro             TEXT COLLATE NOCASE DEFAULT 'SI',
    Cc_Resultado            TEXT COLLATE NOCASE DEFAULT 'NO',
    Es_Cve_Estado           TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC',
    Cc_Codigo_Agrupador     TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Cc_Naturaleza           TEXT COLLATE NOCASE NOT NULL DEFAULT '',
    Cc_Nivel                INTEGER NOT NULL DEFAULT 1,
    Cc_Cuenta_Padre         TEXT COLLATE NOCASE NOT NULL DEFAULT ''
);

-- A company, with its name as the files and reports show it.
CREATE TABLE IF NOT EXISTS Empresa (
    Em_Cve_Empresa  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Em_R_F_C        TEXT COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado   TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC',
    Em_Nombre       TEXT COLLATE NOCASE NOT NULL DEFAULT ''
);

-- A bank.
CREATE TABLE IF NOT EXISTS Banco (
    Bn_Cve_Banco   TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Bn_Codigo      TEXT COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado  TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

-- A bank account held by a company.
CREATE TABLE IF NOT EXISTS Banco_Cuenta (
    Bc_Cve_Banco_Cuenta  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Bc_Cuenta            TEXT COLLATE NOCASE DEFAULT '',
    Bn_Cve_Banco         TEXT COLLATE NOCASE DEFAULT '',
    Em_Cve_Empresa       TEXT COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado        TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

-- A payment to a company's own account is traced back by the account number.
CREATE INDEX IF NOT EXISTS IX_Banco_Cuenta_Cuenta
    ON Banco_Cuenta (Bc_Cuenta);

-- A kind of cheque, and what its requested value identifies (supplier,
-- customer, debtor, or the company owning the destination account).
CREATE TABLE IF NOT EXISTS Tipo_Cheque (
    Tc_Cve_Tipo_Cheque  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Tc_Solicitar        TEXT COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado       TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

-- A cheque or transfer of the cheque register, paid from a company account.
CREATE TABLE IF NOT EXISTS Cheque (
    Ch_Folio             TEXT    COLLATE NOCASE NOT NULL PRIMARY KEY,
    Bc_Cve_Banco_Cuenta  TEXT    COLLATE NOCASE DEFAULT '',
    Ch_Transferencia     TEXT    COLLATE NOCASE DEFAULT 'NO',
    Tc_Cve_Tipo_Cheque   TEXT    COLLATE NOCASE DEFAULT '',
    Ch_Fecha             TEXT,
    Ch_Importe           NUMERIC DEFAULT 0,
    Ch_Beneficiario      TEXT    COLLATE NOCASE DEFAULT '',
    Ch_Referencia        TEXT    COLLATE NOCASE DEFAULT '',
    Ch_Cuenta_Destino    TEXT    COLLATE NOCASE DEFAULT '',
    Ch_Banco_Destino     TEXT    COLLATE NOCASE DEFAULT '',
    Ch_Solicitar_Valor   TEXT    COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado        TEXT    COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

-- A supplier.
CREATE TABLE IF NOT EXISTS Proveedor (
    Pv_Cve_Proveedor  TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Pv_R_F_C          TEXT COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado     TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC'
);

-- A customer ('CL') or sundry debtor ('DE'); both kinds share this table and
-- are always looked up by key and kind, so a key may exist once per kind.
CREATE TABLE IF NOT EXISTS Cliente (
    Cl_Cve_Cliente       TEXT COLLATE NOCASE NOT NULL,
    Tc_Cve_Tipo_Cliente  TEXT COLLATE NOCASE NOT NULL DEFAULT 'CL',
    Cl_R_F_C             TEXT COLLATE NOCASE DEFAULT '',
    Es_Cve_Estado        TEXT COLLATE NOCASE NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Cl_Cve_Cliente, Tc_Cve_Tipo_Cliente)
);

-- The balance of an account at the start of a period (year, two-digit month), by
-- the account's nature (positive: a debit balance of a 'D' account, a credit
-- balance of an 'A' account), for a ledger whose earlier movements are not in it.
-- The trial balance starts from the latest one not after its month.
CREATE TABLE IF NOT EXISTS Saldo_Inicial (
    Em_Cve_Empresa          TEXT    COLLATE NOCASE NOT NULL,
    Cc_Cve_Cuenta_Contable  TEXT    COLLATE NOCASE NOT NULL,
    Si_Ejercicio            TEXT    COLLATE NOCASE NOT NULL,
    Si_Periodo              TEXT    COLLATE NOCASE NOT NULL,
    Si_Saldo                NUMERIC NOT NULL DEFAULT 0,
    PRIMARY KEY (Em_Cve_Empresa, Cc_Cve_Cuenta_Contable, Si_Ejercicio, Si_Periodo)
);

-------------------------------------------------------------------------------
-- State of the built-in host services
-------------------------------------------------------------------------------

-- A host parameter value, per scope (scope 0 is the whole installation).
CREATE TABLE IF NOT EXISTS Parametro (
    Pa_Nombre  TEXT    COLLATE NOCASE NOT NULL,
    Pa_Ambito  INTEGER NOT NULL DEFAULT 0,
    Pa_Valor   TEXT    COLLATE NOCASE,
    PRIMARY KEY (Pa_Nombre, Pa_Ambito)
);

-- The last folio handed out for a table.
CREATE TABLE IF NOT EXISTS Folio_Tabla (
    Ft_Tabla   TEXT    COLLATE NOCASE NOT NULL PRIMARY KEY,
    Ft_Ultimo  INTEGER NOT NULL DEFAULT 0
);

-- The last consecutive number handed out for a table, column and key (the key
-- identifies the group numbered on its own, e.g. one year, period and type).
-- Reserving through this row, rather than scanning the numbered table, keeps
-- two writers from ever being handed the same number.
CREATE TABLE IF NOT EXISTS Consecutivo (
    Cn_Tabla   TEXT    COLLATE NOCASE NOT NULL,
    Cn_Campo   TEXT    COLLATE NOCASE NOT NULL,
    Cn_Llave   TEXT    COLLATE NOCASE NOT NULL,
    Cn_Ultimo  INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (Cn_Tabla, Cn_Campo, Cn_Llave)
);

-- An operating period of a module: postings dated inside it are allowed while
-- it is open ('AB'), refused once it is closed ('CE').
CREATE TABLE IF NOT EXISTS Periodo_Operativo (
    Po_Modulo         TEXT COLLATE NOCASE NOT NULL,
    Po_Fecha_Inicial  TEXT NOT NULL,
    Po_Fecha_Final    TEXT NOT NULL,
    Es_Cve_Estado     TEXT COLLATE NOCASE NOT NULL DEFAULT 'AB',
    PRIMARY KEY (Po_Modulo, Po_Fecha_Inicial)
);

-------------------------------------------------------------------------------
-- Index order
-------------------------------------------------------------------------------

-- Indexes of text written under SQLite's own NOCASE (ledgers made before the
-- component replaced it, or rows written by another SQLite program) may be
-- ordered otherwise where a key holds a non-ASCII capital or small letter; a
-- lookup through such an index could then miss its row. Rebuilt in the order
-- the component compares in.
REINDEX NOCASE;
