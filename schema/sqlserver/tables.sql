-- ledgerNova tables for Microsoft SQL Server (through FreeTDS).
--
-- The same tables, columns, defaults, keys and indexes as sqlite/tables.sql,
-- which explains each of them. `ledgernova init` runs this file as one batch;
-- every statement is guarded so it can run again over an existing ledger
-- without touching its rows. Objects go into the login's default schema.
--
-- What differs from the embedded database:
--  * Text is NVARCHAR and compares under the database's collation, which must
--    be case-insensitive (SQL Server's default, e.g.
--    SQL_Latin1_General_CP1_CI_AS): the postings rely on it.
--  * Dates are DATE and time stamps DATETIME2(0): SQL Server turns GETDATE()
--    into text in a form of its own ("Mar 15 2024 10:20AM"), so the columns
--    that receive it are typed, and the others with them. The host writes
--    them as 'YYYY-MM-DD' and 'YYYY-MM-DD HH:MM:SS', which DATE and DATETIME2
--    read the same under every language and DATEFORMAT setting.
--  * Amounts are DECIMAL(19,4), exchange rates DECIMAL(19,6).
--  * Key and code columns are NVARCHAR(100), free text NVARCHAR(400), the SQL
--    fragments of templates and parameter values NVARCHAR(MAX).

-------------------------------------------------------------------------------
-- Vouchers
-------------------------------------------------------------------------------

-- A voucher header: one row per voucher, keyed by its folio.
IF OBJECT_ID(N'Poliza', N'U') IS NULL
CREATE TABLE Poliza (
    Pl_Folio          NVARCHAR(100) NOT NULL PRIMARY KEY,
    Em_Cve_Empresa    NVARCHAR(100) NOT NULL DEFAULT '',
    Pl_Ejercicio      NVARCHAR(100) NOT NULL,
    Pl_Periodo        NVARCHAR(100) NOT NULL,
    Pl_Tipo           INT NOT NULL,
    Pl_Numero         NVARCHAR(100) NOT NULL,
    Pl_Fecha          DATE NOT NULL,
    Pl_Tabla          NVARCHAR(100) NOT NULL DEFAULT '',
    Pl_Documento      NVARCHAR(100) NOT NULL DEFAULT '',
    Pl_Referencia     NVARCHAR(400) NOT NULL DEFAULT '',
    Pl_Comentario     NVARCHAR(400) NOT NULL DEFAULT '',
    Pl_Configuracion  NVARCHAR(100) NOT NULL DEFAULT '',
    Oper_Alta         NVARCHAR(100) NOT NULL DEFAULT '',
    Fecha_Alta        DATETIME2(0) DEFAULT GETDATE(),
    Oper_Ult_Modif    NVARCHAR(100) NOT NULL DEFAULT '',
    Fecha_Ult_Modif   DATETIME2(0) DEFAULT GETDATE(),
    Es_Cve_Estado     NVARCHAR(100) NOT NULL DEFAULT 'AC',
    Oper_Baja         NVARCHAR(100),
    Fecha_Baja        DATETIME2(0)
);

-- The next number is looked up among the vouchers of one year, period and type
-- (optionally of one company); these keep that lookup flat as the ledger grows.
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Poliza_Numero' AND object_id = OBJECT_ID(N'Poliza'))
    CREATE INDEX IX_Poliza_Numero ON Poliza (Pl_Ejercicio, Pl_Periodo, Pl_Tipo, Pl_Numero);
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Poliza_Empresa_Numero' AND object_id = OBJECT_ID(N'Poliza'))
    CREATE INDEX IX_Poliza_Empresa_Numero ON Poliza (Em_Cve_Empresa, Pl_Ejercicio, Pl_Periodo, Pl_Tipo, Pl_Numero);
-- Posting a document checks for live vouchers of the same template.
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Poliza_Configuracion' AND object_id = OBJECT_ID(N'Poliza'))
    CREATE INDEX IX_Poliza_Configuracion ON Poliza (Pl_Configuracion);

