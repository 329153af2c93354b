#include "ledgernova/ledgernova.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "com/ln_values.h"
#include "support/ledger.h"

namespace ledgernova {
namespace {

using testing::date;
using testing::Ledger;
using testing::number;
using testing::of_type;
using testing::text;
using testing::whole;

class CAbi : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(LN_OK, ln_create("ledgerNova.Polizas", &object)); }
    void TearDown() override { ln_release(object); }

    int call(const char* member, int kind, std::initializer_list<ln_variant> args) {
        return ln_call(object, member, kind, std::data(args), args.size(), nullptr, nullptr);
    }
    std::string error() { return ln_get_error(object); }

    Ledger ledger;
    ln_object* object = nullptr;
};

TEST_F(CAbi, RefusedCallsSayWhyAndLeaveNoResultsUntilTheNextCall) {
    int row = 0;
    const auto refused = [&](const char* member, int kind, std::vector<ln_variant> args, int status,
                             const std::string& why) {
        SCOPED_TRACE("row " + std::to_string(++row) + ": " + why);
        ln_variant dummy{};
        ln_variant* results = &dummy;
        size_t count = 99;
        EXPECT_EQ(status,
                  ln_call(object, member, kind, args.data(), args.size(), &results, &count));
        EXPECT_EQ(nullptr, results);
        EXPECT_EQ(0U, count);
        EXPECT_EQ(why, error());
    };
    refused("Borrar_Poliza", LN_METHOD, {}, LN_E_UNKNOWNNAME,
            "The object has no member named 'Borrar_Poliza'.");
    refused("Cancelar_Poliza", LN_METHOD, {of_type(LN_NULL)}, LN_E_TYPEMISMATCH,
            "Invalid use of Null");
    refused("Folio", LN_PROPERTYPUT, {of_type(2)}, LN_E_BADVARTYPE,
            "Argument 1 has the unknown type tag 2.");
    refused("Nuevo", LN_METHOD | LN_PROPERTYPUT, {}, LN_E_MEMBERNOTFOUND,
            "Nuevo cannot be called as an unknown kind of call.");
    refused("Nuevo", LN_METHOD, {text("x")}, LN_E_BADPARAMCOUNT,
            "Nuevo takes 0 argument(s), 1 given.");
    EXPECT_EQ(LN_OK, call("Cancelar_Poliza", LN_METHOD, {text("0000000001")}));
    EXPECT_NE(std::string::npos, error().find("Cancelar_Poliza()")) << error();

    EXPECT_EQ(LN_E_INVALIDARG,
              ln_call(object, "Folio", LN_PROPERTYPUT, nullptr, 1, nullptr, nullptr));
    EXPECT_EQ(LN_E_INVALIDARG, ln_call(object, nullptr, LN_METHOD, nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(LN_E_INVALIDARG, ln_call(nullptr, "Nuevo", LN_METHOD, nullptr, 0, nullptr, nullptr));
}

TEST_F(CAbi, ANullTextPointerIsTheEmptyText) {
    ASSERT_EQ(LN_OK, call("Folio", LN_PROPERTYPUT, {text("0000000042")}));
    ASSERT_EQ(LN_OK, call("Folio", LN_PROPERTYPUT, {text(nullptr)}));
    ln_variant* results = nullptr;
    size_t count = 0;
    ASSERT_EQ(LN_OK, ln_call(object, "Encabezado", LN_PROPERTYGET, nullptr, 0, &results, &count));
    ASSERT_EQ(12U, count);
    EXPECT_STREQ("", results[0].text);
    ln_free_results(results, count);
}

TEST_F(CAbi, ResultsOutliveTheObjectThatGaveThem) {
    ASSERT_EQ(LN_OK, call("Folio", LN_PROPERTYPUT, {text("0000000042")}));
    ln_variant* results = nullptr;
    size_t count = 0;
    ASSERT_EQ(LN_OK, ln_call(object, "encabezado", LN_PROPERTYGET, nullptr, 0, &results, &count));
    ln_release(object);
    object = nullptr;
    ASSERT_EQ(12U, count);
    EXPECT_EQ(LN_TEXT, results[0].type);
    EXPECT_STREQ("0000000042", results[0].text);
    EXPECT_EQ(LN_LONG, results[3].type);
    EXPECT_EQ(LN_DATE, results[5].type);
    ln_free_results(results, count);
}

TEST(CAbiCreate, UnknownProgIdCreatesNothingAndSaysWhy) {
    Ledger ledger;
    ln_object* object = reinterpret_cast<ln_object*>(&ledger);  // anything but NULL
    EXPECT_EQ(LN_E_CLASSNOTREG, ln_create("ledgerNova.Poliza", &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(std::string("No class is registered as 'ledgerNova.Poliza'."), ln_get_error(nullptr));
    ASSERT_EQ(LN_OK, ln_create("{a4f0ca0c-f635-4571-8038-2818430a10dd}", &object));
    EXPECT_STREQ("", ln_get_error(nullptr));
    ln_release(object);
}

TEST(CAbiInitDatabase, CreatesTheTablesInAFileAndKeepsTheirRows) {
    const auto folder = testing::make_temp_folder();
    const std::string path = (folder / "ledger.db").string();
    ASSERT_EQ(LN_OK, ln_init_database(path.c_str())) << ln_get_error(nullptr);
    db::open_sqlite(path)->Execute("INSERT INTO Parametro(Pa_Nombre, Pa_Valor) VALUES('A', '1')");
    ASSERT_EQ(LN_OK, ln_init_database(path.c_str())) << ln_get_error(nullptr);
    EXPECT_EQ(1U, db::open_sqlite(path)->Execute("SELECT Pa_Valor FROM Parametro").RecordCount());
    std::filesystem::remove_all(folder);
}

TEST(CAbiInitDatabase, AnUnreachablePathSaysWhy) {
    EXPECT_EQ(LN_E_DATABASE, ln_init_database("/nonexistent-folder/ledger.db"));
    EXPECT_STRNE("", ln_get_error(nullptr));
    EXPECT_EQ(LN_E_INVALIDARG, ln_init_database(nullptr));
}

class CAbiVoucher : public CAbi {
  protected:
    void SetUp() override {
        CAbi::SetUp();
        ledger.add_account("1101");
        ledger.add_account("2101");
    }

    // Folio, year, period, type, number, date, table, document, reference, comment, template,
    // company.
    std::vector<ln_variant> header(double day = 45366.0 /* 2024-03-15 */) {
        return {text(""), text(""), text(""),  whole(3),  text(""), date(day),
                text(""), text(""), text("R"), text("C"), text(""), text("001")};
    }

    // Id, account, concept, reference, movement, amount, cost centre; for each line.
    static std::vector<ln_variant> lines(const char* credit_account, double credit) {
        return {
            text(""),       text("1101"), text("Pago"),         text(""),     whole(1), number(10),
            text(""),       text(""),     text(credit_account), text("Pago"), text(""), whole(2),
            number(credit), text("")};
    }

    int post(const std::vector<ln_variant>& head, const std::vector<ln_variant>& body,
             std::int32_t& posted) {
        return ln_post_voucher(object, head.data(), body.data(), body.size() / 7, &posted);
    }
};

TEST_F(CAbiVoucher, AWholeVoucherIsPostedOrNothingOfItStays) {
    std::int32_t posted = -1;
    ASSERT_EQ(LN_OK, post(header(), lines("9999", 10), posted));
    EXPECT_EQ(0, posted);
    EXPECT_EQ(
        "ledgerNova.dll - post_voucher()\r\nLínea 2:\r\nledgerNova.dll - Add_Poliza_Detalle()\r\n"
        "La cuenta contable:9999, no existe",
        error());
    ASSERT_EQ(LN_OK, post(header(), lines("2101", 9), posted));
    EXPECT_EQ(0, posted);
    EXPECT_EQ("0\n", ledger.rows("SELECT COUNT(*) FROM Poliza"));

    ASSERT_EQ(LN_OK, post(header(), lines("2101", 10), posted)) << error();
    EXPECT_EQ(1, posted) << error();
    EXPECT_EQ("0000000001|3|2024-03-15|001\n",
              ledger.rows("SELECT Pl_Folio, Pl_Tipo, Pl_Fecha, Em_Cve_Empresa FROM Poliza"));
}

TEST_F(CAbiVoucher, FieldsThatDoNotConvertAreRefusedBeforeAnythingRuns) {
    std::int32_t posted = -1;
    EXPECT_EQ(LN_E_TYPEMISMATCH, post(header(std::nan("")), lines("2101", 10), posted));
    EXPECT_EQ("Header field 6: Overflow", error());
    EXPECT_EQ(LN_E_TYPEMISMATCH, post(header(1e9), lines("2101", 10), posted));
    auto body = lines("2101", 10);
    body[12] = text("diez");
    EXPECT_EQ(LN_E_TYPEMISMATCH, post(header(), body, posted));
    EXPECT_EQ("Line 2, field 6: Type mismatch", error());
    EXPECT_EQ(LN_E_INVALIDARG, ln_post_voucher(object, nullptr, nullptr, 0, &posted));
    EXPECT_EQ(0, posted);
    EXPECT_EQ("0\n", ledger.rows("SELECT COUNT(*) FROM Poliza"));

    // The late-bound Encabezado put refuses such a date the same way.
    auto head = header(std::nan(""));
    EXPECT_EQ(LN_E_TYPEMISMATCH, ln_call(object, "Encabezado", LN_PROPERTYPUT, head.data(),
                                         head.size(), nullptr, nullptr));
    EXPECT_EQ("Overflow", error());
}

}  // namespace
}  // namespace ledgernova
