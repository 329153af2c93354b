-- ledgerNova tables for PostgreSQL (through psqlODBC).
--
-- The same tables, columns, defaults, keys and indexes as sqlite/tables.sql,
-- which explains each of them. `ledgernova init` runs this file as one
-- script; every statement is guarded so it can run again over an existing
-- ledger without touching its rows. Objects go into the first schema of the
-- connection's search_path.
--
-- What differs from the embedded database:
--  * Text columns use the collation ci below: case-insensitive comparison, as
--    the postings rely on (a source table stored upper-cased in
--    Poliza_Control.Pc_Tabla is found again by the name as the caller spells
--    it), and keys unique without regard to case. PostgreSQL refuses LIKE on
--    such columns; the posting code never uses it.
--  * GETDATE(), which the posting code calls, is a function defined here: the
--    local time stamp to the second.
--  * Dates stay ISO text (YYYY-MM-DD, time stamps YYYY-MM-DD HH:MM:SS), as on
--    the embedded database: the values the host writes and reads are the same
--    on both. GETDATE() written into such a column reads as ISO text too (the
--    backend sets DateStyle ISO); the defaults format the time stamp
--    explicitly.
--  * Amounts are NUMERIC(19,4), exchange rates NUMERIC(19,6).

CREATE COLLATION IF NOT EXISTS ci (
    provider = icu, locale = 'und-u-ks-level2', deterministic = false);

CREATE OR REPLACE FUNCTION GETDATE() RETURNS timestamp
    LANGUAGE sql STABLE
    AS 'SELECT LOCALTIMESTAMP(0)';

-- A stored counter value as a whole number, NULL for a text that is not one of
-- at most 18 digits: numbering takes its maximum over a group. Indexes are on
-- this call, which a statement prepared with its values taken out still
-- matches; an index on the expression itself holds a pattern and a length
-- that a prepared statement has as parameters, and is then not used.
CREATE OR REPLACE FUNCTION ln_entero(texto TEXT) RETURNS BIGINT
    LANGUAGE sql IMMUTABLE
    AS 'SELECT CASE WHEN texto COLLATE "C" ~ ''^[0-9]+$'' AND char_length(texto) <= 18
        THEN CAST(texto AS BIGINT) END';

-------------------------------------------------------------------------------
-- Vouchers
-------------------------------------------------------------------------------

-- A voucher header: one row per voucher, keyed by its folio.
CREATE TABLE IF NOT EXISTS Poliza (
    Pl_Folio          TEXT    COLLATE ci NOT NULL PRIMARY KEY,
    Em_Cve_Empresa    TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pl_Ejercicio      TEXT    COLLATE ci NOT NULL,
    Pl_Periodo        TEXT    COLLATE ci NOT NULL,
    Pl_Tipo           INTEGER NOT NULL,
    Pl_Numero         TEXT    COLLATE ci NOT NULL,
    Pl_Fecha          TEXT    NOT NULL,
    Pl_Tabla          TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pl_Documento      TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pl_Referencia     TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pl_Comentario     TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pl_Configuracion  TEXT    COLLATE ci NOT NULL DEFAULT '',
    Oper_Alta         TEXT    COLLATE ci NOT NULL DEFAULT '',
    Fecha_Alta        TEXT    DEFAULT to_char(LOCALTIMESTAMP(0), 'YYYY-MM-DD HH24:MI:SS'),
    Oper_Ult_Modif    TEXT    COLLATE ci NOT NULL DEFAULT '',
    Fecha_Ult_Modif   TEXT    DEFAULT to_char(LOCALTIMESTAMP(0), 'YYYY-MM-DD HH24:MI:SS'),
    Es_Cve_Estado     TEXT    COLLATE ci NOT NULL DEFAULT 'AC',
    Oper_Baja         TEXT    COLLATE ci,
    Fecha_Baja        TEXT
);

-- The next number follows the largest number written in digits among the
-- vouchers of one year, period and type (optionally of one company). An index
-- on that very value (ln_entero) answers it from one entry however many
-- vouchers the group holds. Ledgers made before lose their earlier indexes.
DROP INDEX IF EXISTS IX_Poliza_Numero;
DROP INDEX IF EXISTS IX_Poliza_Empresa_Numero;
DROP INDEX IF EXISTS IX_Poliza_Numero_Valor;
DROP INDEX IF EXISTS IX_Poliza_Empresa_Numero_Valor;
CREATE INDEX IF NOT EXISTS IX_Poliza_Numero_Entero
    ON Poliza (Pl_Ejercicio, Pl_Periodo, Pl_Tipo, ln_entero(Pl_Numero));
