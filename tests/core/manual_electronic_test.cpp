#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/voucher_support.h"
#include "export/detail_kinds.h"

namespace ledgernova {
namespace {

using testing::header;
using testing::kPostSource;
using testing::line;

constexpr const char* kEmpty =
    "No se encontró la columna en el comando especificado o esta vacía:\r\n";

tPdElectronico invoice(const std::string& uuid, const std::string& method = "PUE") {
    return {"COMPROBANTE",
            {{"Pdc_UUID", uuid},
             {"Pdc_Monto", "1160.00"},
             {"Pdc_RFC", "AAA010101AAA"},
             {"Pdc_Metodo_Pago", method}}};
}

class ManualElectronicTest : public ::testing::Test {
  protected:
    ManualElectronicTest() {
        ledger.add_account("1101");
        ledger.add_account("2101");
        // A cheque register record and a supplier, for the bank and taxpayer lookups.
        ledger.direct().Execute(
            "INSERT INTO Banco(Bn_Cve_Banco, Bn_Codigo, Es_Cve_Estado) VALUES ('B1', '002', 'AC');"
            "INSERT INTO Banco_Cuenta(Bc_Cve_Banco_Cuenta, Bc_Cuenta, Bn_Cve_Banco, "
            "Em_Cve_Empresa, Es_Cve_Estado) VALUES ('BC1', '0123456789', 'B1', '001', 'AC');"
            "INSERT INTO Cheque(Ch_Folio, Bc_Cve_Banco_Cuenta, Ch_Transferencia) VALUES "
            "('CH1', 'BC1', 0);"
            "INSERT INTO Tipo_Cheque(Tc_Cve_Tipo_Cheque, Tc_Solicitar) VALUES ('T01', '01');"
            "INSERT INTO Proveedor(Pv_Cve_Proveedor, Pv_R_F_C, Es_Cve_Estado) VALUES "
            "('P1', 'PRO010101AB1', 'AC')");
    }

    void validation(bool on) {
        ledger.set_param("CON_VALIDAR_DATOS_CONTABILIDAD_ELECTRONICA", on ? "1" : "0");
        ledger.restart_module();
    }

    // A balanced voucher of two lines of 1160, each with the rows given.
    bool post(const std::vector<tPdElectronico>& charge,
              const std::vector<tPdElectronico>& credit = {}) {
        return polizas.post_voucher(header(march15),
                                    {line("1101", eTmCargo, 1160), line("2101", eTmAbono, 1160)},
                                    {charge, credit});
    }

    // Every row of the six detail tables.
    std::string detail() {
        std::string rows;
        for (const sat::DetailKind& kind : sat::detail_kinds()) {
            rows += ledger.rows("SELECT * FROM " + std::string(kind.table) + " ORDER BY Pd_ID, 3");
        }
        return rows;
    }

    // Everything a voucher leaves, counters included.
    std::string stored() {
        return ledger.rows("SELECT Pl_Folio FROM Poliza") +
               ledger.rows("SELECT Pd_ID FROM Poliza_Detalle") +
               ledger.rows("SELECT Ft_Ultimo FROM Folio_Tabla") +
               ledger.rows("SELECT Cn_Ultimo FROM Consecutivo") + detail();
    }

