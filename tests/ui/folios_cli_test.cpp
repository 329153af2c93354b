// `ledgernova folios` where no window can be shown: it must say so and stop, not hang or crash.

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

using FoliosCliTest = CliTest;

TEST_F(FoliosCliTest, WithoutADisplayTheDialogIsRefusedWithTheReason) {
    const CliRun refused = cli_error(
        1,
        "ledgernova: there is no display to show the dialog on (DISPLAY is unset or cannot be "
        "opened)\n");
    EXPECT_EQ(refused, run({"folios"}, "-u DISPLAY"));
    EXPECT_EQ(refused, run({"folios", "--ingreso", "3"}, "DISPLAY=:9999"));
}

TEST_F(FoliosCliTest, ANegativeStartingNumberIsAUsageError) {
    EXPECT_EQ(2, run({"folios", "--diario", "-4"}, "-u DISPLAY").status);
    EXPECT_EQ(2, run({"folios", "--egreso", "uno"}, "-u DISPLAY").status);
}

}  // namespace
}  // namespace ledgernova::testing
