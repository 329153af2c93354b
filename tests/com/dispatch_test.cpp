#include "ledgernova/dispatch.h"

#include <gtest/gtest.h>

#include <fmt/format.h>

#include "ledgernova/polizas.h"
#include "support/ledger.h"

namespace ledgernova::com {
namespace {

using testing::Ledger;
using Args = std::vector<Variant>;

// Late-bound callers see both value and kind, so both are shown: Text:2024, Long:3, ...
std::string render(const std::vector<Variant>& values) {
    static constexpr const char* kKinds[] = {"Empty",  "Null", "Boolean", "Long",
                                             "Double", "Date", "Text"};
    std::string text;
    for (const Variant& value : values) {
        text += (text.empty() ? "" : ", ") + std::string(kKinds[static_cast<int>(value.kind())]) +
                (value.is_null() || value.is_empty() ? "" : ":" + value.to_text());
    }
    return text;
}

std::string render(const InvokeResult& result) {
    return result.status == DispStatus::Ok ? render(result.values) : "failed: " + result.error;
}

TEST(DispatchTable, MembersInInterfaceOrderWithThePublishedIds) {
    std::string table;
    for (const MemberInfo& member : interface_members()) {
        table += fmt::format("{} {} {:08X} {}-{}\n", member.name, static_cast<int>(member.kind),
                             static_cast<std::uint32_t>(member.dispid), member.min_args,
                             member.max_args);
    }
    EXPECT_EQ(
        "Folio 4 68030067 1-1\n"
        "Error 2 68030066 0-0\n"
        "Encabezado 2 68030065 0-0\n"
        "Encabezado 4 68030065 12-12\n"
        "Detalle 2 68030064 0-0\n"
        "Detalle 4 68030064 7-7\n"
        "Nuevo 1 6003006A 0-0\n"
        "Add_Poliza_Detalle 1 6003006B 0-0\n"
        "Cancelar_Poliza 1 6003006F 1-1\n"
        "Cancelar_Poliza_Documento 1 60030070 2-2\n"
        "Poliza_Balanceada 1 60030071 0-0\n"
        "Genera_Poliza_Tabla 1 60030072 2-3\n"
        "GetSQL_Condicion_General 1 60030074 1-2\n"
        "GetSQL_Encabezado 1 60030076 3-4\n"
        "GetSQL_Detalle 1 60030077 3-4\n"
        "Contabiliza_En_Linea 1 60030081 1-1\n",
        table);
}

TEST(DispatchNames, LookupIgnoresCase) {
    EXPECT_EQ(0x68030065, GetIDsOfNames("encabezado"));
    EXPECT_EQ(0x6003006B, GetIDsOfNames("ADD_POLIZA_DETALLE"));
    EXPECT_EQ(0x60030081, GetIDsOfNames("Contabiliza_en_Linea"));
    EXPECT_EQ(std::nullopt, GetIDsOfNames("Agregar"));
    EXPECT_EQ(std::nullopt, GetIDsOfNames("Nuevo "));
    EXPECT_EQ(std::nullopt, GetIDsOfNames(""));
}

constexpr DispId kFolio = 0x68030067;
constexpr DispId kError = 0x68030066;
constexpr DispId kEncabezado = 0x68030065;
constexpr DispId kDetalle = 0x68030064;
constexpr DispId kNuevo = 0x6003006A;
constexpr DispId kAdd = 0x6003006B;
constexpr DispId kCancelar = 0x6003006F;
constexpr DispId kBalanceada = 0x60030071;
constexpr DispId kGenera = 0x60030072;
constexpr InvokeKind kMethod = InvokeKind::Method;
constexpr InvokeKind kGet = InvokeKind::PropertyGet;
constexpr InvokeKind kPut = InvokeKind::PropertyPut;

// The twelve header fields as a late-bound caller passes them.
Args header_args(Date fecha, const std::string& periodo = "", const std::string& ejercicio = "") {
    return {Variant("XX-IGNORED"), Variant(ejercicio),    Variant(periodo),   Variant(eTp_Diario),
            Variant("N-7"),        Variant(fecha),        Variant("Compras"), Variant("A-17"),
            Variant("REF"),        Variant("Comentario"), Variant("CFG"),     Variant("001")};
}

// The header of 15 March 2024 with some fields replaced.
Args header_with(std::initializer_list<std::pair<std::size_t, Variant>> changes) {
    Args args = header_args(Date::from_ymd(2024, 3, 15));
    for (const auto& [index, value] : changes) {
        args[index] = value;
    }
    return args;
}

Args line_args(const std::string& cuenta, eTipoMovimiento tipo, double importe) {
    const auto movement = static_cast<std::int32_t>(tipo);
    return {Variant("0099"),   Variant(cuenta),  Variant("Concepto"), Variant("R-1"),
            Variant(movement), Variant(importe), Variant("")};
}

class DispatchInvoke : public ::testing::Test {
  protected:
    Ledger ledger;
    Polizas polizas;

