#include <array>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/contexto.h"
#include "electronic/columns.h"
#include "ledgernova/polizas.h"
#include "support/ledger.h"

namespace ledgernova {
namespace {

using electronic::tCamposSQL;
using electronic::Valida_Campos_SQL;
using testing::Ledger;

struct Canonica {
    const char* nombre;
    bool tCamposSQL::*presente;
    std::string tCamposSQL::*columna;
};

using C = tCamposSQL;

const std::array<Canonica, 23> kCanonicas = {{
    {"BANCO_EMISOR_NACIONAL", &C::bBancoEmisorNacional, &C::sBancoEmisorNacional},
    {"CUENTA_ORIGEN", &C::bCuentaOrigen, &C::sCuentaOrigen},
    {"FECHA", &C::bFecha, &C::sFecha},
    {"MONTO", &C::bMonto, &C::sMonto},
    {"BENEFICIARIO", &C::bBeneficiario, &C::sBeneficiario},
    {"RFC", &C::bRFC, &C::sRFC},
    {"BANCO_EMISOR_EXTRANJERO", &C::bBancoEmisorExtranjero, &C::sBancoEmisorExtranjero},
    {"REFERENCIA", &C::bReferencia, &C::sReferencia},
    {"CUENTA_DESTINO", &C::bCuentaDestino, &C::sCuentaDestino},
    {"TIPO_CHEQUE", &C::bTipoCheque, &C::sTipoCheque},
    {"FOLIO", &C::bFolio, &C::sFolio},
    {"BANCO_ORIGEN_NACIONAL", &C::bBancoOrigenNacional, &C::sBancoOrigenNacional},
    {"BANCO_ORIGEN_EXTRANJERO", &C::bBancoOrigenExtranjero, &C::sBancoOrigenExtranjero},
    {"BANCO_DESTINO_EXTRANJERO", &C::bBancoDestinoExtranjero, &C::sBancoDestinoExtranjero},
    {"BANCO_DESTINO_NACIONAL", &C::bBancoDestinoNacional, &C::sBancoDestinoNacional},
    {"TIMBRE_UUID", &C::bTimbreUUID, &C::sTimbreUUID},
    {"SOLICITAR_VALOR", &C::bSolicitarValor, &C::sSolicitarValor},
    {"SERIE", &C::bSerie, &C::sSerie},
    {"NUMERO_FACTURA", &C::bNumeroFactura, &C::sNumeroFactura},
    {"TAX_ID", &C::bTaxId, &C::sTaxId},
    {"METODO_PAGO", &C::bMetodoPago, &C::sMetodoPago},
    {"MONEDA", &C::bMoneda, &C::sMoneda},
    {"TIPO_CAMBIO", &C::bTipoCambio, &C::sTipoCambio},
}};

// The flags set, each with the name text it recorded: "MONTO=cd_monto FECHA=CH_FECHA ".
std::string reconocidas(const tCamposSQL& campos) {
    std::string text;
    for (const Canonica& canonica : kCanonicas) {
        if (campos.*canonica.presente) {
            text += std::string(canonica.nombre) + "=" + campos.*canonica.columna + " ";
        }
    }
    return text;
}

class ColumnsTest : public ::testing::Test {
  protected:
    Ledger ledger;
    Polizas polizas;
    core::Contexto contexto{polizas};
    tCamposSQL campos;