CREATE INDEX IF NOT EXISTS IX_Poliza_Empresa_Numero_Entero
    ON Poliza (Em_Cve_Empresa, Pl_Ejercicio, Pl_Periodo, Pl_Tipo, ln_entero(Pl_Numero));
-- Posting a document checks for live vouchers of the same template.
CREATE INDEX IF NOT EXISTS IX_Poliza_Configuracion
    ON Poliza (Pl_Configuracion);

-- A voucher line: one charge or credit to an account, numbered 0001, 0002, ...
CREATE TABLE IF NOT EXISTS Poliza_Detalle (
    Pl_Folio                TEXT    COLLATE ci NOT NULL,
    Pd_ID                   TEXT    COLLATE ci NOT NULL,
    Cc_Cve_Cuenta_Contable  TEXT    COLLATE ci NOT NULL,
    Pd_Centro_Costo         TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pd_Concepto             TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pd_Referencia           TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pd_Tipo                 INTEGER NOT NULL,
    Pd_Importe              NUMERIC(19,4) NOT NULL DEFAULT 0,
    PRIMARY KEY (Pl_Folio, Pd_ID)
);

-- A link between a voucher and one source document it covers; a document may
-- be covered by several vouchers and a voucher may cover several documents.
-- A new link must be live ('AC'): cancelling by document only follows links
-- that are not 'CA', and the insert leaves the status to this default.
CREATE TABLE IF NOT EXISTS Poliza_Control (
    Pl_Folio          TEXT    COLLATE ci NOT NULL,
    Pc_Tabla          TEXT    COLLATE ci NOT NULL,
    Pc_Documento      TEXT    COLLATE ci NOT NULL,
    Oper_Alta         TEXT    COLLATE ci NOT NULL DEFAULT '',
    Fecha_Alta        TEXT    DEFAULT to_char(LOCALTIMESTAMP(0), 'YYYY-MM-DD HH24:MI:SS'),
    Oper_Ult_Modif    TEXT    COLLATE ci NOT NULL DEFAULT '',
    Fecha_Ult_Modif   TEXT    DEFAULT to_char(LOCALTIMESTAMP(0), 'YYYY-MM-DD HH24:MI:SS'),
    Es_Cve_Estado     TEXT    COLLATE ci NOT NULL DEFAULT 'AC',
    Oper_Baja         TEXT    COLLATE ci,
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
    Pl_Folio          TEXT    COLLATE ci NOT NULL,
    Pd_ID             TEXT    COLLATE ci NOT NULL,
    Pdc_Id            TEXT    COLLATE ci NOT NULL,
    Pdc_UUID          TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Monto         NUMERIC(19,4) NOT NULL DEFAULT 0,
    Pdc_RFC           TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Moneda        TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Metodo_Pago   TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Tipo_Cambio   NUMERIC(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdc_Id)
);

-- Another national invoice (series and folio, no UUID) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Comprobante_Nacional_Otro (
    Pl_Folio          TEXT    COLLATE ci NOT NULL,
    Pd_ID             TEXT    COLLATE ci NOT NULL,
    Pdco_Id           TEXT    COLLATE ci NOT NULL,
    Pdco_Serie        TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdco_Folio        TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdco_RFC          TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdco_Monto        NUMERIC(19,4) NOT NULL DEFAULT 0,
    Pdco_Moneda       TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdco_Metodo_Pago  TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdco_Tipo_Cambio  NUMERIC(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdco_Id)
);

-- A foreign invoice (number and tax id of the issuer) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Comprobante_extranjero (
    Pl_Folio             TEXT    COLLATE ci NOT NULL,
    Pd_ID                TEXT    COLLATE ci NOT NULL,
    Pdce_Id              TEXT    COLLATE ci NOT NULL,
    Pdce_Numero_Factura  TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdce_Tax_Id          TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdce_Monto           NUMERIC(19,4) NOT NULL DEFAULT 0,
    Pdce_Moneda          TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdce_Metodo_Pago     TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdce_Tipo_Cambio     NUMERIC(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdce_Id)
);