    InvokeResult invoke(DispId dispid, InvokeKind kind, const Args& args = {}) {
        return Invoke(polizas, dispid, kind, args);
    }
    std::string get(DispId dispid) { return render(invoke(dispid, kGet)); }
};

TEST_F(DispatchInvoke, HeaderPutTakesEachFieldAsTheCallerHasIt) {
    const auto put = [](const char* row, const Args& args, const std::string& expected,
                        const char* folio = nullptr) {
        SCOPED_TRACE(row);
        Polizas object;
        if (folio != nullptr) {
            ASSERT_EQ(DispStatus::Ok, Invoke(object, kFolio, kPut, {Variant(folio)}).status);
        }
        EXPECT_EQ("", render(Invoke(object, kEncabezado, kPut, args)));
        EXPECT_EQ(expected, render(Invoke(object, kEncabezado, kGet, {})));
    };
    put("the folio is kept, the year and period come from the date",
        header_args(Date::from_ymd(2024, 3, 15), "", "1999"),
        "Text:0000000042, Text:2024, Text:03, Long:3, Text:N-7, Date:15/03/2024, Text:Compras, "
        "Text:A-17, Text:REF, Text:Comentario, Text:CFG, Text:001",
        "0000000042");
    put("a given period is kept", header_args(Date::from_ymd(2024, 12, 31), "13"),
        "Text:, Text:2024, Text:13, Long:3, Text:N-7, Date:31/12/2024, Text:Compras, Text:A-17, "
        "Text:REF, Text:Comentario, Text:CFG, Text:001");
    put("type as text, date as ISO text, company as a number",
        header_with({{3, Variant("2")}, {5, Variant("2024-05-06")}, {11, Variant(1)}}),
        "Text:, Text:2024, Text:05, Long:2, Text:N-7, Date:06/05/2024, Text:Compras, Text:A-17, "
        "Text:REF, Text:Comentario, Text:CFG, Text:1");
    put("a date as short date text", header_with({{5, Variant("06/05/2024")}}),
        "Text:, Text:2024, Text:05, Long:3, Text:N-7, Date:06/05/2024, Text:Compras, Text:A-17, "
        "Text:REF, Text:Comentario, Text:CFG, Text:001");
}

TEST_F(DispatchInvoke, LinePutAndGetCarryAllSevenFields) {
    ASSERT_EQ(DispStatus::Ok, invoke(kDetalle, kPut, line_args("1101", eTmAbono, 1234.56)).status);
    EXPECT_EQ("Text:0099, Text:1101, Text:Concepto, Text:R-1, Long:2, Double:1234.56, Text:",
              get(kDetalle));
}

TEST_F(DispatchInvoke, NuevoClearsTheVoucherAndTakesTheHostDate) {
    ASSERT_EQ(DispStatus::Ok, invoke(kFolio, kPut, {Variant("0000000042")}).status);
    ASSERT_EQ(DispStatus::Ok,
              invoke(kEncabezado, kPut, header_args(Date::from_ymd(2023, 1, 2))).status);
    EXPECT_EQ("", render(invoke(kNuevo, kMethod)));
    EXPECT_EQ(
        "Text:, Text:2023, Text:01, Long:0, Text:N-7, Date:15/03/2024 10:20:30, Text:, Text:, "
        "Text:REF, Text:, Text:CFG, Text:001",
        get(kEncabezado));
}

// Calls refused before the object is touched: no member for the id and kind, the wrong number of
// arguments, or an argument that does not convert.
TEST_F(DispatchInvoke, RefusedCallsSayWhyAndLeaveTheObjectUntouched) {
    using enum DispStatus;
    int row = 0;
    const auto refused = [&](DispId dispid, InvokeKind kind, const Args& args, DispStatus status,
                             const std::string& error,
                             std::optional<std::size_t> bad_arg = std::nullopt) {
        SCOPED_TRACE(fmt::format("row {}: {}", ++row, error));
        const auto before = polizas.get_Encabezado();
        const auto result = invoke(dispid, kind, args);
        EXPECT_EQ(status, result.status);
        EXPECT_EQ(error, result.error);
        EXPECT_EQ(bad_arg, result.bad_arg);
        EXPECT_EQ(before, polizas.get_Encabezado());
    };
    Args eleven = header_with({});
    eleven.pop_back();
    refused(kEncabezado, kPut, eleven, BadParamCount, "Encabezado takes 12 argument(s), 11 given.");
    refused(kNuevo, kMethod, {Variant(1)}, BadParamCount, "Nuevo takes 0 argument(s), 1 given.");
    refused(kFolio, kPut, {}, BadParamCount, "Folio takes 1 argument(s), 0 given.");
    refused(kGenera, kMethod, Args(4, Variant("x")), BadParamCount,
            "Genera_Poliza_Tabla takes 2 to 3 argument(s), 4 given.");
    refused(kCancelar, kMethod, {Variant::null()}, TypeMismatch, "Invalid use of Null", 0);
    refused(kEncabezado, kPut, header_with({{9, Variant::null()}}), TypeMismatch,
            "Invalid use of Null", 9);
    refused(kEncabezado, kPut, header_with({{5, Variant("mañana")}}), TypeMismatch, "Type mismatch",
            5);
    refused(kEncabezado, kPut, header_with({{5, Variant("31/04/2024")}}), TypeMismatch,
            "Type mismatch", 5);
    refused(0x60030099, kMethod, {}, MemberNotFound, "No member has the dispatch id 0x60030099.");
    refused(kError, kPut, {Variant("x")}, MemberNotFound,
            "Error cannot be called as a property put.");
    refused(kNuevo, kGet, {}, MemberNotFound, "Nuevo cannot be called as a property get.");
    refused(kEncabezado, kMethod, {}, MemberNotFound, "Encabezado cannot be called as a method.");
    refused(kFolio, static_cast<InvokeKind>(3), {}, MemberNotFound,
            "Folio cannot be called as a method or a property get.");
    refused(kNuevo, static_cast<InvokeKind>(1 | 4), {}, MemberNotFound,
            "Nuevo cannot be called as an unknown kind of call.");
}

TEST_F(DispatchInvoke, OmittedOptionalArgumentsAreAccepted) {
    const auto result = invoke(kGenera, kMethod, {Variant("Compras"), Variant("A-17")});
    ASSERT_EQ(DispStatus::Ok, result.status) << result.error;
    ASSERT_EQ(1U, result.values.size());
    EXPECT_EQ(Variant::Kind::Boolean, result.values[0].kind());
}

TEST_F(DispatchInvoke, MembersAreFoundByNameInAnyCase) {
    EXPECT_EQ("", render(Invoke(polizas, "folio", kPut, {Variant("0000000042")})));
    EXPECT_EQ("0000000042", polizas.get_Encabezado().Pl_Folio);
    const auto unknown = Invoke(polizas, "Borrar_Poliza", kMethod, {});
    EXPECT_EQ(DispStatus::UnknownName, unknown.status);
    EXPECT_EQ("The object has no member named 'Borrar_Poliza'.", unknown.error);
}

TEST_F(DispatchInvoke, AManualVoucherWrittenThroughLateBinding) {
    ledger.add_account("1101");
    ledger.add_account("2101");
    ASSERT_EQ(DispStatus::Ok, invoke(kNuevo, kMethod).status);
    ASSERT_EQ(DispStatus::Ok, invoke(kEncabezado, kPut, header_with({})).status);
    for (const auto& line :
         {line_args("1101", eTmCargo, 100.25), line_args("2101", eTmAbono, 100.25)}) {
        ASSERT_EQ(DispStatus::Ok, invoke(kDetalle, kPut, line).status);
        ASSERT_EQ("Boolean:True", render(invoke(kAdd, kMethod))) << get(kError);
    }
    EXPECT_EQ("Boolean:True", render(invoke(kBalanceada, kMethod)));
    EXPECT_EQ(
        "2024|03|3|N-7|Compras|A-17\n",
        ledger.rows("SELECT Pl_Ejercicio, Pl_Periodo, Pl_Tipo, Pl_Numero, Pl_Tabla, Pl_Documento "
                    "FROM Poliza"));
    EXPECT_EQ("0001|1101|1|100.25\n0002|2101|2|100.25\n",
              ledger.rows("SELECT Pd_ID, Cc_Cve_Cuenta_Contable, Pd_Tipo, Pd_Importe "
                          "FROM Poliza_Detalle ORDER BY Pd_ID"));
}

TEST_F(DispatchInvoke, AMemberThatFailsIsStillASuccessfulCall) {
    ASSERT_EQ(DispStatus::Ok, invoke(kEncabezado, kPut, header_with({})).status);
    ASSERT_EQ(DispStatus::Ok, invoke(kDetalle, kPut, line_args("9999", eTmCargo, 1.0)).status);
    EXPECT_EQ("Boolean:False", render(invoke(kAdd, kMethod)));
    EXPECT_EQ("Text:ledgerNova.dll - Add_Poliza_Detalle()\r\nLa cuenta contable:9999, no existe",
              get(kError));
}

TEST_F(DispatchInvoke, MethodAndGetTogetherReachMethodsAndPropertyGets) {
    constexpr auto kEither = static_cast<InvokeKind>(3);
    ASSERT_EQ(DispStatus::Ok, invoke(kFolio, kPut, {Variant("0000000042")}).status);
    const auto header = invoke(kEncabezado, kEither);
    ASSERT_EQ(DispStatus::Ok, header.status) << header.error;
    ASSERT_EQ(12U, header.values.size());
    EXPECT_EQ("0000000042", header.values[0].to_text());
    EXPECT_EQ("", render(invoke(kNuevo, kEither)));
    EXPECT_EQ("", polizas.get_Encabezado().Pl_Folio);
    EXPECT_EQ(DispStatus::Ok, invoke(kError, kEither).status);
}

}  // namespace
}  // namespace ledgernova::com
