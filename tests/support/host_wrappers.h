#pragma once

#include <memory>
#include <string>
#include <utility>

#include "ledgernova/host.h"

namespace ledgernova::testing {

// Host objects that pass every call to real ones; a test overrides the calls it must control.
class DelegatingSistema : public ServiciosSistema {
  public:
    explicit DelegatingSistema(std::shared_ptr<ServiciosSistema> inner)
        : inner_(std::move(inner)) {}
    db::Connection& Get_Conexion() override { return inner_->Get_Conexion(); }
    std::string Get_Operador() override { return inner_->Get_Operador(); }
    Variant Get_Parametro(const std::string& Nombre, std::int32_t Ambito, const std::string& Tipo,
                          const std::string& Valor_Default) override {
        return inner_->Get_Parametro(Nombre, Ambito, Tipo, Valor_Default);
    }
    void Mostrar_Mensaje(const std::string& Mensaje, std::int32_t Estilo, const std::string& Titulo,
                         std::intptr_t Ventana, const std::string& Aplicacion,
                         const std::string& Id_Error) override {
        inner_->Mostrar_Mensaje(Mensaje, Estilo, Titulo, Ventana, Aplicacion, Id_Error);
    }

  private:
    std::shared_ptr<ServiciosSistema> inner_;
};

class DelegatingDatos : public ServiciosDatos {
  public:
    explicit DelegatingDatos(std::shared_ptr<ServiciosDatos> inner) : inner_(std::move(inner)) {}
    std::string Get_Valor_Campo(const std::string& Tabla, const std::string& Campo_Llave,
                                const std::string& Valor_Llave, const std::string& Campo_Resultado,
                                std::int32_t Ambito, const std::string& Texto1,
                                const std::string& Texto2, const std::string& Texto3) override {
        return inner_->Get_Valor_Campo(Tabla, Campo_Llave, Valor_Llave, Campo_Resultado, Ambito,
                                       Texto1, Texto2, Texto3);
    }
    Date Get_Fecha_Servidor() override { return inner_->Get_Fecha_Servidor(); }
    std::int64_t Get_Consecutivo(const std::string& Tabla, const std::string& Campo,
                                 const std::string& Llave1, const std::string& Valor1,
                                 const std::string& Llave2, const std::string& Valor2,
                                 const std::string& Llave3, const std::string& Valor3,
                                 const std::string& Formato) override {
        return inner_->Get_Consecutivo(Tabla, Campo, Llave1, Valor1, Llave2, Valor2, Llave3, Valor3,
                                       Formato);
    }
    Variant Get_Folio(const std::string& Prefijo, const std::string& Tabla, std::int32_t Longitud,
                      bool Reservar) override {
        return inner_->Get_Folio(Prefijo, Tabla, Longitud, Reservar);
    }
    std::string Get_Consecutivo_Detalle(const std::string& Tabla, const std::string& Campo,
                                        const std::string& Llave1, const std::string& Valor1,
                                        const std::string& Llave2,
                                        const std::string& Valor2) override {
        return inner_->Get_Consecutivo_Detalle(Tabla, Campo, Llave1, Valor1, Llave2, Valor2);
    }
    bool Valida_Periodo_Operativo(Date Fecha, const std::string& Modulo,
                                  std::int32_t Ambito) override {
        return inner_->Valida_Periodo_Operativo(Fecha, Modulo, Ambito);
    }
    std::string Formato_Numero_SQL(const Variant& Valor, std::int32_t Decimales) override {
        return inner_->Formato_Numero_SQL(Valor, Decimales);
    }
    std::string Formato_Fecha_SQL(Date Fecha) override { return inner_->Formato_Fecha_SQL(Fecha); }
    std::string Formato_Fecha_Hora_SQL(Date Fecha) override {
        return inner_->Formato_Fecha_Hora_SQL(Fecha);
    }
    std::string Get_Consecutivo_Condicion(const std::string& Tabla, const std::string& Campo,
                                          const std::string& Condicion,
                                          const std::string& Formato) override {
        return inner_->Get_Consecutivo_Condicion(Tabla, Campo, Condicion, Formato);
    }

  private:
    std::shared_ptr<ServiciosDatos> inner_;
};

}  // namespace ledgernova::testing
