// `ledgernova folios` where no window can be shown: it must say so and stop, not hang or crash.

#include "cli/cli_fixture.h"

namespace ledgernova::testing {
namespace {

class FoliosCliTest : public CliTest {};

TEST_F(FoliosCliTest, WithoutADisplayTheDialogIsRefusedWithTheReason) {
    const CliRun unset = run({"folios"}, "-u DISPLAY");
    EXPECT_EQ(1, unset.status);
    EXPECT_EQ("", unset.out);
    EXPECT_EQ(
        "ledgernova: there is no display to show the dialog on (DISPLAY is unset or cannot be "
        "opened)\n",
        unset.err);
    const CliRun unreachable = run({"folios", "--ingreso", "3"}, "DISPLAY=:9999");
    EXPECT_EQ(1, unreachable.status);
    EXPECT_EQ(unset.err, unreachable.err);
}

TEST_F(FoliosCliTest, ANegativeStartingNumberIsAUsageError) {
    EXPECT_EQ(2, run({"folios", "--diario", "-4"}, "-u DISPLAY").status);
    EXPECT_EQ(2, run({"folios", "--egreso", "uno"}, "-u DISPLAY").status);
}

}  // namespace
}  // namespace ledgernova::testing
