#include "ui/folios_rules.h"

#include <charconv>
#include <exception>
#include <iostream>

namespace ledgernova::ui {

// What cmdAceptar tells the user about a box left at 0.
struct FoliosRules::Check {
    FolioBox box;
    const char* mensaje;
    const char* id_error;
};

namespace {

constexpr std::int32_t kEstiloInformacion = 64;
constexpr const char* kTitulo = "Orvalis";
constexpr const char* kAplicacion = "ledgerNova";
// The digits of the largest consecutive a box holds, 2147483647.
constexpr std::size_t kMaxDigits = 10;

bool all_digits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

FoliosRules::FoliosRules(ServiciosSistema& host, FoliosView& view, Consecutivos initial) noexcept
    : host_(host),
      view_(view),
      boxes_{{{std::to_string(initial.ingreso), initial.ingreso},
              {std::to_string(initial.egreso), initial.egreso},
              {std::to_string(initial.diario), initial.diario}}} {}

bool FoliosRules::enter(FolioBox box, std::string_view text) noexcept {
    std::int32_t value = 0;
    if (text.size() > kMaxDigits || !all_digits(text)) {
        return false;
    }
    if (!text.empty()) {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc{} || end != text.data() + text.size()) {
            return false;  // too large for the consecutive
        }
    }
    boxes_[index(box)] = Box{std::string(text), value};
    return true;
}

Consecutivos FoliosRules::values() const noexcept {
    return {value(FolioBox::txtIngreso), value(FolioBox::txtEgreso), value(FolioBox::txtDiario)};
}

void FoliosRules::cmdAceptar() noexcept {
    static constexpr std::array<Check, 3> kChecks{{
        {FolioBox::txtIngreso, "No especifico el consecutivo para el folio de ingreso!",
         "ERR-ID:7500001"},
        {FolioBox::txtEgreso, "No especifico el consecutivo para el folio de egreso!",
         "ERR-ID:7500002"},
        {FolioBox::txtDiario, "No especifico el consecutivo para el folio de diario!",
         "ERR-ID:7500003"},
    }};
    for (const Check& check : kChecks) {
        if (value(check.box) == 0) {
            report(check);
            view_.focus(check.box);
            return;
        }
    }
    accepted_ = true;
    view_.close();
}

void FoliosRules::cmdCancelar() noexcept {
    accepted_ = false;
    view_.close();
}

void FoliosRules::report(const Check& check) noexcept {
    try {
        host_.Mostrar_Mensaje(check.mensaje, kEstiloInformacion, kTitulo, view_.handle(),
                              kAplicacion, check.id_error);
    } catch (const std::exception& error) {
        std::cerr << kTitulo << " - " << kAplicacion << " (" << check.id_error
                  << "): " << check.mensaje << " [" << error.what() << "]\n";
    } catch (...) {
        std::cerr << kTitulo << " - " << kAplicacion << " (" << check.id_error
                  << "): " << check.mensaje << '\n';
    }
}

}  // namespace ledgernova::ui