-- A cheque paid from one of the company's bank accounts, behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Cheque (
    Pl_Folio                     TEXT    COLLATE ci NOT NULL,
    Pd_ID                        TEXT    COLLATE ci NOT NULL,
    Pdc_Id                       TEXT    COLLATE ci NOT NULL,
    Pdc_Numero                   TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Banco_Emisor_Nacional    TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Cuenta_Origen            TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Fecha                    TEXT    NOT NULL DEFAULT '',
    Pdc_Monto                    NUMERIC(19,4) NOT NULL DEFAULT 0,
    Pdc_Beneficiario             TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_RFC                      TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Banco_Emisor_Extranjero  TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Moneda                   TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdc_Tipo_Cambio              NUMERIC(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdc_Id)
);

-- A bank transfer (origin and destination bank and account) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Transferencia (
    Pl_Folio                      TEXT    COLLATE ci NOT NULL,
    Pd_ID                         TEXT    COLLATE ci NOT NULL,
    Pdt_Id                        TEXT    COLLATE ci NOT NULL,
    Pdt_Banco_Origen_Nacional     TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_Cuenta_Origen             TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_Banco_Destino_Nacional    TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_Cuenta_Destino            TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_Fecha                     TEXT    NOT NULL DEFAULT '',
    Pdt_Monto                     NUMERIC(19,4) NOT NULL DEFAULT 0,
    Pdt_Beneficiario              TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_RFC                       TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_Banco_Origen_Extranjero   TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_Banco_Destino_Extranjero  TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_Moneda                    TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdt_Tipo_Cambio               NUMERIC(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdt_Id)
);

-- A payment by any other method (cash, card, ...) behind a voucher line.
CREATE TABLE IF NOT EXISTS Poliza_Detalle_Otro_Metodo_Pago (
    Pl_Folio          TEXT    COLLATE ci NOT NULL,
    Pd_ID             TEXT    COLLATE ci NOT NULL,
    Pdo_Id            TEXT    COLLATE ci NOT NULL,
    Pdo_Metodo_Pago   TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdo_Fecha         TEXT    NOT NULL DEFAULT '',
    Pdo_Beneficiario  TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdo_RFC           TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdo_Monto         NUMERIC(19,4) NOT NULL DEFAULT 0,
    Pdo_Moneda        TEXT    COLLATE ci NOT NULL DEFAULT '',
    Pdo_Tipo_Cambio   NUMERIC(19,6) NOT NULL DEFAULT 1,
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
    Pc_Cve_Poliza_Configuracion  TEXT COLLATE ci NOT NULL PRIMARY KEY,
    Pc_Descripcion               TEXT COLLATE ci DEFAULT '',
    Pc_Tabla                     TEXT COLLATE ci DEFAULT '',
    Pc_Tipo                      TEXT COLLATE ci DEFAULT '',
    Pc_Referencia                TEXT COLLATE ci DEFAULT '',
    Pc_Comentario                TEXT COLLATE ci DEFAULT '',
    Pc_Relacion                  TEXT COLLATE ci DEFAULT '',
    Pc_Permitir_Importe_Cero     TEXT COLLATE ci DEFAULT 'NO',
    Pc_Aplicacion_Automatica     TEXT COLLATE ci DEFAULT 'SI',
    Es_Cve_Estado                TEXT COLLATE ci NOT NULL DEFAULT 'AC'
);

-- Posting a document lists the live templates of its source table.
CREATE INDEX IF NOT EXISTS IX_Poliza_Configuracion_Tabla
    ON Poliza_Configuracion (Pc_Tabla);

-- A source table that templates post from: its document key and date
-- expressions and how it posts (on line, by movement or by day).
CREATE TABLE IF NOT EXISTS Poliza_Configuracion_Tabla (
    Pc_Tabla              TEXT COLLATE ci NOT NULL PRIMARY KEY,
    Pc_Modulo             TEXT COLLATE ci DEFAULT '',
    Pc_Campo_Dia          TEXT COLLATE ci DEFAULT '',
    Pc_Campo_Movimiento   TEXT COLLATE ci DEFAULT '',
    Pc_Contabiliza_Linea  TEXT COLLATE ci DEFAULT 'NO',
    Pc_Modo_Contabiliza   TEXT COLLATE ci DEFAULT '',
    Es_Cve_Estado         TEXT COLLATE ci NOT NULL DEFAULT 'AC'
);