-- A voucher line: one charge or credit to an account, numbered 0001, 0002, ...
IF OBJECT_ID(N'Poliza_Detalle', N'U') IS NULL
CREATE TABLE Poliza_Detalle (
    Pl_Folio                NVARCHAR(100) NOT NULL,
    Pd_ID                   NVARCHAR(100) NOT NULL,
    Cc_Cve_Cuenta_Contable  NVARCHAR(100) NOT NULL,
    Pd_Centro_Costo         NVARCHAR(100) NOT NULL DEFAULT '',
    Pd_Concepto             NVARCHAR(400) NOT NULL DEFAULT '',
    Pd_Referencia           NVARCHAR(400) NOT NULL DEFAULT '',
    Pd_Tipo                 INT NOT NULL,
    Pd_Importe              DECIMAL(19,4) NOT NULL DEFAULT 0,
    PRIMARY KEY (Pl_Folio, Pd_ID)
);

-- A link between a voucher and one source document it covers; a document may
-- be covered by several vouchers and a voucher may cover several documents.
-- A new link must be live ('AC'): cancelling by document only follows links
-- that are not 'CA', and the insert leaves the status to this default.
IF OBJECT_ID(N'Poliza_Control', N'U') IS NULL
CREATE TABLE Poliza_Control (
    Pl_Folio          NVARCHAR(100) NOT NULL,
    Pc_Tabla          NVARCHAR(100) NOT NULL,
    Pc_Documento      NVARCHAR(100) NOT NULL,
    Oper_Alta         NVARCHAR(100) NOT NULL DEFAULT '',
    Fecha_Alta        DATETIME2(0) DEFAULT GETDATE(),
    Oper_Ult_Modif    NVARCHAR(100) NOT NULL DEFAULT '',
    Fecha_Ult_Modif   DATETIME2(0) DEFAULT GETDATE(),
    Es_Cve_Estado     NVARCHAR(100) NOT NULL DEFAULT 'AC',
    Oper_Baja         NVARCHAR(100),
    Fecha_Baja        DATETIME2(0),
    PRIMARY KEY (Pl_Folio, Pc_Tabla, Pc_Documento)
);

-- Posting and cancelling by document look links up by table and document; the
-- key above already serves the lookups by folio.
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Poliza_Control_Documento' AND object_id = OBJECT_ID(N'Poliza_Control'))
    CREATE INDEX IX_Poliza_Control_Documento ON Poliza_Control (Pc_Tabla, Pc_Documento);

-------------------------------------------------------------------------------
-- Electronic accounting detail of voucher lines
--
-- Each row hangs from a voucher line (Pl_Folio, Pd_ID) and is numbered within
-- it (0001, 0002, ...) in its own table; the key serves the lookups by line.
-------------------------------------------------------------------------------

-- A fiscal invoice (identified by its UUID) behind a voucher line.
IF OBJECT_ID(N'Poliza_Detalle_Comprobante', N'U') IS NULL
CREATE TABLE Poliza_Detalle_Comprobante (
    Pl_Folio          NVARCHAR(100) NOT NULL,
    Pd_ID             NVARCHAR(100) NOT NULL,
    Pdc_Id            NVARCHAR(100) NOT NULL,
    Pdc_UUID          NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Monto         DECIMAL(19,4) NOT NULL DEFAULT 0,
    Pdc_RFC           NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Moneda        NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Metodo_Pago   NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Tipo_Cambio   DECIMAL(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdc_Id)
);

-- Another national invoice (series and folio, no UUID) behind a voucher line.
IF OBJECT_ID(N'Poliza_Detalle_Comprobante_Nacional_Otro', N'U') IS NULL
CREATE TABLE Poliza_Detalle_Comprobante_Nacional_Otro (
    Pl_Folio          NVARCHAR(100) NOT NULL,
    Pd_ID             NVARCHAR(100) NOT NULL,
    Pdco_Id           NVARCHAR(100) NOT NULL,
    Pdco_Serie        NVARCHAR(100) NOT NULL DEFAULT '',
    Pdco_Folio        NVARCHAR(100) NOT NULL DEFAULT '',
    Pdco_RFC          NVARCHAR(100) NOT NULL DEFAULT '',
    Pdco_Monto        DECIMAL(19,4) NOT NULL DEFAULT 0,
    Pdco_Moneda       NVARCHAR(100) NOT NULL DEFAULT '',
    Pdco_Metodo_Pago  NVARCHAR(100) NOT NULL DEFAULT '',
    Pdco_Tipo_Cambio  DECIMAL(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdco_Id)
);

