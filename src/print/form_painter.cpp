#include "print/form_painter.h"

#include <array>
#include <cmath>
#include <numeric>

#include <fmt/format.h>

#include "print/amount_text.h"

namespace ledgernova::print {
namespace {

// The table's columns, left to right: account, description, cost centre, concept and
// reference, charges, credits. Their widths fill the 540 points between the margins of Letter.
enum Column { kAccount, kDescription, kCostCentre, kConcept, kCharges, kCredits, kColumnCount };
constexpr std::array<double, kColumnCount> kColumnWidths = {70, 112, 42, 130, 93, 93};
constexpr std::array<const char*, kColumnCount> kColumnTitles = {
    "Cuenta", "Descripción", "C. costo", "Concepto / Referencia", "Cargos", "Abonos"};

// Inner padding of a cell, and how far text sits below a row's top edge.
constexpr double kPadding = 3;
constexpr double kTextDrop = 2;
// The two rows of header fields, each a labelled box, below the title.
constexpr double kTitleHeight = 44;
constexpr double kFieldHeight = 28;
constexpr double kTitlesHeight = 16;  // the column titles' band
constexpr double kSignatureHeight = 64;
constexpr double kSignatureGap = 12;

constexpr TextStyle kBody{8, false, false, 0};
constexpr TextStyle kBold{8, true, false, 0};
constexpr TextStyle kLabel{6.5, false, false, 0.35};
constexpr TextStyle kValue{9, false, false, 0};
constexpr TextStyle kElectronic{7, false, true, 0.3};

double column_x(const PageGeometry& geometry, int column) {
    return std::accumulate(kColumnWidths.begin(), kColumnWidths.begin() + column, geometry.margin);
}

TextBox cell(const PageGeometry& geometry, int column, double top,
             PangoAlignment align = PANGO_ALIGN_LEFT) {
    return {column_x(geometry, column) + kPadding, top + kTextDrop,
            kColumnWidths[column] - 2 * kPadding, align};
}

std::string amount_in(const PrintedLine& line, Movement column) {
    return line.movement == column ? grouped_amount(line.amount) : std::string();
}

}  // namespace

FormPainter::FormPainter(cairo_t* cairo, PageGeometry geometry)
    : cairo_(cairo), geometry_(geometry), layout_(pango_cairo_create_layout(cairo)) {
    pango_layout_set_ellipsize(layout_, PANGO_ELLIPSIZE_END);
    pango_layout_set_single_paragraph_mode(layout_, TRUE);
}

FormPainter::~FormPainter() {
    g_object_unref(layout_);
}

void FormPainter::paint(const PrintedVoucher& voucher, const Page& page) {
    if (voucher.cancelled) {
        paint_cancelled_mark();
    }
    paint_header(voucher, page);
    double top = geometry_.body_top();
    for (const auto& row : page.rows) {
        paint_row(voucher, row, top);
        top += geometry_.row_height;
    }
    if (page.has_footer) {
        paint_footer(voucher, top);
    }
}

void FormPainter::paint_header(const PrintedVoucher& voucher, const Page& page) {
    const double left = geometry_.margin;
    const double width = geometry_.width - 2 * left;
    const std::string title = "Póliza de " + voucher.type;
    text(voucher.cancelled ? title + "   CANCELADA" : title, {left, left, width * 0.7},
         {16, true, false, 0});
    text("Folio " + voucher.folio, {left, left, width, PANGO_ALIGN_RIGHT}, {10, true, false, 0});
    text(fmt::format("Página {} de {}", page.number, page.count),
         {left, left + 16, width, PANGO_ALIGN_RIGHT}, kBody);
    paint_fields(voucher, left + kTitleHeight);
    paint_column_titles(left + kTitleHeight + 2 * kFieldHeight + 4);
}

// Company, number and date above; concept, reference and source document below.
void FormPainter::paint_fields(const PrintedVoucher& voucher, double top) {
    const double left = geometry_.margin;
    const double width = geometry_.width - 2 * left;
    const double wide = width * 0.46;
    const double narrow = (width - wide) / 2;
    paint_field("Empresa", voucher.company, {left, top, wide});
    paint_field("Número", voucher.number, {left + wide, top, narrow});
    paint_field("Fecha", voucher.date, {left + wide + narrow, top, narrow});
    top += kFieldHeight;
    paint_field("Concepto", voucher.comment, {left, top, wide});
    paint_field("Referencia", voucher.reference, {left + wide, top, narrow});
    paint_field("Documento", voucher.source, {left + wide + narrow, top, narrow});
}

void FormPainter::paint_field(const std::string& label, const std::string& value, TextBox box) {
    cairo_set_source_rgb(cairo_, 0.5, 0.5, 0.5);
    cairo_set_line_width(cairo_, 0.5);
    cairo_rectangle(cairo_, box.x, box.y, box.width, kFieldHeight);
    cairo_stroke(cairo_);
    const double inner = box.width - 2 * kPadding;
    text(label, {box.x + kPadding, box.y + kPadding, inner}, kLabel);
    text(value, {box.x + kPadding, box.y + kPadding + 9, inner}, kValue);
}

void FormPainter::paint_column_titles(double top) {
    const double width = geometry_.width - 2 * geometry_.margin;
    cairo_set_source_rgb(cairo_, 0.9, 0.9, 0.9);
    cairo_rectangle(cairo_, geometry_.margin, top, width, kTitlesHeight);
    cairo_fill(cairo_);
    for (int column = 0; column < kColumnCount; ++column) {
        const bool amount = column == kCharges || column == kCredits;
        text(kColumnTitles[column],
             cell(geometry_, column, top + 1, amount ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT),
             kBold);
    }
}

void FormPainter::paint_row(const PrintedVoucher& voucher, const BodyRow& row, double top) {
    const PrintedLine& line = voucher.lines[row.line];
    if (!row.is_electronic) {
        paint_line(line, top);
        return;
    }
    // Electronic rows need no amount columns: they run from the description to the right edge.
    const double x = column_x(geometry_, kDescription) + kPadding;
    text(line.electronic[row.electronic],
         {x, top + kTextDrop, geometry_.width - geometry_.margin - x - kPadding}, kElectronic);
}

void FormPainter::paint_line(const PrintedLine& line, double top) {
    rule(geometry_.margin, top, geometry_.width - 2 * geometry_.margin, 0.85);
    text(line.account, cell(geometry_, kAccount, top), kBody);
    text(line.description, cell(geometry_, kDescription, top), kBody);
    text(line.cost_centre, cell(geometry_, kCostCentre, top), kBody);
    text(line.concept_reference, cell(geometry_, kConcept, top), kBody);
    text(amount_in(line, Movement::Charge), cell(geometry_, kCharges, top, PANGO_ALIGN_RIGHT),
         kBody);
    text(amount_in(line, Movement::Credit), cell(geometry_, kCredits, top, PANGO_ALIGN_RIGHT),
         kBody);
}

void FormPainter::paint_footer(const PrintedVoucher& voucher, double top) {
    const double amounts = column_x(geometry_, kCharges);
    rule(amounts, top + 1, geometry_.width - geometry_.margin - amounts, 0);
    const VoucherTotals totals = totals_of(voucher);
    text("Totales", cell(geometry_, kConcept, top + 2, PANGO_ALIGN_RIGHT), kBold);
    // Totals may be wider than a line's amount: they may run into the column to their left.
    const double charges_right = amounts + kColumnWidths[kCharges] - kPadding;
    text(grouped_amount(totals.charges),
         {charges_right - 2 * kColumnWidths[kCharges], top + 2 + kTextDrop,
          2 * kColumnWidths[kCharges], PANGO_ALIGN_RIGHT},
         kBold);
    text(grouped_amount(totals.credits), cell(geometry_, kCredits, top + 2, PANGO_ALIGN_RIGHT),
         kBold);
    paint_signature_boxes(top + geometry_.footer_height - kSignatureHeight);
}

void FormPainter::paint_signature_boxes(double top) {
    const double width = (geometry_.width - 2 * geometry_.margin - 2 * kSignatureGap) / 3;
    const std::array<const char*, 3> roles = {"Elaboró", "Revisó", "Autorizó"};
    for (std::size_t index = 0; index < roles.size(); ++index) {
        const double x = geometry_.margin + static_cast<double>(index) * (width + kSignatureGap);
        cairo_set_source_rgb(cairo_, 0.5, 0.5, 0.5);
        cairo_set_line_width(cairo_, 0.5);
        cairo_rectangle(cairo_, x, top, width, kSignatureHeight);
        cairo_stroke(cairo_);
        rule(x + 12, top + kSignatureHeight - 18, width - 24, 0.3);
        text(roles[index], {x, top + kSignatureHeight - 15, width, PANGO_ALIGN_CENTER}, kBold);
    }
}

// A large diagonal "CANCELADA" across the page, drawn as an outline filled in light red: a
// shape rather than text, so that extracting the page's text finds only the header's mark.
void FormPainter::paint_cancelled_mark() {
    cairo_save(cairo_);
    cairo_translate(cairo_, geometry_.width / 2, geometry_.height / 2);
    cairo_rotate(cairo_, -std::atan2(geometry_.height, geometry_.width));
    set_font({72, true, false, 0});
    pango_layout_set_width(layout_, -1);
    pango_layout_set_text(layout_, "CANCELADA", -1);
    pango_cairo_update_layout(cairo_, layout_);
    int width = 0;
    int height = 0;
    pango_layout_get_size(layout_, &width, &height);
    cairo_move_to(cairo_, -width / 2.0 / PANGO_SCALE, -height / 2.0 / PANGO_SCALE);
    pango_cairo_layout_path(cairo_, layout_);
    cairo_set_source_rgba(cairo_, 0.85, 0.1, 0.1, 0.18);
    cairo_fill(cairo_);
    cairo_restore(cairo_);
}

void FormPainter::rule(double x, double y, double width, double grey) {
    cairo_set_source_rgb(cairo_, grey, grey, grey);
    cairo_set_line_width(cairo_, 0.5);
    cairo_move_to(cairo_, x, y);
    cairo_line_to(cairo_, x + width, y);
    cairo_stroke(cairo_);
}

void FormPainter::text(const std::string& content, const TextBox& box, const TextStyle& style) {
    if (content.empty()) {
        return;
    }
    set_font(style);
    pango_layout_set_width(layout_, static_cast<int>(box.width * PANGO_SCALE));
    pango_layout_set_alignment(layout_, box.align);
    pango_layout_set_text(layout_, content.c_str(), static_cast<int>(content.size()));
    pango_cairo_update_layout(cairo_, layout_);
    cairo_set_source_rgb(cairo_, style.grey, style.grey, style.grey);
    cairo_move_to(cairo_, box.x, box.y);
    pango_cairo_show_layout(cairo_, layout_);
}

void FormPainter::set_font(const TextStyle& style) {
    PangoFontDescription* font = pango_font_description_from_string("DejaVu Sans");
    pango_font_description_set_absolute_size(font, style.size * PANGO_SCALE);
    pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(font, style.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout_, font);
    pango_font_description_free(font);
}

}  // namespace ledgernova::print