-- A filter of a template; all filters of a template are joined with AND.
CREATE TABLE IF NOT EXISTS Poliza_Configuracion_Condicion (
    Pc_Cve_Poliza_Configuracion  TEXT    COLLATE ci NOT NULL,
    Pcc_ID                       INTEGER NOT NULL,
    Pcc_Valor                    TEXT    COLLATE ci DEFAULT '',
    Es_Cve_Estado                TEXT    COLLATE ci NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcc_ID)
);

-- A line of a template: the expressions of one voucher line's account, cost
-- centre, concept, reference and amount, plus its extra joins and filter.
CREATE TABLE IF NOT EXISTS Poliza_Configuracion_Detalle (
    Pc_Cve_Poliza_Configuracion  TEXT    COLLATE ci NOT NULL,
    Pcd_ID                       INTEGER NOT NULL,
    Pcd_Descripcion              TEXT    COLLATE ci DEFAULT '',
    Pcd_Cuenta_Contable          TEXT    COLLATE ci DEFAULT '',
    Pcd_Centro_Costo             TEXT    COLLATE ci DEFAULT '',
    Pcd_Concepto                 TEXT    COLLATE ci DEFAULT '',
    Pcd_Referencia               TEXT    COLLATE ci DEFAULT '',
    Pcd_Cargo                    TEXT    COLLATE ci DEFAULT '',
    Pcd_Abono                    TEXT    COLLATE ci DEFAULT '',
    Pcd_Relacion                 TEXT    COLLATE ci DEFAULT '',
    Pcd_Condicion                TEXT    COLLATE ci DEFAULT '',
    Pcd_Tipo_Detalle             TEXT    COLLATE ci DEFAULT '',
    Pcd_Comando_Detalle          TEXT    COLLATE ci DEFAULT '',
    Es_Cve_Estado                TEXT    COLLATE ci NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcd_ID)
);

-- One electronic-detail command of a template line: its kind (COMPROBANTE,
-- CHEQUE, TRANSFERENCIA, ...) and the expression that yields the command.
CREATE TABLE IF NOT EXISTS Poliza_Configuracion_Detalle_Electronico (
    Pc_Cve_Poliza_Configuracion  TEXT    COLLATE ci NOT NULL,
    Pcd_Id                       INTEGER NOT NULL,
    Pcde_Id                      INTEGER NOT NULL,
    Pcde_Tipo                    TEXT    COLLATE ci DEFAULT '',
    Pcde_Comando                 TEXT    COLLATE ci DEFAULT '',
    Es_Cve_Estado                TEXT    COLLATE ci NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id)
);

-------------------------------------------------------------------------------
-- Catalogues of the host application read while posting
-------------------------------------------------------------------------------

-- An account of the chart of accounts.
CREATE TABLE IF NOT EXISTS Cuenta_Contable (
    Cc_Cve_Cuenta_Contable  TEXT COLLATE ci NOT NULL PRIMARY KEY,
    Cc_Descripcion          TEXT COLLATE ci DEFAULT '',
    Cc_Registro             TEXT COLLATE ci DEFAULT 'SI',
    Cc_Resultado            TEXT COLLATE ci DEFAULT 'NO',
    Es_Cve_Estado           TEXT COLLATE ci NOT NULL DEFAULT 'AC'
);

-- A company.
CREATE TABLE IF NOT EXISTS Empresa (
    Em_Cve_Empresa  TEXT COLLATE ci NOT NULL PRIMARY KEY,
    Em_R_F_C        TEXT COLLATE ci DEFAULT '',
    Es_Cve_Estado   TEXT COLLATE ci NOT NULL DEFAULT 'AC'
);

-- What the electronic accounting files need of an account (its SAT grouping
-- code, its nature 'D' debit or 'A' credit, its level, 1 at the top, and the
-- account it is a subaccount of, '' at the top) and of a company (its name),
-- added here so that ledgers made before them get them too.
ALTER TABLE Cuenta_Contable ADD COLUMN IF NOT EXISTS Cc_Codigo_Agrupador TEXT COLLATE ci NOT NULL DEFAULT '';
ALTER TABLE Cuenta_Contable ADD COLUMN IF NOT EXISTS Cc_Naturaleza TEXT COLLATE ci NOT NULL DEFAULT '';
ALTER TABLE Cuenta_Contable ADD COLUMN IF NOT EXISTS Cc_Nivel INTEGER NOT NULL DEFAULT 1;
ALTER TABLE Cuenta_Contable ADD COLUMN IF NOT EXISTS Cc_Cuenta_Padre TEXT COLLATE ci NOT NULL DEFAULT '';
ALTER TABLE Empresa ADD COLUMN IF NOT EXISTS Em_Nombre TEXT COLLATE ci NOT NULL DEFAULT '';