-- A foreign invoice (number and tax id of the issuer) behind a voucher line.
IF OBJECT_ID(N'Poliza_Detalle_Comprobante_extranjero', N'U') IS NULL
CREATE TABLE Poliza_Detalle_Comprobante_extranjero (
    Pl_Folio             NVARCHAR(100) NOT NULL,
    Pd_ID                NVARCHAR(100) NOT NULL,
    Pdce_Id              NVARCHAR(100) NOT NULL,
    Pdce_Numero_Factura  NVARCHAR(100) NOT NULL DEFAULT '',
    Pdce_Tax_Id          NVARCHAR(100) NOT NULL DEFAULT '',
    Pdce_Monto           DECIMAL(19,4) NOT NULL DEFAULT 0,
    Pdce_Moneda          NVARCHAR(100) NOT NULL DEFAULT '',
    Pdce_Metodo_Pago     NVARCHAR(100) NOT NULL DEFAULT '',
    Pdce_Tipo_Cambio     DECIMAL(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdce_Id)
);

-- A cheque paid from one of the company's bank accounts, behind a voucher line.
IF OBJECT_ID(N'Poliza_Detalle_Cheque', N'U') IS NULL
CREATE TABLE Poliza_Detalle_Cheque (
    Pl_Folio                     NVARCHAR(100) NOT NULL,
    Pd_ID                        NVARCHAR(100) NOT NULL,
    Pdc_Id                       NVARCHAR(100) NOT NULL,
    Pdc_Numero                   NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Banco_Emisor_Nacional    NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Cuenta_Origen            NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Fecha                    DATE NOT NULL DEFAULT '1900-01-01',
    Pdc_Monto                    DECIMAL(19,4) NOT NULL DEFAULT 0,
    Pdc_Beneficiario             NVARCHAR(400) NOT NULL DEFAULT '',
    Pdc_RFC                      NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Banco_Emisor_Extranjero  NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Moneda                   NVARCHAR(100) NOT NULL DEFAULT '',
    Pdc_Tipo_Cambio              DECIMAL(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdc_Id)
);

-- A bank transfer (origin and destination bank and account) behind a voucher line.
IF OBJECT_ID(N'Poliza_Detalle_Transferencia', N'U') IS NULL
CREATE TABLE Poliza_Detalle_Transferencia (
    Pl_Folio                      NVARCHAR(100) NOT NULL,
    Pd_ID                         NVARCHAR(100) NOT NULL,
    Pdt_Id                        NVARCHAR(100) NOT NULL,
    Pdt_Banco_Origen_Nacional     NVARCHAR(100) NOT NULL DEFAULT '',
    Pdt_Cuenta_Origen             NVARCHAR(100) NOT NULL DEFAULT '',
    Pdt_Banco_Destino_Nacional    NVARCHAR(100) NOT NULL DEFAULT '',
    Pdt_Cuenta_Destino            NVARCHAR(100) NOT NULL DEFAULT '',
    Pdt_Fecha                     DATE NOT NULL DEFAULT '1900-01-01',
    Pdt_Monto                     DECIMAL(19,4) NOT NULL DEFAULT 0,
    Pdt_Beneficiario              NVARCHAR(400) NOT NULL DEFAULT '',
    Pdt_RFC                       NVARCHAR(100) NOT NULL DEFAULT '',
    Pdt_Banco_Origen_Extranjero   NVARCHAR(100) NOT NULL DEFAULT '',
    Pdt_Banco_Destino_Extranjero  NVARCHAR(100) NOT NULL DEFAULT '',
    Pdt_Moneda                    NVARCHAR(100) NOT NULL DEFAULT '',
    Pdt_Tipo_Cambio               DECIMAL(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdt_Id)
);