    testing::Ledger ledger;
    Polizas polizas;
    const Date march15 = Date::from_ymd(2024, 3, 15);
};

// The statements themselves are pinned at the writers, in tests/electronic.
TEST_F(ManualElectronicTest, EveryKindIsWrittenAsItsWriterWritesIt) {
    validation(true);
    ASSERT_TRUE(
        post({invoice("6F9619FF-8B86-D011-B42D-00C04FC964FF"),
              invoice("A1B2C3D4-0000-1111-2222-333344445555", "PPD"),
              {"comprobante otro",  // a repeated field takes its last value
               {{"Pdco_Serie", "Z"},
                {"Pdco_Serie", "A"},
                {"Pdco_Folio", "123"},
                {"Pdco_RFC", "BBB010101BBB"},
                {"Pdco_Monto", "250.75"},
                {"Pdco_Moneda", "USD"},
                {"Pdco_Tipo_Cambio", "17.5"},
                {"Pdco_Metodo_Pago", "PPD"}}},
              {"COMPROBANTE EXTRANJERO",
               {{"Pdce_Numero_Factura", "INV-9"},
                {"Pdce_Tax_Id", "98-7654321"},
                {"Pdce_Monto", "100"},
                {"Pdce_Moneda", "EUR"},
                {"Pdce_Tipo_Cambio", "20.125"}}}},
             {// Bank and account from the cheque register, the payee's code from the supplier.
              {"CHEQUE",
               {{"Pdc_Numero", "1001"},
                {"Ch_Folio", "CH1"},
                {"Pdc_Fecha", "2024-03-15"},
                {"Pdc_Monto", "1160"},
                {"Pdc_Beneficiario", "Juan Pérez"},
                {"Ch_Solicitar_Valor", "P1"},
                {"Tc_Cve_Tipo_Cheque", "T01"}}},
              {"TRANSFERENCIA",
               {{"Pdt_Banco_Origen_Nacional", "012"},
                {"Pdt_Cuenta_Origen", "111"},
                {"Pdt_Banco_Destino_Extranjero", "Barclays"},
                {"Pdt_Cuenta_Destino", "GB29"},
                {"Pdt_Fecha", "16/03/2024"},
                {"Pdt_Monto", "1234.5"},
                {"Pdt_Beneficiario", "ACME Ltd"},
                {"Pdt_RFC", "XEXX010101000"},
                {"Pdt_Moneda", "USD"},
                {"Pdt_Tipo_Cambio", "17.25"}}},
              {"OTRO METODO PAGO",
               {{"Pdo_Metodo_Pago", "04"},
                {"Pdo_Fecha", "2024-03-17"},
                {"Pdo_Beneficiario", "Caja"},
                {"Pdo_RFC", "CCC010101CCC"},
                {"Pdo_Monto", "99.99"}}}}))
        << polizas.get_Error();
    EXPECT_EQ(
        "0000000001|0001|0001|6F9619FF-8B86-D011-B42D-00C04FC964FF|1160|AAA010101AAA|MXN|PUE|1\n"
        "0000000001|0001|0002|A1B2C3D4-0000-1111-2222-333344445555|1160|AAA010101AAA|MXN|PPD|1\n"
        "0000000001|0001|0001|A|123|BBB010101BBB|250.75|USD|PPD|17.5\n"
        "0000000001|0001|0001|INV-9|98-7654321|100|EUR||20.125\n"
        "0000000001|0002|0001|1001|002|0123456789|2024-03-15|1160|Juan Pérez|PRO010101AB1||MXN|1\n"
        "0000000001|0002|0001|012|111|999|GB29|2024-03-16|1234.5|ACME Ltd|XEXX010101000||"
        "Barclays|USD|17.25\n"
        "0000000001|0002|0001|04|2024-03-17|Caja|CCC010101CCC|99.99|MXN|1\n",
        detail());
}

TEST_F(ManualElectronicTest, ARefusedRowLeavesNothingAndSpendsNoFolioOrNumber) {
    validation(true);
    EXPECT_FALSE(post({invoice("U-1")}, {invoice("U-2"), invoice("")}));
    EXPECT_EQ(std::string(kPostSource) + "Línea 2, comprobante 2:\r\n" + kEmpty +
                  "=> COLUMNA: UUID\r\n=> POLIZA: 0000000001\r\n=> ID: 0002\r\n"
                  "=> TIPO: COMPROBANTE\r\n=> SQL: ",
              polizas.get_Error());
    EXPECT_EQ("", stored());

    ASSERT_TRUE(post({invoice("U-1")})) << polizas.get_Error();
    EXPECT_EQ("0000000001", polizas.get_Encabezado().Pl_Folio);
    EXPECT_EQ("0000000001", polizas.get_Encabezado().Pl_Numero);
}

TEST_F(ManualElectronicTest, TheValidationSwitchActsAsOnGeneratedRows) {
    validation(true);
    // A warning never stops: the payment method may be missing.
    ASSERT_TRUE(post({invoice("U-1", "")})) << polizas.get_Error();

    // A stopping check stops only with the switch on; off, the row is written as it is.
    const tPdElectronico no_amount{"COMPROBANTE", {{"Pdc_UUID", "U-2"}, {"Pdc_RFC", "R"}}};
    EXPECT_FALSE(post({no_amount}));
    EXPECT_EQ(std::string(kPostSource) +
                  "Línea 1, comprobante 1:\r\n"
                  "No se encontró la columna en el comando especificado:\r\n=> COLUMNA: MONTO\r\n"
                  "=> POLIZA: 0000000002\r\n=> ID: 0001\r\n=> TIPO: COMPROBANTE\r\n=> SQL: ",
              polizas.get_Error());

    validation(false);
    Polizas unchecked;
    ASSERT_TRUE(unchecked.post_voucher(
        header(march15), {line("1101", eTmCargo, 5), line("2101", eTmAbono, 5)}, {{no_amount}}))
        << unchecked.get_Error();
    EXPECT_EQ("", unchecked.get_Error());
    EXPECT_EQ("0000000002|0001|0001|U-2|0|R|MXN||1\n",
              ledger.rows("SELECT * FROM Poliza_Detalle_Comprobante WHERE Pdc_UUID = 'U-2'"));
}

TEST_F(ManualElectronicTest, KindsAndFieldsOutsideTheSixAreRefused) {
    EXPECT_FALSE(post({{"FACTURA", {}}}));
    EXPECT_EQ(std::string(kPostSource) +
                  "Línea 1, comprobante 1:\r\nTipo de detalle electrónico desconocido: FACTURA",
              polizas.get_Error());

    // A cheque's field is no field of an invoice.
    EXPECT_FALSE(post({}, {invoice("U-1"), {"comprobante", {{"Pdc_Numero", "1"}}}}));
    EXPECT_EQ(std::string(kPostSource) +
                  "Línea 2, comprobante 2:\r\n"
                  "El detalle electrónico COMPROBANTE no tiene el campo Pdc_Numero",
              polizas.get_Error());

    EXPECT_FALSE(
        polizas.post_voucher(header(march15), {line("1101", eTmCargo, 1)}, {{}, {invoice("U-1")}}));
    EXPECT_EQ(std::string(kPostSource) +
                  "Hay detalle electrónico para más líneas de las que tiene la póliza",
              polizas.get_Error());
    EXPECT_EQ("", stored());
}

}  // namespace
}  // namespace ledgernova