-- A bank.
CREATE TABLE IF NOT EXISTS Banco (
    Bn_Cve_Banco   TEXT COLLATE ci NOT NULL PRIMARY KEY,
    Bn_Codigo      TEXT COLLATE ci DEFAULT '',
    Es_Cve_Estado  TEXT COLLATE ci NOT NULL DEFAULT 'AC'
);

-- A bank account held by a company.
CREATE TABLE IF NOT EXISTS Banco_Cuenta (
    Bc_Cve_Banco_Cuenta  TEXT COLLATE ci NOT NULL PRIMARY KEY,
    Bc_Cuenta            TEXT COLLATE ci DEFAULT '',
    Bn_Cve_Banco         TEXT COLLATE ci DEFAULT '',
    Em_Cve_Empresa       TEXT COLLATE ci DEFAULT '',
    Es_Cve_Estado        TEXT COLLATE ci NOT NULL DEFAULT 'AC'
);

-- A payment to a company's own account is traced back by the account number.
CREATE INDEX IF NOT EXISTS IX_Banco_Cuenta_Cuenta
    ON Banco_Cuenta (Bc_Cuenta);

-- A kind of cheque, and what its requested value identifies (supplier,
-- customer, debtor, or the company owning the destination account).
CREATE TABLE IF NOT EXISTS Tipo_Cheque (
    Tc_Cve_Tipo_Cheque  TEXT COLLATE ci NOT NULL PRIMARY KEY,
    Tc_Solicitar        TEXT COLLATE ci DEFAULT '',
    Es_Cve_Estado       TEXT COLLATE ci NOT NULL DEFAULT 'AC'
);

-- A cheque or transfer of the cheque register, paid from a company account.
CREATE TABLE IF NOT EXISTS Cheque (
    Ch_Folio             TEXT    COLLATE ci NOT NULL PRIMARY KEY,
    Bc_Cve_Banco_Cuenta  TEXT    COLLATE ci DEFAULT '',
    Ch_Transferencia     TEXT    COLLATE ci DEFAULT 'NO',
    Tc_Cve_Tipo_Cheque   TEXT    COLLATE ci DEFAULT '',
    Ch_Fecha             TEXT,
    Ch_Importe           NUMERIC(19,4) DEFAULT 0,
    Ch_Beneficiario      TEXT    COLLATE ci DEFAULT '',
    Ch_Referencia        TEXT    COLLATE ci DEFAULT '',
    Ch_Cuenta_Destino    TEXT    COLLATE ci DEFAULT '',
    Ch_Banco_Destino     TEXT    COLLATE ci DEFAULT '',
    Ch_Solicitar_Valor   TEXT    COLLATE ci DEFAULT '',
    Es_Cve_Estado        TEXT    COLLATE ci NOT NULL DEFAULT 'AC'
);

-- A supplier.
CREATE TABLE IF NOT EXISTS Proveedor (
    Pv_Cve_Proveedor  TEXT COLLATE ci NOT NULL PRIMARY KEY,
    Pv_R_F_C          TEXT COLLATE ci DEFAULT '',
    Es_Cve_Estado     TEXT COLLATE ci NOT NULL DEFAULT 'AC'
);

-- A customer ('CL') or sundry debtor ('DE'); both kinds share this table and
-- are always looked up by key and kind, so a key may exist once per kind.
CREATE TABLE IF NOT EXISTS Cliente (
    Cl_Cve_Cliente       TEXT COLLATE ci NOT NULL,
    Tc_Cve_Tipo_Cliente  TEXT COLLATE ci NOT NULL DEFAULT 'CL',
    Cl_R_F_C             TEXT COLLATE ci DEFAULT '',
    Es_Cve_Estado        TEXT COLLATE ci NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Cl_Cve_Cliente, Tc_Cve_Tipo_Cliente)
);

