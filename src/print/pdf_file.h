#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "print/printed_voucher.h"

namespace ledgernova::print {

// The PDF could not be written; what() reads "could not write PATH: reason".
class PdfWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Writes the vouchers to a PDF file at `path`, each from a new page, on Letter paper. The file
// appears only complete: the pages go to a temporary file beside it that replaces `path` at the
// end. On failure throws PdfWriteError and leaves neither that file nor a changed `path`.
void write_pdf(const std::vector<PrintedVoucher>& vouchers, const std::string& path);

}  // namespace ledgernova::print