-- A payment by any other method (cash, card, ...) behind a voucher line.
IF OBJECT_ID(N'Poliza_Detalle_Otro_Metodo_Pago', N'U') IS NULL
CREATE TABLE Poliza_Detalle_Otro_Metodo_Pago (
    Pl_Folio          NVARCHAR(100) NOT NULL,
    Pd_ID             NVARCHAR(100) NOT NULL,
    Pdo_Id            NVARCHAR(100) NOT NULL,
    Pdo_Metodo_Pago   NVARCHAR(100) NOT NULL DEFAULT '',
    Pdo_Fecha         DATE NOT NULL DEFAULT '1900-01-01',
    Pdo_Beneficiario  NVARCHAR(400) NOT NULL DEFAULT '',
    Pdo_RFC           NVARCHAR(100) NOT NULL DEFAULT '',
    Pdo_Monto         DECIMAL(19,4) NOT NULL DEFAULT 0,
    Pdo_Moneda        NVARCHAR(100) NOT NULL DEFAULT '',
    Pdo_Tipo_Cambio   DECIMAL(19,6) NOT NULL DEFAULT 1,
    PRIMARY KEY (Pl_Folio, Pd_ID, Pdo_Id)
);

-------------------------------------------------------------------------------
-- Voucher templates (kept by administrators; the posting code only reads them)
--
-- Expression columns hold SQL fragments copied verbatim into the generated
-- statements. Ordinal ids are INT so that line 10 sorts after line 9.
-------------------------------------------------------------------------------

-- A voucher template: how one voucher is drawn from a source table.
IF OBJECT_ID(N'Poliza_Configuracion', N'U') IS NULL
CREATE TABLE Poliza_Configuracion (
    Pc_Cve_Poliza_Configuracion  NVARCHAR(100) NOT NULL PRIMARY KEY,
    Pc_Descripcion               NVARCHAR(400) DEFAULT '',
    Pc_Tabla                     NVARCHAR(100) DEFAULT '',
    Pc_Tipo                      NVARCHAR(MAX) DEFAULT '',
    Pc_Referencia                NVARCHAR(MAX) DEFAULT '',
    Pc_Comentario                NVARCHAR(MAX) DEFAULT '',
    Pc_Relacion                  NVARCHAR(MAX) DEFAULT '',
    Pc_Permitir_Importe_Cero     NVARCHAR(100) DEFAULT 'NO',
    Pc_Aplicacion_Automatica     NVARCHAR(100) DEFAULT 'SI',
    Es_Cve_Estado                NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- Posting a document lists the live templates of its source table.
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Poliza_Configuracion_Tabla' AND object_id = OBJECT_ID(N'Poliza_Configuracion'))
    CREATE INDEX IX_Poliza_Configuracion_Tabla ON Poliza_Configuracion (Pc_Tabla);

-- A source table that templates post from: its document key and date
-- expressions and how it posts (on line, by movement or by day).
IF OBJECT_ID(N'Poliza_Configuracion_Tabla', N'U') IS NULL
CREATE TABLE Poliza_Configuracion_Tabla (
    Pc_Tabla              NVARCHAR(100) NOT NULL PRIMARY KEY,
    Pc_Modulo             NVARCHAR(100) DEFAULT '',
    Pc_Campo_Dia          NVARCHAR(MAX) DEFAULT '',
    Pc_Campo_Movimiento   NVARCHAR(MAX) DEFAULT '',
    Pc_Contabiliza_Linea  NVARCHAR(100) DEFAULT 'NO',
    Pc_Modo_Contabiliza   NVARCHAR(100) DEFAULT '',
    Es_Cve_Estado         NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- A filter of a template; all filters of a template are joined with AND.
IF OBJECT_ID(N'Poliza_Configuracion_Condicion', N'U') IS NULL
CREATE TABLE Poliza_Configuracion_Condicion (
    Pc_Cve_Poliza_Configuracion  NVARCHAR(100) NOT NULL,
    Pcc_ID                       INT NOT NULL,
    Pcc_Valor                    NVARCHAR(MAX) DEFAULT '',
    Es_Cve_Estado                NVARCHAR(100) NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcc_ID)
);

-- A line of a template: the expressions of one voucher line's account, cost
-- centre, concept, reference and amount, plus its extra joins and filter.
IF OBJECT_ID(N'Poliza_Configuracion_Detalle', N'U') IS NULL
CREATE TABLE Poliza_Configuracion_Detalle (
    Pc_Cve_Poliza_Configuracion  NVARCHAR(100) NOT NULL,
    Pcd_ID                       INT NOT NULL,
    Pcd_Descripcion              NVARCHAR(400) DEFAULT '',
    Pcd_Cuenta_Contable          NVARCHAR(MAX) DEFAULT '',
    Pcd_Centro_Costo             NVARCHAR(MAX) DEFAULT '',
    Pcd_Concepto                 NVARCHAR(MAX) DEFAULT '',
    Pcd_Referencia               NVARCHAR(MAX) DEFAULT '',
    Pcd_Cargo                    NVARCHAR(MAX) DEFAULT '',
    Pcd_Abono                    NVARCHAR(MAX) DEFAULT '',
    Pcd_Relacion                 NVARCHAR(MAX) DEFAULT '',
    Pcd_Condicion                NVARCHAR(MAX) DEFAULT '',
    Pcd_Tipo_Detalle             NVARCHAR(100) DEFAULT '',
    Pcd_Comando_Detalle          NVARCHAR(MAX) DEFAULT '',
    Es_Cve_Estado                NVARCHAR(100) NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcd_ID)
);