-- The balance of an account at the start of a period (year, two-digit month), by
-- the account's nature (positive: a debit balance of a 'D' account, a credit
-- balance of an 'A' account), for a ledger whose earlier movements are not in it.
-- The trial balance starts from the latest one not after its month.
CREATE TABLE IF NOT EXISTS Saldo_Inicial (
    Em_Cve_Empresa          TEXT          COLLATE ci NOT NULL,
    Cc_Cve_Cuenta_Contable  TEXT          COLLATE ci NOT NULL,
    Si_Ejercicio            TEXT          COLLATE ci NOT NULL,
    Si_Periodo              TEXT          COLLATE ci NOT NULL,
    Si_Saldo                NUMERIC(19,4) NOT NULL DEFAULT 0,
    PRIMARY KEY (Em_Cve_Empresa, Cc_Cve_Cuenta_Contable, Si_Ejercicio, Si_Periodo)
);

-------------------------------------------------------------------------------
-- State of the built-in host services
-------------------------------------------------------------------------------

-- A host parameter value, per scope (scope 0 is the whole installation).
CREATE TABLE IF NOT EXISTS Parametro (
    Pa_Nombre  TEXT    COLLATE ci NOT NULL,
    Pa_Ambito  INTEGER NOT NULL DEFAULT 0,
    Pa_Valor   TEXT    COLLATE ci,
    PRIMARY KEY (Pa_Nombre, Pa_Ambito)
);

-- The last folio handed out for a table.
CREATE TABLE IF NOT EXISTS Folio_Tabla (
    Ft_Tabla   TEXT    COLLATE ci NOT NULL PRIMARY KEY,
    Ft_Ultimo  BIGINT  NOT NULL DEFAULT 0
);

-- The last consecutive number handed out for a table, column and key (the key
-- identifies the group numbered on its own, e.g. one year, period and type).
-- Reserving through this row, rather than scanning the numbered table, keeps
-- two writers from ever being handed the same number.
CREATE TABLE IF NOT EXISTS Consecutivo (
    Cn_Tabla   TEXT    COLLATE ci NOT NULL,
    Cn_Campo   TEXT    COLLATE ci NOT NULL,
    Cn_Llave   TEXT    COLLATE ci NOT NULL,
    Cn_Ultimo  BIGINT  NOT NULL DEFAULT 0,
    PRIMARY KEY (Cn_Tabla, Cn_Campo, Cn_Llave)
);

-- Ledgers made before counters were 64-bit: a number past 2147483647 must never wrap.
ALTER TABLE Folio_Tabla ALTER COLUMN Ft_Ultimo TYPE BIGINT;
ALTER TABLE Consecutivo ALTER COLUMN Cn_Ultimo TYPE BIGINT;

-- An operating period of a module: postings dated inside it are allowed while
-- it is open ('AB'), refused once it is closed ('CE').
CREATE TABLE IF NOT EXISTS Periodo_Operativo (
    Po_Modulo         TEXT COLLATE ci NOT NULL,
    Po_Fecha_Inicial  TEXT NOT NULL,
    Po_Fecha_Final    TEXT NOT NULL,
    Es_Cve_Estado     TEXT COLLATE ci NOT NULL DEFAULT 'AB',
    PRIMARY KEY (Po_Modulo, Po_Fecha_Inicial)
);

-------------------------------------------------------------------------------
-- Version of what a posting reads but never writes
-------------------------------------------------------------------------------

-- One row, whose number moves with every statement that writes the templates,
-- the chart of accounts or the host parameters. A connection that keeps those
-- reads from one posting call to the next reads this row at the start of each
-- call and reads the rest again when the number (or a table's identity) moved.
-- Being a row, the move commits or rolls back with the change itself.
CREATE TABLE IF NOT EXISTS Version_Configuracion (
    Vc_Id       INTEGER NOT NULL PRIMARY KEY CHECK (Vc_Id = 1),
    Vc_Version  BIGINT  NOT NULL DEFAULT 0
);

INSERT INTO Version_Configuracion (Vc_Id, Vc_Version) VALUES (1, 0) ON CONFLICT DO NOTHING;

-- The search path is the one this script runs with, so that a writer whose
-- own path does not name the ledger's schema still finds the row; the
-- function runs with the rights of whoever ran `init`, so that a writer of
-- the versioned tables needs no right on the row. `init` gives each versioned
-- table a statement trigger that calls it, after this script (the list of
-- tables is the component's own).
CREATE OR REPLACE FUNCTION ln_version_configuracion() RETURNS trigger
    LANGUAGE plpgsql SECURITY DEFINER SET search_path FROM CURRENT
    AS 'BEGIN UPDATE Version_Configuracion SET Vc_Version = Vc_Version + 1; RETURN NULL; END';
