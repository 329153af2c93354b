#include "support/ledger.h"

#include <unistd.h>

#include <atomic>

#include "db/sql_text.h"
#include "ledgernova/module.h"
#include "ledgernova/schema.h"

namespace ledgernova::testing {

std::filesystem::path make_temp_folder() {
    static std::atomic<int> counter{0};
    auto folder = std::filesystem::temp_directory_path() /
                  ("ledgernova-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

Ledger::Ledger(bool on_disk) : now_(Date::from_ymd(2024, 3, 15, 10, 20, 30)) {
    if (on_disk) {
        folder_ = make_temp_folder();
        path_ = folder_ / "ledger.db";
    }
    direct_ = db::open_sqlite(on_disk ? path_.string() : ":memory:");
    create_schema(*direct_);
    // In memory there is one database per connection, so the component shares the test's.
    auto component = on_disk ? db::open_sqlite(path_.string()) : direct_;
    recorder_ = std::make_shared<db::RecordingConnection>(component);
    restart_module();
}

Ledger::~Ledger() {
    Termina_Modulo();
    set_host_factory(nullptr);
    recorder_.reset();
    direct_.reset();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

void Ledger::restart_module() {
    Termina_Modulo();
    set_host_factory([this] {
        DatabaseHostOptions options;
        options.connection = recorder_;
        options.operador = kOperator;
        options.clock = [this] { return now_; };
        auto objects = make_database_host(std::move(options));
        return wrapper_ ? wrapper_(std::move(objects)) : objects;
    });
}

void Ledger::wrap_host(HostWrapper wrapper) {
    wrapper_ = std::move(wrapper);
    restart_module();
}

void Ledger::attach_process(const std::filesystem::path& path) {
    Termina_Modulo();
    set_host_factory([path] {
        DatabaseHostOptions options;
        options.connection = db::open_sqlite(path.string());
        options.operador = kOperator;
        return make_database_host(std::move(options));
    });
}

void Ledger::set_param(const std::string& name, const std::string& value) {
    direct_->Execute("INSERT OR REPLACE INTO Parametro(Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES('" +
                     db::esc(name) + "', 0, '" + db::esc(value) + "')");
}

void Ledger::add_account(const std::string& account, const std::string& registro,
                         const std::string& resultado) {
    auto literal = [](const std::string& value) {
        return value == "NULL" ? value : "'" + db::esc(value) + "'";
    };
    direct_->Execute(
        "INSERT INTO Cuenta_Contable(Cc_Cve_Cuenta_Contable, Cc_Descripcion, Cc_Registro, "
        "Cc_Resultado) VALUES(" +
        literal(account) + ", 'Cuenta " + db::esc(account) + "', " + literal(registro) + ", " +
        literal(resultado) + ")");
}

std::string render(db::Recordset rows) {
    std::string text;
    for (; !rows.Eof(); rows.MoveNext()) {
        for (std::size_t i = 0; i < rows.Count(); ++i) {
            const Variant value = rows.Fields(i).Value;
            text += (i == 0 ? "" : "|") + (value.is_null() ? std::string("NULL") : value.to_text());
        }
        text += "\n";
    }
    return text;
}

std::string Ledger::rows(const std::string& sql) {
    return render(direct_->Execute(sql));
}

}  // namespace ledgernova::testing
