#pragma once

#include <memory>
#include <string>

#include "host/kept_reads.h"
#include "ledgernova/host.h"

namespace ledgernova::host {

// What all objects of one thread share.
struct ModuleState {
    std::shared_ptr<ServiciosSistema> sistema;
    std::shared_ptr<ServiciosDatos> datos;
    std::string Texto_SQL;
    double Importe_Maximo_Redondeo = 0.0;
    std::string Cuenta_Ajuste_Ingreso;
    std::string Centro_Costo_Ajuste_Ingreso;
    std::string Cuenta_Ajuste_Egreso;
    std::string Centro_Costo_Ajuste_Egreso;
    bool Validar_Contabilidad_Electronica = true;
    KeptReads lecturas;  // of the thread's batch postings, on the host's connection
};

// The calling thread's module state, started on first use. Throws when the start-up fails (the
// state is then left unstarted, so the next call tries again).
[[nodiscard]] ModuleState& modulo();

}  // namespace ledgernova::host
