#pragma once

#include <stdexcept>

namespace ledgernova::cli {

// Exit status of the program: the member (or the command) did what was asked; a member returned
// false or the ledger refused the request; the command line or its input file was wrong.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// A mistake in what the user asked for: an unknown key in a voucher file, a bad date, a missing
// file, an option that is not available yet. The program reports what() and exits with kExitUsage.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace ledgernova::cli