-- One electronic-detail command of a template line: its kind (COMPROBANTE,
-- CHEQUE, TRANSFERENCIA, ...) and the expression that yields the command.
IF OBJECT_ID(N'Poliza_Configuracion_Detalle_Electronico', N'U') IS NULL
CREATE TABLE Poliza_Configuracion_Detalle_Electronico (
    Pc_Cve_Poliza_Configuracion  NVARCHAR(100) NOT NULL,
    Pcd_Id                       INT NOT NULL,
    Pcde_Id                      INT NOT NULL,
    Pcde_Tipo                    NVARCHAR(100) DEFAULT '',
    Pcde_Comando                 NVARCHAR(MAX) DEFAULT '',
    Es_Cve_Estado                NVARCHAR(100) NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Pc_Cve_Poliza_Configuracion, Pcd_Id, Pcde_Id)
);

-------------------------------------------------------------------------------
-- Catalogues of the host application read while posting
-------------------------------------------------------------------------------

-- An account of the chart of accounts.
IF OBJECT_ID(N'Cuenta_Contable', N'U') IS NULL
CREATE TABLE Cuenta_Contable (
    Cc_Cve_Cuenta_Contable  NVARCHAR(100) NOT NULL PRIMARY KEY,
    Cc_Descripcion          NVARCHAR(400) DEFAULT '',
    Cc_Registro             NVARCHAR(100) DEFAULT 'SI',
    Cc_Resultado            NVARCHAR(100) DEFAULT 'NO',
    Es_Cve_Estado           NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- A company.
IF OBJECT_ID(N'Empresa', N'U') IS NULL
CREATE TABLE Empresa (
    Em_Cve_Empresa  NVARCHAR(100) NOT NULL PRIMARY KEY,
    Em_R_F_C        NVARCHAR(100) DEFAULT '',
    Es_Cve_Estado   NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- What the electronic accounting files need of an account (its SAT grouping
-- code, its nature 'D' debit or 'A' credit, its level, 1 at the top, and the
-- account it is a subaccount of, '' at the top) and of a company (its name),
-- added here so that ledgers made before them get them too.
IF COL_LENGTH(N'Cuenta_Contable', N'Cc_Codigo_Agrupador') IS NULL
ALTER TABLE Cuenta_Contable ADD Cc_Codigo_Agrupador NVARCHAR(100) NOT NULL DEFAULT '';
IF COL_LENGTH(N'Cuenta_Contable', N'Cc_Naturaleza') IS NULL
ALTER TABLE Cuenta_Contable ADD Cc_Naturaleza NVARCHAR(100) NOT NULL DEFAULT '';
IF COL_LENGTH(N'Cuenta_Contable', N'Cc_Nivel') IS NULL
ALTER TABLE Cuenta_Contable ADD Cc_Nivel INT NOT NULL DEFAULT 1;
IF COL_LENGTH(N'Cuenta_Contable', N'Cc_Cuenta_Padre') IS NULL
ALTER TABLE Cuenta_Contable ADD Cc_Cuenta_Padre NVARCHAR(100) NOT NULL DEFAULT '';
IF COL_LENGTH(N'Empresa', N'Em_Nombre') IS NULL
ALTER TABLE Empresa ADD Em_Nombre NVARCHAR(400) NOT NULL DEFAULT '';

-- A bank.
IF OBJECT_ID(N'Banco', N'U') IS NULL
CREATE TABLE Banco (
    Bn_Cve_Banco   NVARCHAR(100) NOT NULL PRIMARY KEY,
    Bn_Codigo      NVARCHAR(100) DEFAULT '',
    Es_Cve_Estado  NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- A bank account held by a company.
IF OBJECT_ID(N'Banco_Cuenta', N'U') IS NULL
CREATE TABLE Banco_Cuenta (
    Bc_Cve_Banco_Cuenta  NVARCHAR(100) NOT NULL PRIMARY KEY,
    Bc_Cuenta            NVARCHAR(100) DEFAULT '',
    Bn_Cve_Banco         NVARCHAR(100) DEFAULT '',
    Em_Cve_Empresa       NVARCHAR(100) DEFAULT '',
    Es_Cve_Estado        NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- A payment to a company's own account is traced back by the account number.
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Banco_Cuenta_Cuenta' AND object_id = OBJECT_ID(N'Banco_Cuenta'))
    CREATE INDEX IX_Banco_Cuenta_Cuenta ON Banco_Cuenta (Bc_Cuenta);

-- A kind of cheque, and what its requested value identifies (supplier,
-- customer, debtor, or the company owning the destination account).
IF OBJECT_ID(N'Tipo_Cheque', N'U') IS NULL
CREATE TABLE Tipo_Cheque (
    Tc_Cve_Tipo_Cheque  NVARCHAR(100) NOT NULL PRIMARY KEY,
    Tc_Solicitar        NVARCHAR(100) DEFAULT '',
    Es_Cve_Estado       NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- A cheque or transfer of the cheque register, paid from a company account.
IF OBJECT_ID(N'Cheque', N'U') IS NULL
CREATE TABLE Cheque (
    Ch_Folio             NVARCHAR(100) NOT NULL PRIMARY KEY,
    Bc_Cve_Banco_Cuenta  NVARCHAR(100) DEFAULT '',
    Ch_Transferencia     NVARCHAR(100) DEFAULT 'NO',
    Tc_Cve_Tipo_Cheque   NVARCHAR(100) DEFAULT '',
    Ch_Fecha             DATE,
    Ch_Importe           DECIMAL(19,4) DEFAULT 0,
    Ch_Beneficiario      NVARCHAR(400) DEFAULT '',
    Ch_Referencia        NVARCHAR(400) DEFAULT '',
    Ch_Cuenta_Destino    NVARCHAR(100) DEFAULT '',
    Ch_Banco_Destino     NVARCHAR(100) DEFAULT '',
    Ch_Solicitar_Valor   NVARCHAR(100) DEFAULT '',
    Es_Cve_Estado        NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- A supplier.
IF OBJECT_ID(N'Proveedor', N'U') IS NULL
CREATE TABLE Proveedor (
    Pv_Cve_Proveedor  NVARCHAR(100) NOT NULL PRIMARY KEY,
    Pv_R_F_C          NVARCHAR(100) DEFAULT '',
    Es_Cve_Estado     NVARCHAR(100) NOT NULL DEFAULT 'AC'
);

-- A customer ('CL') or sundry debtor ('DE'); both kinds share this table and
-- are always looked up by key and kind, so a key may exist once per kind.
IF OBJECT_ID(N'Cliente', N'U') IS NULL
CREATE TABLE Cliente (
    Cl_Cve_Cliente       NVARCHAR(100) NOT NULL,
    Tc_Cve_Tipo_Cliente  NVARCHAR(100) NOT NULL DEFAULT 'CL',
    Cl_R_F_C             NVARCHAR(100) DEFAULT '',
    Es_Cve_Estado        NVARCHAR(100) NOT NULL DEFAULT 'AC',
    PRIMARY KEY (Cl_Cve_Cliente, Tc_Cve_Tipo_Cliente)
);

-- The balance of an account at the start of a period (year, two-digit month), by
-- the account's nature (positive: a debit balance of a 'D' account, a credit
-- balance of an 'A' account), for a ledger whose earlier movements are not in it.
-- The trial balance starts from the latest one not after its month.
IF OBJECT_ID(N'Saldo_Inicial', N'U') IS NULL
CREATE TABLE Saldo_Inicial (
    Em_Cve_Empresa          NVARCHAR(100) NOT NULL,
    Cc_Cve_Cuenta_Contable  NVARCHAR(100) NOT NULL,
    Si_Ejercicio            NVARCHAR(100) NOT NULL,
    Si_Periodo              NVARCHAR(100) NOT NULL,
    Si_Saldo                DECIMAL(19,4) NOT NULL DEFAULT 0,
    PRIMARY KEY (Em_Cve_Empresa, Cc_Cve_Cuenta_Contable, Si_Ejercicio, Si_Periodo)
);

-------------------------------------------------------------------------------
-- State of the built-in host services
-------------------------------------------------------------------------------

-- A host parameter value, per scope (scope 0 is the whole installation).
IF OBJECT_ID(N'Parametro', N'U') IS NULL
CREATE TABLE Parametro (
    Pa_Nombre  NVARCHAR(100) NOT NULL,
    Pa_Ambito  INT NOT NULL DEFAULT 0,
    Pa_Valor   NVARCHAR(MAX),
    PRIMARY KEY (Pa_Nombre, Pa_Ambito)
);

-- The last folio handed out for a table.
IF OBJECT_ID(N'Folio_Tabla', N'U') IS NULL
CREATE TABLE Folio_Tabla (
    Ft_Tabla   NVARCHAR(100) NOT NULL PRIMARY KEY,
    Ft_Ultimo  BIGINT NOT NULL DEFAULT 0
);

-- The last consecutive number handed out for a table, column and key (the key
-- identifies the group numbered on its own, e.g. one year, period and type).
-- Reserving through this row, rather than scanning the numbered table, keeps
-- two writers from ever being handed the same number.
IF OBJECT_ID(N'Consecutivo', N'U') IS NULL
CREATE TABLE Consecutivo (
    Cn_Tabla   NVARCHAR(100) NOT NULL,
    Cn_Campo   NVARCHAR(100) NOT NULL,
    Cn_Llave   NVARCHAR(250) NOT NULL,  -- a whole condition; the key stays within 900 bytes
    Cn_Ultimo  BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (Cn_Tabla, Cn_Campo, Cn_Llave)
);

-- An operating period of a module: postings dated inside it are allowed while
-- it is open ('AB'), refused once it is closed ('CE').
IF OBJECT_ID(N'Periodo_Operativo', N'U') IS NULL
CREATE TABLE Periodo_Operativo (
    Po_Modulo         NVARCHAR(100) NOT NULL,
    Po_Fecha_Inicial  DATE NOT NULL,
    Po_Fecha_Final    DATE NOT NULL,
    Es_Cve_Estado     NVARCHAR(100) NOT NULL DEFAULT 'AB',
    PRIMARY KEY (Po_Modulo, Po_Fecha_Inicial)
);
