#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/contexto.h"
#include "db/sql_text.h"
#include "ledgernova/polizas.h"
#include "support/ledger.h"

namespace ledgernova::testing {

// The twelve electronic-detail columns of a template line that has none.
inline const std::string kNoElectronicDetail =
    " ''  as Pcd_Tipo_Detalle_1, \r\n"
    " ''  as Pcd_Comando_Detalle_1,  \r\n"
    " ''  as Pcd_Tipo_Detalle_2, \r\n"
    " ''  as Pcd_Comando_Detalle_2, \r\n"
    " ''  as Pcd_Tipo_Detalle_3, \r\n"
    " ''  as Pcd_Comando_Detalle_3,  \r\n"
    " ''  as Pcd_Tipo_Detalle_4, \r\n"
    " ''  as Pcd_Comando_Detalle_4,  \r\n"
    " ''  as Pcd_Tipo_Detalle_5, \r\n"
    " ''  as Pcd_Comando_Detalle_5, \r\n"
    " ''  as Pcd_Tipo_Detalle_6,\r\n"
    " ''  as Pcd_Comando_Detalle_6, \r\n";

struct TablaFuente {
    std::string tabla = "Compras";
    std::string modulo = "COM";
    std::string campo_dia = "Compras.Fecha";
    std::string campo_movimiento = "Compras.Folio";
    std::string contabiliza_linea = "SI";
    std::string modo_contabiliza{};
};

struct Plantilla {
    std::string clave = "CMP";
    std::string descripcion = "Compras a proveedor";
    std::string tabla = "Compras";
    std::string tipo = "2";
    std::string referencia = "Compras.Folio";
    std::string comentario{};
    std::string relacion = "Compras";
};

struct LineaPlantilla {
    std::string clave = "CMP";
    int id = 1;
    std::string descripcion{};
    std::string cuenta{};
    std::string centro{};
    std::string concepto{};
    std::string referencia{};
    std::string cargo{};
    std::string abono{};
    std::string relacion{};
    std::string condicion{};
};

// A fresh ledger whose template tables the test fills, and the state of one voucher object for
// the builders to act on. Statements the component runs are recorded from the first call on.
class TemplateStore : public ::testing::Test {
  protected:
    // `on_disk`: a ledger that other processes and threads can reach (Ledger::connect).
    explicit TemplateStore(bool on_disk = false) : ledger(on_disk) { ledger.recorder().clear(); }

    Ledger ledger;
    Polizas object;
    core::Contexto contexto{object};

    static std::string q(const std::string& value) { return "'" + db::esc(value) + "'"; }
    void execute(const std::string& sql) { (void)ledger.direct().Execute(sql); }
    const std::vector<std::string>& statements() { return ledger.recorder().statements(); }

    void add_table(const TablaFuente& t = {}) {
        execute(
            "INSERT INTO Poliza_Configuracion_Tabla(Pc_Tabla, Pc_Modulo, Pc_Campo_Dia, "
            "Pc_Campo_Movimiento, Pc_Contabiliza_Linea, Pc_Modo_Contabiliza) VALUES(" +
            q(t.tabla) + ", " + q(t.modulo) + ", " + q(t.campo_dia) + ", " + q(t.campo_movimiento) +
            ", " + q(t.contabiliza_linea) + ", " + q(t.modo_contabiliza) + ")");
    }
    void add_template(const Plantilla& p = {}) {
        execute(
            "INSERT INTO Poliza_Configuracion(Pc_Cve_Poliza_Configuracion, Pc_Descripcion, "
            "Pc_Tabla, Pc_Tipo, Pc_Referencia, Pc_Comentario, Pc_Relacion) VALUES(" +
            q(p.clave) + ", " + q(p.descripcion) + ", " + q(p.tabla) + ", " + q(p.tipo) + ", " +
            q(p.referencia) + ", " + q(p.comentario) + ", " + q(p.relacion) + ")");
    }
    void add_condition(int id, const std::string& valor, const std::string& clave = "CMP") {
        execute(
            "INSERT INTO Poliza_Configuracion_Condicion(Pc_Cve_Poliza_Configuracion, Pcc_ID, "
            "Pcc_Valor) VALUES(" +
            q(clave) + ", " + std::to_string(id) + ", " + q(valor) + ")");
    }
    void add_line(const LineaPlantilla& l) {
        execute(
            "INSERT INTO Poliza_Configuracion_Detalle(Pc_Cve_Poliza_Configuracion, Pcd_ID, "
            "Pcd_Descripcion, Pcd_Cuenta_Contable, Pcd_Centro_Costo, Pcd_Concepto, "
            "Pcd_Referencia, Pcd_Cargo, Pcd_Abono, Pcd_Relacion, Pcd_Condicion) VALUES(" +
            q(l.clave) + ", " + std::to_string(l.id) + ", " + q(l.descripcion) + ", " +
            q(l.cuenta) + ", " + q(l.centro) + ", " + q(l.concepto) + ", " + q(l.referencia) +
            ", " + q(l.cargo) + ", " + q(l.abono) + ", " + q(l.relacion) + ", " + q(l.condicion) +
            ")");
    }
    void add_electronic(int linea, int id, const std::string& tipo, const std::string& comando,
                        const std::string& clave = "CMP") {
        execute(
            "INSERT INTO Poliza_Configuracion_Detalle_Electronico(Pc_Cve_Poliza_Configuracion, "
            "Pcd_Id, Pcde_Id, Pcde_Tipo, Pcde_Comando) VALUES(" +
            q(clave) + ", " + std::to_string(linea) + ", " + std::to_string(id) + ", " + q(tipo) +
            ", " + q(comando) + ")");
    }
};

}  // namespace ledgernova::testing
