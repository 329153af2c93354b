#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "ledgernova/host.h"

namespace ledgernova::host {

// What the two default host objects share: the connection, the operator and the clock.
struct HostContext {
    std::shared_ptr<db::Connection> connection;
    std::string operador;
    Clock clock;
};

class DatabaseSistema final : public ServiciosSistema {
  public:
    explicit DatabaseSistema(std::shared_ptr<HostContext> context) : context_(std::move(context)) {}

    db::Connection& Get_Conexion() override { return *context_->connection; }
    std::string Get_Operador() override { return context_->operador; }
    Variant Get_Parametro(const std::string& Nombre, std::int32_t Ambito, const std::string& Tipo,
                          const std::string& Valor_Default) override;
    void Mostrar_Mensaje(const std::string& Mensaje, std::int32_t Estilo, const std::string& Titulo,
                         std::intptr_t Ventana, const std::string& Aplicacion,
                         const std::string& Id_Error) override;

  private:
    std::shared_ptr<HostContext> context_;
};

class DatabaseDatos final : public ServiciosDatos {
  public:
    explicit DatabaseDatos(std::shared_ptr<HostContext> context) : context_(std::move(context)) {}

    std::string Get_Valor_Campo(const std::string& Tabla, const std::string& Campo_Llave,
                                const std::string& Valor_Llave, const std::string& Campo_Resultado,
                                std::int32_t Ambito, const std::string& Texto1,
                                const std::string& Texto2, const std::string& Texto3) override;
    Date Get_Fecha_Servidor() override { return context_->clock(); }
    std::int64_t Get_Consecutivo(const std::string& Tabla, const std::string& Campo,
                                 const std::string& Llave1, const std::string& Valor1,
                                 const std::string& Llave2, const std::string& Valor2,
                                 const std::string& Llave3, const std::string& Valor3,
                                 const std::string& Formato) override;
    Variant Get_Folio(const std::string& Prefijo, const std::string& Tabla, std::int32_t Longitud,
                      bool Reservar) override;
    std::string Get_Consecutivo_Detalle(const std::string& Tabla, const std::string& Campo,
                                        const std::string& Llave1, const std::string& Valor1,
                                        const std::string& Llave2,
                                        const std::string& Valor2) override;
    bool Valida_Periodo_Operativo(Date Fecha, const std::string& Modulo,
                                  std::int32_t Ambito) override;
    std::string Formato_Numero_SQL(const Variant& Valor, std::int32_t Decimales) override;
    std::string Formato_Fecha_SQL(Date Fecha) override { return Fecha.iso_date(); }
    std::string Formato_Fecha_Hora_SQL(Date Fecha) override { return Fecha.iso_date_time(); }
    std::string Get_Consecutivo_Condicion(const std::string& Tabla, const std::string& Campo,
                                          const std::string& Condicion,
                                          const std::string& Formato) override;

  private:
    // Reserves the next value of `campo` among the rows of `tabla` that satisfy `condicion`,
    // remembering it under that condition so that no other caller receives it.
    std::int64_t reserve_next(const std::string& tabla, const std::string& campo,
                              const std::string& condicion);
    db::Connection& connection() { return *context_->connection; }

    std::shared_ptr<HostContext> context_;
};

// Throws db::UsageError unless the text is a plain SQL identifier.
void require_identifier(std::string_view name);

}  // namespace ledgernova::host
