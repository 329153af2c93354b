#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

#include "core/numbering.h"
#include "core/voucher_support.h"
#include "support/database_error.h"
#include "support/host_wrappers.h"

namespace ledgernova {
namespace {

using testing::add;
using testing::balanced_voucher;
using testing::header;
using testing::Ledger;
using testing::line;

constexpr const char* kAddSource = "ledgerNova.dll - Add_Poliza_Detalle()\r\n";

class ManualVoucherTest : public ::testing::Test {
  protected:
    ManualVoucherTest() {
        ledger.add_account("1101");
        ledger.add_account("2101");
        ledger.add_account("5101", "SI", "SI");
        ledger.add_account("1000", "NO");
    }

    // A new voucher of the object given (the fixture's by default) and its first line.
    bool open(const tPlEncabezado& encabezado, const tPlDetalle& detalle) {
        return open(polizas, encabezado, detalle);
    }
    static bool open(Polizas& object, const tPlEncabezado& encabezado, const tPlDetalle& detalle) {
        object.Nuevo();
        object.put_Encabezado(encabezado);
        return add(object, detalle);
    }

    bool contains(const std::string& statement) {
        const auto& executed = ledger.recorder().statements();
        return std::find(executed.begin(), executed.end(), statement) != executed.end();
    }

    Ledger ledger;
    Polizas polizas;
    const Date march15 = Date::from_ymd(2024, 3, 15);
};

TEST_F(ManualVoucherTest, FirstLineWritesHeaderThenLineWithTheExactStatements) {
    ASSERT_TRUE(open(header(march15), line("1101", eTmCargo, 100.5))) << polizas.get_Error();
    EXPECT_EQ("", polizas.get_Error());
    EXPECT_TRUE(contains(
        "INSERT INTO Poliza(   Pl_Folio,    Em_Cve_Empresa,    Pl_Ejercicio,    Pl_Periodo,    "
        "Pl_Tipo,    Pl_Numero,    Pl_Fecha,    Pl_Tabla,    Pl_Documento,    Pl_Referencia,    "
        "Pl_Comentario,    Pl_Configuracion,    Oper_Alta,    Fecha_Alta,    Oper_Ult_Modif,    "
        "Fecha_Ult_Modif,    Es_Cve_Estado ) VALUES('0000000001', '001', '2024', '03', 2, "
        "'0000000001', '2024-03-15', 'Compras', 'A-17', 'R', 'C', '', 'OPER', '2024-03-15 "
        "10:20:30', 'OPER', '2024-03-15 10:20:30', 'AC') "));
    EXPECT_TRUE(contains(
        "SELECT Cc_Registro,Cc_Resultado FROM Cuenta_Contable WHERE Cc_Cve_Cuenta_Contable = "
        "'1101' "));
    EXPECT_TRUE(
        contains("INSERT INTO Poliza_Detalle(   Pl_Folio,    Pd_ID,    Cc_Cve_Cuenta_Contable,    "
                 "Pd_Centro_Costo,    Pd_Concepto,    Pd_Referencia,    Pd_Tipo,    Pd_Importe ) "
                 "VALUES('0000000001', '0001', '1101', '', 'Pago', '', 1, 100.50)"));
    EXPECT_EQ("0000000001|001|2024|03|2|0000000001|2024-03-15|AC\n",
              ledger.rows("SELECT Pl_Folio, Em_Cve_Empresa, Pl_Ejercicio, Pl_Periodo, Pl_Tipo, "
                          "Pl_Numero, Pl_Fecha, Es_Cve_Estado FROM Poliza"));
}

TEST_F(ManualVoucherTest, LinesAreNumberedAndLaterLinesSkipTheDateChecks) {
    ASSERT_TRUE(open(header(march15), line("1101", eTmCargo, 1)));
    auto changed = header(Date::from_ymd(2025, 7, 1));
    changed.Pl_Periodo = "99";
    polizas.put_Encabezado(changed);  // the voucher is open: the date is not checked again
    ASSERT_TRUE(add(polizas, line("2101", eTmAbono, 1))) << polizas.get_Error();
    ASSERT_TRUE(add(polizas, line("2101", eTmAbono, 0)));
    EXPECT_EQ("0000000001|0001|1101|1\n0000000001|0002|2101|1\n0000000001|0003|2101|0\n",
              ledger.rows("SELECT Pl_Folio, Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Importe FROM "
                          "Poliza_Detalle ORDER BY Pd_ID"));
}

TEST_F(ManualVoucherTest, NumbersRunPerYearPeriodAndTypeAcrossCompanies) {
    EXPECT_EQ("0000000001", balanced_voucher(polizas, header(march15, eTp_Egreso, "001")));
    EXPECT_EQ("0000000002", balanced_voucher(polizas, header(march15, eTp_Egreso, "002")));
    EXPECT_EQ("0000000001", balanced_voucher(polizas, header(march15, eTp_Ingreso, "001")));
    EXPECT_EQ("0000000001",
              balanced_voucher(polizas, header(Date::from_ymd(2024, 4, 1), eTp_Egreso, "001")));
    EXPECT_EQ("0000000001",
              balanced_voucher(polizas, header(Date::from_ymd(2025, 3, 1), eTp_Egreso, "001")));
    EXPECT_EQ("0000000003", balanced_voucher(polizas, header(march15, eTp_Egreso, "001")));
}

TEST_F(ManualVoucherTest, NumbersRunPerCompanyWhenConfigured) {
    ledger.set_param("CON_NUMERO_POLIZA_X_EMPRESA", "1");
    EXPECT_EQ("0000000001", balanced_voucher(polizas, header(march15, eTp_Egreso, "001")));
    EXPECT_EQ("0000000001", balanced_voucher(polizas, header(march15, eTp_Egreso, "002")));
    EXPECT_EQ("0000000002", balanced_voucher(polizas, header(march15, eTp_Egreso, "001")));
    EXPECT_EQ("0000000001", balanced_voucher(polizas, header(march15, eTp_Egreso, "A'B")));
    EXPECT_TRUE(std::ranges::any_of(ledger.recorder().statements(), [](const std::string& sql) {
        return sql.find(
                   "WHERE Pl_Ejercicio = '2024' AND Pl_Periodo = '03' AND Pl_Tipo = 2 AND "
                   "Em_Cve_Empresa = '001'") != std::string::npos;
    }));
}

TEST_F(ManualVoucherTest, NumberPatternAndPresetNumber) {
    ledger.set_param("FTO_POLIZA", "00000");
    EXPECT_EQ("00001", balanced_voucher(polizas, header(march15)));
    auto preset = header(march15);
    preset.Pl_Numero = "ESPECIAL";
    ledger.recorder().clear();
    EXPECT_EQ("ESPECIAL", balanced_voucher(polizas, preset));
    for (const auto& statement : ledger.recorder().statements()) {
        EXPECT_EQ(std::string::npos, statement.find("FTO_POLIZA")) << "numbered anyway";
    }
    // Numbers that are not plain digits stand beside the numbered ones without stopping them.
    EXPECT_EQ("00002", balanced_voucher(polizas, header(march15)));
    ledger.set_param("FTO_POLIZA", "P-0000");
    EXPECT_EQ("P-0003", balanced_voucher(polizas, header(march15)));
    EXPECT_EQ("P-0004", balanced_voucher(polizas, header(march15)));
    // A number wider than the pattern is kept whole; no number stays none.
    EXPECT_EQ("123456", core::formatear_numero("123456", "00000"));
    EXPECT_EQ("", core::formatear_numero("", "00000"));
}

TEST_F(ManualVoucherTest, DateMustAgreeWithYearAndPeriod) {
    const std::string disagrees =
        "La fecha de la póliza no coincide con el ejercicio y/o periodo especificados";
    const std::vector<std::tuple<Date, std::string, std::string>> cases = {
        {Date::from_ymd(2024, 12, 30), "13",
         "La fecha de la póliza debe ser el último día del año (31/12/YYYY) "},
        {Date::from_ymd(2024, 4, 2), "03", disagrees},
        {Date::from_ymd(2024, 3, 2), "3", disagrees},
    };
    for (const auto& [date, periodo, message] : cases) {
        auto encabezado = header(date);
        encabezado.Pl_Periodo = periodo;
        EXPECT_FALSE(open(encabezado, line("1101", eTmCargo, 1)));
        EXPECT_EQ(kAddSource + message, polizas.get_Error());
    }
    EXPECT_EQ("", ledger.rows("SELECT * FROM Poliza"));
    auto year_end = header(Date::from_ymd(2024, 12, 31));
    year_end.Pl_Periodo = "13";
    EXPECT_TRUE(open(year_end, line("1101", eTmCargo, 1))) << polizas.get_Error();
    EXPECT_EQ("2024|13\n", ledger.rows("SELECT Pl_Ejercicio, Pl_Periodo FROM Poliza"));
}

TEST_F(ManualVoucherTest, OperatingPeriodIsCheckedOnlyWhenConfigured) {
    EXPECT_TRUE(open(header(march15), line("1101", eTmCargo, 1)));
    ledger.set_param("GEN_VALIDAR_PERIODO_OPERATIVO", "SI");
    EXPECT_FALSE(open(header(Date::from_ymd(2024, 3, 5)), line("1101", eTmCargo, 1)));
    EXPECT_EQ(std::string(kAddSource) +
                  "El período operativo correspondiente a la fecha: 05-03-2024, está cerrado o no "
                  "existe!",
              polizas.get_Error());
    ledger.direct().Execute(
        "INSERT INTO Periodo_Operativo(Po_Modulo, Po_Fecha_Inicial, Po_Fecha_Final, Es_Cve_Estado) "
        "VALUES('CONTABILIDAD', '2024-03-01', '2024-03-31', 'AB')");
    EXPECT_TRUE(open(header(Date::from_ymd(2024, 3, 5)), line("1101", eTmCargo, 1)));
}

TEST_F(ManualVoucherTest, AccountAndCostCentreRefusals) {
    ledger.set_param("CON_CENTRO_COSTO_OBLIGATORIO", "1");
    Polizas strict;  // reads the parameter when created
    ASSERT_TRUE(open(strict, header(march15), line("1101", eTmCargo, 1)));
    const std::vector<std::pair<tPlDetalle, std::string>> refusals = {
        {line("9999", eTmCargo, 1), "La cuenta contable:9999, no existe"},
        {line("1000", eTmCargo, 1), "La cuenta contable:1000, no es de registro"},
        {line("5101", eTmCargo, 1, "   "),
         "Debe especificar un centro de costo para la cuenta 5101 es una cuenta de resultado"},
    };
    for (const auto& [detalle, message] : refusals) {
        EXPECT_FALSE(add(strict, detalle));
        EXPECT_EQ(kAddSource + message, strict.get_Error());
    }
    ledger.add_account("3101", "NULL", "NULL");  // a comparison with Null is no difference
    EXPECT_TRUE(add(strict, line("3101", eTmCargo, 1))) << strict.get_Error();
    EXPECT_TRUE(add(strict, line("5101", eTmCargo, 1, "CC1"))) << strict.get_Error();
    EXPECT_EQ("0001\n0002\n0003\n", ledger.rows("SELECT Pd_ID FROM Poliza_Detalle ORDER BY Pd_ID"));
    EXPECT_TRUE(open(header(march15), line("5101", eTmCargo, 1)));  // optional for this object
}

TEST_F(ManualVoucherTest, ARefusedFirstLineLeavesTheHeaderAndTheVoucherOpen) {
    EXPECT_FALSE(open(header(march15), line("9999", eTmCargo, 1)));
    EXPECT_EQ("0000000001\n", ledger.rows("SELECT Pl_Folio FROM Poliza"));
    ASSERT_TRUE(add(polizas, line("1101", eTmCargo, 1)));
    EXPECT_EQ("0000000001|0001\n", ledger.rows("SELECT Pl_Folio, Pd_ID FROM Poliza_Detalle"));
}

TEST_F(ManualVoucherTest, AFailedHeaderInsertLeavesTheVoucherNew) {
    ledger.direct().Execute(
        "INSERT INTO Poliza(Pl_Folio, Pl_Ejercicio, Pl_Periodo, Pl_Tipo, Pl_Numero, Pl_Fecha) "
        "VALUES('0000000001', '2020', '01', 1, '1', '2020-01-01')");
    EXPECT_FALSE(open(header(march15), line("1101", eTmCargo, 1)));
    EXPECT_TRUE(testing::database_error_is("ledgerNova.dll - Inserta_Poliza_Encabezado()\r\n\r\n",
                                           "UNIQUE constraint failed: Poliza.Pl_Folio", "23505",
                                           polizas.get_Error()));
    EXPECT_EQ("", polizas.get_Encabezado().Pl_Folio);
    EXPECT_EQ("", polizas.get_Encabezado().Pl_Numero);
    EXPECT_EQ("", ledger.rows("SELECT * FROM Poliza_Detalle"));
    ASSERT_TRUE(add(polizas, line("1101", eTmCargo, 1))) << polizas.get_Error();
    EXPECT_EQ("0000000002|0001\n", ledger.rows("SELECT Pl_Folio, Pd_ID FROM Poliza_Detalle"));
}

TEST_F(ManualVoucherTest, QuotesInValuesAreStoredIntact) {
    ledger.add_account("O'1");
    auto encabezado = header(march15, eTp_Diario, "E'1");
    encabezado.Pl_Comentario = "Pago de O'Brien";
    encabezado.Pl_Documento = "A'17";
    auto detalle = line("O'1", eTmCargo, 5, "C'C");
    detalle.Pd_Concepto = "Anticipo d'Anna";
    detalle.Pd_Referencia = "'";
    ASSERT_TRUE(open(encabezado, detalle)) << polizas.get_Error();
    EXPECT_EQ("E'1|A'17|Pago de O'Brien\n",
              ledger.rows("SELECT Em_Cve_Empresa, Pl_Documento, Pl_Comentario FROM Poliza"));
    EXPECT_EQ("O'1|C'C|Anticipo d'Anna|'\n",
              ledger.rows("SELECT Cc_Cve_Cuenta_Contable, Pd_Centro_Costo, Pd_Concepto, "
                          "Pd_Referencia FROM Poliza_Detalle"));
}

TEST_F(ManualVoucherTest, TemplateVouchersThatDoNotApplyAutomaticallyArePending) {
    ledger.direct().Execute(
        "INSERT INTO Poliza_Configuracion(Pc_Cve_Poliza_Configuracion, Pc_Aplicacion_Automatica) "
        "VALUES('MAN', 'NO'), ('AUTO', 'SI'), ('VACIA', '')");
    for (const char* configuracion : {"MAN", "AUTO", "VACIA", "NINGUNA"}) {
        auto encabezado = header(march15);
        encabezado.Pl_Configuracion = configuracion;
        ASSERT_TRUE(open(encabezado, line("1101", eTmCargo, 1)));
    }
    EXPECT_EQ("MAN|PD\nAUTO|AC\nVACIA|AC\nNINGUNA|AC\n",
              ledger.rows("SELECT Pl_Configuracion, Es_Cve_Estado FROM Poliza ORDER BY Pl_Folio"));
}

// A host whose folio and number services can be told to give nothing, and whose operator
// changes from one call to the next.
class ScriptedDatos : public testing::DelegatingDatos {
  public:
    using DelegatingDatos::DelegatingDatos;
    Variant Get_Folio(const std::string& p, const std::string& t, std::int32_t l, bool r) override {
        return no_folio ? Variant("") : DelegatingDatos::Get_Folio(p, t, l, r);
    }
    std::string Get_Consecutivo_Condicion(const std::string&, const std::string&,
                                          const std::string&, const std::string&) override {
        return "";
    }
    bool no_folio = false;
};

class ScriptedSistema : public testing::DelegatingSistema {
  public:
    using DelegatingSistema::DelegatingSistema;
    std::string Get_Operador() override { return "OP" + std::to_string(++calls); }
    int calls = 0;
};

TEST_F(ManualVoucherTest, HostGivingNoFolioOrNumberAndAnOperatorAskedTwice) {
    std::shared_ptr<ScriptedDatos> datos;
    ledger.wrap_host([&](HostObjects real) {
        datos = std::make_shared<ScriptedDatos>(real.datos);
        return HostObjects{std::make_shared<ScriptedSistema>(real.sistema), datos};
    });
    Polizas scripted;
    ledger.set_param("CON_NUMERO_POLIZA_X_EMPRESA", "1");
    EXPECT_FALSE(open(scripted, header(march15), line("1101", eTmCargo, 1)));
    EXPECT_EQ(std::string(kAddSource) + "Imposible obtener el número de la póliza",
              scripted.get_Error());
    datos->no_folio = true;
    EXPECT_FALSE(add(scripted, line("1101", eTmCargo, 1)));
    EXPECT_EQ(std::string(kAddSource) + "Imposible obtener el folio de la póliza",
              scripted.get_Error());
    datos->no_folio = false;
    auto numbered = header(march15);
    numbered.Pl_Numero = "7";
    scripted.put_Encabezado(numbered);
    ASSERT_TRUE(add(scripted, line("1101", eTmCargo, 1))) << scripted.get_Error();
    EXPECT_EQ("OP1|OP2\n", ledger.rows("SELECT Oper_Alta, Oper_Ult_Modif FROM Poliza"));
}

TEST_F(ManualVoucherTest, ADatabaseFailureIsReportedWithTwoLineBreaks) {
    ASSERT_TRUE(open(header(march15), line("1101", eTmCargo, 1)));
    ledger.direct().Execute("DROP TABLE Cuenta_Contable");
    EXPECT_FALSE(add(polizas, line("1101", eTmCargo, 1)));
    EXPECT_TRUE(testing::database_error_is(std::string(kAddSource) + "\r\n",
                                           "no such table: Cuenta_Contable", "42P01",
                                           polizas.get_Error()));
}

TEST(ManualVoucherProcesses, TwoProcessesNeverShareANumberOrFolio) {
    Ledger ledger(true);
    ledger.add_account("1101");
    ledger.add_account("2101");
    constexpr int kPerProcess = 20;
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = fork();
        ASSERT_NE(-1, pid);
        if (pid == 0) {
            // A process of its own: its own connection and module, like a second program.
            ledger.attach_process();
            Polizas polizas;
            int failures = 0;
            for (int i = 0; i < kPerProcess; ++i) {
                failures += balanced_voucher(polizas, header(Date::from_ymd(2024, 3, 15)))
                                .starts_with("failed");
            }
            _exit(failures);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ("40|40|40\n", ledger.rows("SELECT COUNT(*), COUNT(DISTINCT Pl_Numero), "
                                        "COUNT(DISTINCT Pl_Folio) FROM Poliza"));
    EXPECT_EQ("80\n", ledger.rows("SELECT COUNT(*) FROM Poliza_Detalle"));
}

}  // namespace
}  // namespace ledgernova
