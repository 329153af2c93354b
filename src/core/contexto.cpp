#include "core/contexto.h"

#include "host/database_host.h"

namespace ledgernova::core {
namespace {

// Every argument of a host call, apart so that no two calls share a key.
std::string clave(std::initializer_list<std::string_view> argumentos) {
    std::size_t largo = 0;
    for (const std::string_view argumento : argumentos) {
        largo += argumento.size() + 1;
    }
    std::string result;
    result.reserve(largo);
    for (const std::string_view argumento : argumentos) {
        result.append(argumento).push_back('\x1f');
    }
    return result;
}

// The default host reads its parameters and field values from the ledger's own tables, through
// the component's connection: its answers are database reads.
template <typename Default, typename Service>
bool del_host_predeterminado(Service& servicio) {
    return dynamic_cast<Default*>(&servicio) != nullptr;
}

}  // namespace

Variant Contexto::parametro(const std::string& nombre, std::int32_t ambito, const std::string& tipo,
                            const std::string& valor_default) {
    return modulo().lecturas.answer(
        clave({"Get_Parametro", nombre, std::to_string(ambito), tipo, valor_default}),
        del_host_predeterminado<host::DatabaseSistema>(sistema()),
        [&] { return sistema().Get_Parametro(nombre, ambito, tipo, valor_default); });
}

std::string Contexto::valor_campo(const std::string& tabla, const std::string& campo_llave,
                                  const std::string& valor_llave,
                                  const std::string& campo_resultado) {
    return modulo()
        .lecturas
        .answer(clave({"Get_Valor_Campo", tabla, campo_llave, valor_llave, campo_resultado}),
                del_host_predeterminado<host::DatabaseDatos>(datos()),
                [&] {
                    return Variant(datos().Get_Valor_Campo(tabla, campo_llave, valor_llave,
                                                           campo_resultado, 0, "", "", ""));
                })
        .to_text();
}

}  // namespace ledgernova::core
