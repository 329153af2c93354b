#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>

#include "print/page_layout.h"
#include "print/printed_voucher.h"

namespace ledgernova::print {

// How a text is set: size in points, weight, slant and grey level (0 black).
struct TextStyle {
    double size = 8;
    bool bold = false;
    bool italic = false;
    double grey = 0;
};

// A box of text on the page: left and top edge, width, alignment within the width. Text that
// does not fit the width ends in an ellipsis (never cut inside a character).
struct TextBox {
    double x = 0;
    double y = 0;
    double width = 0;
    PangoAlignment align = PANGO_ALIGN_LEFT;
};

// Paints pages of the voucher form with cairo, whose user units must be points; the caller
// owns the context and ends each page. Not copyable: it holds a Pango layout of the context.
class FormPainter {
  public:
    FormPainter(cairo_t* cairo, PageGeometry geometry);
    ~FormPainter();
    FormPainter(const FormPainter&) = delete;
    FormPainter& operator=(const FormPainter&) = delete;

    // Paints one page of the voucher: the header, the page's rows and, on the last page, the
    // totals and the signature boxes.
    void paint(const PrintedVoucher& voucher, const Page& page);

  private:
    void paint_header(const PrintedVoucher& voucher, const Page& page);
    void paint_fields(const PrintedVoucher& voucher, double top);
    void paint_field(const std::string& label, const std::string& value, TextBox box);
    void paint_column_titles(double top);
    void paint_row(const PrintedVoucher& voucher, const BodyRow& row, double top);
    void paint_line(const PrintedLine& line, double top);
    void paint_footer(const PrintedVoucher& voucher, double top);
    void paint_signature_boxes(double top);
    void paint_cancelled_mark();
    void rule(double x, double y, double width, double grey);
    void text(const std::string& content, const TextBox& box, const TextStyle& style);
    void set_font(const TextStyle& style);

    cairo_t* cairo_;
    PageGeometry geometry_;
    PangoLayout* layout_;
};

}  // namespace ledgernova::print
