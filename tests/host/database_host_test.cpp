#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "host/module_state.h"
#include "ledgernova/module.h"
#include "support/ledger.h"

namespace ledgernova {
namespace {

using testing::Ledger;

class DatabaseHostTest : public ::testing::Test {
  protected:
    Ledger ledger;
    ServiciosSistema& sistema() { return *host::modulo().sistema; }
    ServiciosDatos& datos() { return *host::modulo().datos; }

    // A stored voucher of 2024 and type 2.
    void numbered(const std::string& folio, const std::string& periodo, const std::string& numero) {
        ledger.direct().Execute(
            "INSERT INTO Poliza(Pl_Folio, Pl_Ejercicio, Pl_Periodo, Pl_Tipo, Pl_Numero, Pl_Fecha) "
            "VALUES('" +
            folio + "', '2024', '" + periodo + "', 2, '" + numero + "', '2024-01-01')");
    }
    // The next number of those vouchers in `periodo`.
    std::int64_t next(const std::string& periodo, const std::string& formato = "0000000000") {
        return datos().Get_Consecutivo("Poliza", "Pl_Numero", "Pl_Ejercicio", "2024", "Pl_Periodo",
                                       periodo, "Pl_Tipo", "2", formato);
    }
};

TEST_F(DatabaseHostTest, ParametersFallBackToTheirDefaultsTypedByLetter) {
    EXPECT_EQ(Variant(0.0), sistema().Get_Parametro("CON_IMPORTE_MAXIMO_REDONDEO", 0, "N", "0"));
    EXPECT_EQ(Variant(true), sistema().Get_Parametro("X_B", 0, "B", "1"));
    EXPECT_EQ(Variant("0000000000"), sistema().Get_Parametro("FTO_POLIZA", 0, "T", "0000000000"));
    EXPECT_EQ(Variant(""), sistema().Get_Parametro("GEN_VALIDAR_PERIODO_OPERATIVO", 0, "", ""));
}

TEST_F(DatabaseHostTest, StoredParametersAreTypedByLetter) {
    ledger.set_param("N1", "0.05");
    ledger.set_param("B1", "SI");
    ledger.set_param("B0", "0");
    ledger.set_param("T1", "00000");
    ledger.set_param("BAD", "many");
    EXPECT_EQ(Variant(0.05), sistema().Get_Parametro("N1", 0, "N", "0"));
    EXPECT_EQ(Variant(true), sistema().Get_Parametro("B1", 0, "B", "0"));
    EXPECT_EQ(Variant(false), sistema().Get_Parametro("B0", 0, "B", "1"));
    EXPECT_EQ(Variant("00000"), sistema().Get_Parametro("T1", 0, "T", ""));
    EXPECT_EQ(Variant("1"), sistema().Get_Parametro("B1", 1, "T", "1"));  // another scope
    // A value that is no number or Boolean reaches the caller, whose conversion refuses it.
    EXPECT_THROW((void)sistema().Get_Parametro("BAD", 0, "N", "0").to_double(), ConversionError);
    EXPECT_THROW((void)sistema().Get_Parametro("BAD", 0, "B", "0").to_bool(), ConversionError);
}

TEST_F(DatabaseHostTest, ModuleStartReadsTheSixParameters) {
    ledger.set_param("CON_IMPORTE_MAXIMO_REDONDEO", "0.05");
    ledger.set_param("CON_CUENTA_CONTABLE_AJUSTE_REDONDEO", "7001");
    ledger.set_param("CON_CENTRO_COSTO_AJUSTE_REDONDEO_EGRESO", "CC1");
    ledger.set_param("CON_VALIDAR_DATOS_CONTABILIDAD_ELECTRONICA", "0");
    ledger.restart_module();
    const auto& state = host::modulo();
    EXPECT_EQ(std::make_tuple(0.05, "7001", "", "", "CC1", false),
              std::tie(state.Importe_Maximo_Redondeo, state.Cuenta_Ajuste_Ingreso,
                       state.Centro_Costo_Ajuste_Ingreso, state.Cuenta_Ajuste_Egreso,
                       state.Centro_Costo_Ajuste_Egreso, state.Validar_Contabilidad_Electronica));
    const auto& reads = ledger.recorder().statements();
    ASSERT_EQ(6U, reads.size());
    EXPECT_NE(std::string::npos, reads[0].find("'CON_IMPORTE_MAXIMO_REDONDEO'"));
    EXPECT_NE(std::string::npos, reads[5].find("'CON_VALIDAR_DATOS_CONTABILIDAD_ELECTRONICA'"));
}

TEST_F(DatabaseHostTest, ModuleStartFailsCleanlyOnABadParameter) {
    ledger.set_param("CON_IMPORTE_MAXIMO_REDONDEO", "mucho");
    ledger.restart_module();
    std::string error;
    EXPECT_FALSE(Inicia_Modulo(error));
    EXPECT_EQ("Type mismatch", error);
}

// The rounding and the limits of the numbers are Decimal's, pinned in tests/util/text_test.
TEST_F(DatabaseHostTest, SqlTextForms) {
    const Date date = Date::from_ymd(2024, 3, 5, 7, 8, 9);
    EXPECT_EQ("2024-03-05", datos().Formato_Fecha_SQL(date));
    EXPECT_EQ("2024-03-05 07:08:09", datos().Formato_Fecha_Hora_SQL(date));
    EXPECT_EQ("100.50", datos().Formato_Numero_SQL(Variant(100.5), 2));
    EXPECT_EQ("0.03", datos().Formato_Numero_SQL(Variant(100.03 - 100.0), 2));
    EXPECT_EQ("-5.00", datos().Formato_Numero_SQL(Variant(-5.0), 2));
    EXPECT_EQ("15000000000000000000", datos().Formato_Numero_SQL(Variant(1.5e19), 0));
    EXPECT_EQ("12345678901234567890.13",
              datos().Formato_Numero_SQL(Variant("12345678901234567890.125"), 2));
    EXPECT_THROW((void)datos().Formato_Numero_SQL(Variant::null(), 2), ConversionError);
    EXPECT_EQ(ledger.now(), datos().Get_Fecha_Servidor());
}

TEST_F(DatabaseHostTest, FoliosArePaddedAndNeverRepeat) {
    EXPECT_EQ(Variant("0000000001"), datos().Get_Folio("", "Poliza", 10, true));
    EXPECT_EQ(Variant("0000000002"), datos().Get_Folio("", "Poliza", 10, true));
    EXPECT_EQ(Variant("P0001"), datos().Get_Folio("P", "Otra", 5, true));
    ledger.direct().Execute("UPDATE Folio_Tabla SET Ft_Ultimo = 99 WHERE Ft_Tabla = 'Otra'");
    EXPECT_EQ(Variant(""), datos().Get_Folio("P", "Otra", 3, true));  // would not fit
}

TEST_F(DatabaseHostTest, ConsecutivesFollowStoredRowsAndReservations) {
    numbered("F1", "03", "0000000007");
    EXPECT_EQ(8, next("03"));
    EXPECT_EQ(9, next("03"));  // reserved although no voucher took 8 yet
    // A number that is not written in digits counts for nothing (and fails nothing).
    numbered("F2", "04", "P-0012");
    EXPECT_EQ(1, next("04", ""));
    EXPECT_EQ("1",
              datos().Get_Consecutivo_Condicion(
                  "Poliza", "Pl_Numero", "Pl_Ejercicio = '2024' AND Em_Cve_Empresa = '001'", ""));
    EXPECT_EQ("1", datos().Get_Consecutivo_Detalle("Poliza_Detalle_Cheque", "Pdc_Id", "Pl_Folio",
                                                   "F1", "Pd_ID", "0001"));
}

// The statement arrives prepared with its values taken out; an index on an expression that held
// values of its own could not serve it, and every number read the whole period.
TEST_F(DatabaseHostTest, OnAServerTheHighestNumberOfAGroupComesFromItsIndex) {
    if (!Ledger::on_server()) {
        GTEST_SKIP() << "SQLite's index is on the expression its statement holds";
    }
    auto& db = ledger.direct();
    db.Execute("SET plan_cache_mode = force_generic_plan; SET enable_seqscan = off");
    db.Execute(
        "PREPARE ln_highest AS SELECT CAST((SELECT MAX(ln_entero(Pl_Numero)) FROM Poliza WHERE "
        "Pl_Ejercicio = $1 AND Pl_Periodo = $2 AND Pl_Tipo = $3) AS TEXT) AS Ultimo");
    const std::string plan =
        testing::render(db.Execute("EXPLAIN EXECUTE ln_highest('2024', '03', '2')"));
    EXPECT_NE(std::string::npos, plan.find("ix_poliza_numero_entero")) << plan;
    EXPECT_EQ("12\n", ledger.rows("SELECT ln_entero('0012')"));
    EXPECT_EQ("NULL\n", ledger.rows("SELECT ln_entero('P-0012')"));
    EXPECT_EQ("NULL\n", ledger.rows("SELECT ln_entero('1234567890123456789')"));
}

// Counters are 64-bit end to end: past 2^31 they go on, and the largest value is never wrapped.
TEST_F(DatabaseHostTest, NumbersAndFoliosPastTwoToTheThirtyFirstGoOnAndNeverWrap) {
    numbered("F1", "03", "2147483647");
    EXPECT_EQ(2147483648, next("03"));
    EXPECT_EQ(2147483649, next("03"));
    numbered("F2", "04", "5000000000");
    EXPECT_EQ(5000000001, next("04"));

    // SQLite reads the largest number as it is and refuses to pass it; a server counts only numbers
    // of at most 18 digits (the rest could not be cast) and so goes on from its counter.
    numbered("F3", "05", "9223372036854775807");
    if (Ledger::on_server()) {
        EXPECT_EQ(1, next("05"));
    } else {
        try {
            (void)next("05");
            ADD_FAILURE() << "the largest number was passed";
        } catch (const db::Error& refusal) {
            EXPECT_STREQ(
                "The consecutive number of Poliza.Pl_Numero cannot pass 9223372036854775807",
                refusal.what());
        }
        EXPECT_EQ("2147483649\n5000000001\n",
                  ledger.rows("SELECT Cn_Ultimo FROM Consecutivo ORDER BY Cn_Ultimo"));
    }

    ledger.direct().Execute(
        "INSERT INTO Folio_Tabla(Ft_Tabla, Ft_Ultimo) VALUES('Poliza', 2147483647)");
    EXPECT_EQ(Variant("2147483648"), datos().Get_Folio("", "Poliza", 10, true));
}

// One statement moves a counter: no other session can take the same value between its read and
// its write. SQLite reads the value back under the write lock of the reservation's transaction
// (the processes below take values side by side).
TEST_F(DatabaseHostTest, ACounterIsMovedByOneStatementAndReadBackUnderTheWriteLock) {
    if (Ledger::on_server()) {
        GTEST_SKIP() << "the statement texts are SQLite's";
    }
    (void)datos();  // the module starts, reading its parameters
    ledger.recorder().clear();
    EXPECT_EQ(Variant("0000000001"), datos().Get_Folio("", "Poliza", 10, true));
    const std::vector<std::string> folio = {
        "INSERT INTO Folio_Tabla(Ft_Tabla, Ft_Ultimo) VALUES('Poliza', '1') ON CONFLICT(Ft_Tabla) "
        "DO UPDATE SET Ft_Ultimo = MAX(Folio_Tabla.Ft_Ultimo + 1, excluded.Ft_Ultimo)",
        "SELECT CAST(Ft_Ultimo AS TEXT) AS Ultimo FROM Folio_Tabla WHERE Ft_Tabla = 'Poliza'"};
    EXPECT_EQ(folio, ledger.recorder().statements());

    ledger.recorder().clear();
    EXPECT_EQ(1, datos().Get_Consecutivo("Poliza", "Pl_Numero", "Pl_Ejercicio", "O'2024", "", "",
                                         "", "", ""));
    const std::vector<std::string> number = {
        "SELECT CAST((SELECT MAX(CAST(Pl_Numero AS INTEGER)) FROM Poliza WHERE Pl_Ejercicio = "
        "'O''2024') AS TEXT) AS Ultimo",
        "INSERT INTO Consecutivo(Cn_Tabla, Cn_Campo, Cn_Llave, Cn_Ultimo) VALUES('Poliza', "
        "'Pl_Numero', 'Pl_Ejercicio = ''O''''2024''', '1') ON CONFLICT(Cn_Tabla, Cn_Campo, "
        "Cn_Llave) DO UPDATE SET Cn_Ultimo = MAX(Consecutivo.Cn_Ultimo + 1, excluded.Cn_Ultimo)",
        "SELECT CAST(Cn_Ultimo AS TEXT) AS Ultimo FROM Consecutivo WHERE Cn_Tabla = 'Poliza' AND "
        "Cn_Campo = 'Pl_Numero' AND Cn_Llave = 'Pl_Ejercicio = ''O''''2024'''"};
    EXPECT_EQ(number, ledger.recorder().statements());
}

TEST_F(DatabaseHostTest, LookupRefusesNamesThatAreNotIdentifiersAndQuotesTheKey) {
    ledger.direct().Execute(
        "INSERT INTO Poliza_Configuracion(Pc_Cve_Poliza_Configuracion, Pc_Aplicacion_Automatica) "
        "VALUES('O''Brien', 'NO')");
    EXPECT_EQ("NO", datos().Get_Valor_Campo("Poliza_Configuracion", "Pc_Cve_Poliza_Configuracion",
                                            "O'Brien", "Pc_Aplicacion_Automatica", 0, "", "", ""));
    EXPECT_EQ("",
              datos().Get_Valor_Campo("Poliza_Configuracion", "Pc_Cve_Poliza_Configuracion",
                                      "' OR 1=1 --", "Pc_Aplicacion_Automatica", 0, "", "", ""));
    EXPECT_THROW(
        (void)datos().Get_Valor_Campo("Poliza; DROP TABLE Poliza", "a", "b", "c", 0, "", "", ""),
        db::UsageError);
    EXPECT_THROW((void)datos().Get_Valor_Campo("Poliza", "Pl_Folio", "x", "1 AS y", 0, "", "", ""),
                 db::UsageError);
}

TEST_F(DatabaseHostTest, OperatingPeriodIsOpenOnlyInsideAnOpenRow) {
    ledger.direct().Execute(
        "INSERT INTO Periodo_Operativo(Po_Modulo, Po_Fecha_Inicial, Po_Fecha_Final, Es_Cve_Estado) "
        "VALUES('CONTABILIDAD', '2024-03-01', '2024-03-31', 'AB'), "
        "('CONTABILIDAD', '2024-04-01', '2024-04-30', 'CE')");
    EXPECT_TRUE(
        datos().Valida_Periodo_Operativo(Date::from_ymd(2024, 3, 31, 18), "CONTABILIDAD", 0));
    EXPECT_FALSE(datos().Valida_Periodo_Operativo(Date::from_ymd(2024, 4, 2), "CONTABILIDAD", 0));
    EXPECT_FALSE(datos().Valida_Periodo_Operativo(Date::from_ymd(2024, 5, 1), "CONTABILIDAD", 0));
    EXPECT_FALSE(datos().Valida_Periodo_Operativo(Date::from_ymd(2024, 3, 5), "NOMINA", 0));
    ledger.direct().Execute(
        "INSERT INTO Periodo_Operativo(Po_Modulo, Po_Fecha_Inicial, Po_Fecha_Final, Es_Cve_Estado) "
        "VALUES('CONTABILIDAD', '2024-01-01', '2024-12-31', 'AB')");
    EXPECT_TRUE(datos().Valida_Periodo_Operativo(Date::from_ymd(2024, 3, 31), "CONTABILIDAD", 0));
    EXPECT_FALSE(datos().Valida_Periodo_Operativo(Date::from_ymd(2024, 4, 2), "CONTABILIDAD", 0))
        << "April is closed within the open year";
}

// Each child process takes folios and numbers of the same table and key as fast as it can and
// writes them to its own file; no value may come out twice.
TEST(DatabaseHostProcesses, TwoProcessesNeverReceiveTheSameFolioOrNumber) {
    Ledger ledger(true);
    constexpr int kPerProcess = 60;
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = fork();
        ASSERT_NE(-1, pid);
        if (pid == 0) {
            int status = 0;
            try {
                auto host = make_database_host({ledger.connect(), "P", {}});
                std::ofstream out(ledger.path().string() + "." + std::to_string(child));
                for (int i = 0; i < kPerProcess; ++i) {
                    out << "F" << host.datos->Get_Folio("", "Poliza", 10, true).to_text() << "\n";
                    out << "N"
                        << host.datos->Get_Consecutivo("Poliza", "Pl_Numero", "Pl_Ejercicio",
                                                       "2024", "Pl_Periodo", "03", "Pl_Tipo", "1",
                                                       "")
                        << "\n";
                }
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::set<std::string> seen;
    int lines = 0;
    for (int child = 0; child < 2; ++child) {
        std::ifstream in(ledger.path().string() + "." + std::to_string(child));
        for (std::string line; std::getline(in, line); ++lines) {
            EXPECT_TRUE(seen.insert(line).second) << "given twice: " << line;
        }
    }
    EXPECT_EQ(4 * kPerProcess, lines);
    EXPECT_TRUE(seen.count("F0000000120") == 1 && seen.count("N120") == 1);
}

}  // namespace
}  // namespace ledgernova