    // Recognises the columns of a one-row select of the given column list ("1 AS x, 2 AS y").
    std::string columnas(const std::string& lista) {
        const auto rs = ledger.direct().Execute("SELECT " + lista);
        EXPECT_TRUE(Valida_Campos_SQL(contexto, rs, campos)) << contexto.Error;
        EXPECT_FALSE(rs.Eof());  // the cursor is left where it was
        return reconocidas(campos);
    }
};

TEST_F(ColumnsTest, EveryCanonicalNameAndAliasIsRecognised) {
    std::vector<std::pair<std::string, std::string>> nombres = {
        {"BC_CVE_BANCO_CUENTA", "CUENTA_ORIGEN"},
        {"CH_FECHA", "FECHA"},
        {"CD_MONTO", "MONTO"},
        {"CH_IMPORTE", "MONTO"},
        {"CH_BENEFICIARIO", "BENEFICIARIO"},
        {"RFC_TERCERO", "RFC"},
        {"CD_RFC_EMISOR", "RFC"},
        {"CD_RFC_RECEPTOR", "RFC"},
        {"CH_REFERENCIA", "REFERENCIA"},
        {"CH_CUENTA_DESTINO", "CUENTA_DESTINO"},
        {"TC_CVE_TIPO_CHEQUE", "TIPO_CHEQUE"},
        {"CH_FOLIO", "FOLIO"},
        {"CH_BANCO_DESTINO", "BANCO_DESTINO_NACIONAL"},
        {"CD_TIMBRE_UUID", "TIMBRE_UUID"},
        {"CH_SOLICITAR_VALOR", "SOLICITAR_VALOR"}};
    for (const Canonica& canonica : kCanonicas) {
        nombres.emplace_back(canonica.nombre, canonica.nombre);  // each name stands for itself
    }
    ASSERT_EQ(38U, nombres.size());
    for (const auto& [nombre, canonica] : nombres) {
        SCOPED_TRACE(nombre);
        EXPECT_EQ(canonica + "=" + nombre + " ", columnas("1 AS \"" + nombre + "\""));
    }
}

// Names whose spelling matters are quoted: PostgreSQL reports unquoted names in lower case.
TEST_F(ColumnsTest, WhichColumnsAreRecognisedAndUnderWhichSpelling) {
    const std::pair<const char*, const char*> casos[] = {
        // Case is ignored but the spelling is kept.
        {"1 AS cd_monto", "MONTO=cd_monto "},
        {"1 AS \"Cd_Monto\", 2 AS \"Ch_Fecha\"", "FECHA=Ch_Fecha MONTO=Cd_Monto "},
        // Names that are not exactly recognised are ignored.
        {"1 AS \" MONTO\", 2 AS \"MONTO \", 3 AS IMPORTE, 4 AS CH_MONTO", ""},
        // Letters beyond ASCII never upper-case into the ASCII names: a long s and a dotless i.
        {"1 AS \"\u017Ferie\", 2 AS \"TAX_\u0131D\", 3 AS \"BANCO_EMISOR_NACIONAL_DE_MAS\"", ""},
        // The cheque register's columns set exactly their flags.
        {"1 AS \"CH_FOLIO\", 2 AS \"CH_FECHA\", 3 AS \"CH_IMPORTE\"",
         "FECHA=CH_FECHA MONTO=CH_IMPORTE FOLIO=CH_FOLIO "},
        // The later of two columns for one canonical column wins.
        {"1 AS a, 2 AS b, 3 AS CD_RFC_RECEPTOR, 4 AS c, 5 AS d, 6 AS \"RFC\"", "RFC=RFC "},
        {"1 AS RFC_TERCERO, 2 AS \"CD_RFC_EMISOR\"", "RFC=CD_RFC_EMISOR "},
    };
    for (const auto& [lista, esperado] : casos) {
        SCOPED_TRACE(lista);
        campos = {};
        EXPECT_EQ(esperado, columnas(lista));
    }
}

TEST_F(ColumnsTest, AResultWithoutRowsRecognisesNothing) {
    columnas("1 AS MONTO");
    const auto rs = ledger.direct().Execute("SELECT 1 AS MONTO, 2 AS FOLIO WHERE 1 = 0");
    EXPECT_TRUE(Valida_Campos_SQL(contexto, rs, campos));
    EXPECT_EQ("", reconocidas(campos));
}

TEST_F(ColumnsTest, ASecondCallKeepsStaleNamesBehindClearedFlags) {
    columnas("1 AS \"Monto\", 2 AS \"CH_FECHA\"");
    EXPECT_EQ("FOLIO=Folio ", columnas("1 AS \"Folio\""));
    EXPECT_FALSE(campos.bMonto);
    EXPECT_EQ("Monto", campos.sMonto);
    EXPECT_EQ("CH_FECHA", campos.sFecha);
}

}  // namespace
}  // namespace ledgernova
