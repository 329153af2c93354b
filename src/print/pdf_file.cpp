#include "print/pdf_file.h"

#include <cairo-pdf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "print/form_painter.h"
#include "print/page_layout.h"

namespace ledgernova::print {
namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw PdfWriteError("could not write " + path + ": " + reason);
}

// A new empty file beside the target, removed again unless kept.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& target) : path_(target + ".XXXXXX") {
        const int descriptor = mkstemp(path_.data());
        if (descriptor < 0) {
            fail(target, std::strerror(errno));
        }
        // mkstemp makes the file private; the finished PDF gets the usual permissions.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(descriptor, 0666 & ~mask);
        close(descriptor);
    }
    ~TemporaryFile() {
        if (!kept_) {
            std::remove(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] const std::string& path() const { return path_; }

    void keep_as(const std::string& target) {
        if (std::rename(path_.c_str(), target.c_str()) != 0) {
            fail(target, std::strerror(errno));
        }
        kept_ = true;
    }

  private:
    std::string path_;
    bool kept_ = false;
};

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
    void operator()(cairo_t* cairo) const { cairo_destroy(cairo); }
};

void paint_vouchers(cairo_surface_t* surface, const std::vector<PrintedVoucher>& vouchers,
                    const PageGeometry& geometry) {
    const std::unique_ptr<cairo_t, ContextRelease> cairo(cairo_create(surface));
    FormPainter painter(cairo.get(), geometry);
    for (const auto& voucher : vouchers) {
        for (const auto& page : paginate(voucher, capacity_of(geometry))) {
            painter.paint(voucher, page);
            cairo_show_page(cairo.get());
        }
    }
}

}  // namespace

void write_pdf(const std::vector<PrintedVoucher>& vouchers, const std::string& path) {
    TemporaryFile file(path);
    const PageGeometry geometry;
    const std::unique_ptr<cairo_surface_t, SurfaceRelease> surface(
        cairo_pdf_surface_create(file.path().c_str(), geometry.width, geometry.height));
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, "Pólizas");
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "ledgerNova");
    paint_vouchers(surface.get(), vouchers, geometry);
    cairo_surface_finish(surface.get());
    if (const cairo_status_t status = cairo_surface_status(surface.get());
        status != CAIRO_STATUS_SUCCESS) {
        fail(path, cairo_status_to_string(status));
    }
    file.keep_as(path);
}

}  // namespace ledgernova::print
