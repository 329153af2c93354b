#include "host/module_state.h"

#include <cstdlib>
#include <mutex>
#include <optional>

#include "ledgernova/module.h"

namespace ledgernova {
namespace {

std::mutex factory_mutex;
HostFactory registered_factory;  // guarded by factory_mutex

thread_local std::optional<host::ModuleState> thread_state;

HostObjects default_host() {
    const char* path = std::getenv("LEDGERNOVA_DB");
    DatabaseHostOptions options;
    options.connection = db::open_sqlite(path != nullptr && *path != '\0' ? path : "ledgernova.db");
    return make_database_host(std::move(options));
}

HostObjects create_host() {
    HostFactory factory;
    {
        const std::lock_guard lock(factory_mutex);
        factory = registered_factory;
    }
    HostObjects objects = factory ? factory() : default_host();
    if (!objects.sistema || !objects.datos) {
        throw std::runtime_error("The host factory did not create both host objects.");
    }
    return objects;
}

std::string text_parameter(ServiciosSistema& sistema, const char* name) {
    return sistema.Get_Parametro(name, 0, "T", "").to_text();
}

host::ModuleState start_module() {
    host::ModuleState state;
    HostObjects objects = create_host();
    state.sistema = std::move(objects.sistema);
    state.datos = std::move(objects.datos);
    auto& sistema = *state.sistema;
    state.Importe_Maximo_Redondeo =
        sistema.Get_Parametro("CON_IMPORTE_MAXIMO_REDONDEO", 0, "N", "0").to_double();
    state.Cuenta_Ajuste_Ingreso = text_parameter(sistema, "CON_CUENTA_CONTABLE_AJUSTE_REDONDEO");
    state.Centro_Costo_Ajuste_Ingreso = text_parameter(sistema, "CON_CENTRO_COSTO_AJUSTE_REDONDEO");
    state.Cuenta_Ajuste_Egreso =
        text_parameter(sistema, "CON_CUENTA_CONTABLE_AJUSTE_REDONDEO_EGRESO");
    state.Centro_Costo_Ajuste_Egreso =
        text_parameter(sistema, "CON_CENTRO_COSTO_AJUSTE_REDONDEO_EGRESO");
    state.Validar_Contabilidad_Electronica =
        sistema.Get_Parametro("CON_VALIDAR_DATOS_CONTABILIDAD_ELECTRONICA", 0, "B", "1").to_bool();
    return state;
}

}  // namespace

void set_host_factory(HostFactory factory) {
    const std::lock_guard lock(factory_mutex);
    registered_factory = std::move(factory);
}

bool Inicia_Modulo(std::string& error) {
    try {
        (void)host::modulo();
        return true;
    } catch (const std::exception& failure) {
        error = failure.what();
        return false;
    }
}

void Termina_Modulo() {
    thread_state.reset();
}

namespace host {

ModuleState& modulo() {
    if (!thread_state) {
        thread_state = start_module();
    }
    return *thread_state;
}

}  // namespace host
}  // namespace ledgernova
