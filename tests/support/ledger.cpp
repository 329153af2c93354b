#include "support/ledger.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>

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

namespace {

const char* server_connection_string() {
    const char* value = std::getenv("LEDGERNOVA_TEST_ODBC");
    return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

bool Ledger::on_server() {
    return server_connection_string() != nullptr;
}

Ledger::Ledger(bool on_disk) : now_(Date::from_ymd(2024, 3, 15, 10, 20, 30)) {
    const char* server = server_connection_string();
    auto component = server != nullptr ? open_server(server, on_disk) : open_embedded(on_disk);
    recorder_ = std::make_shared<db::RecordingConnection>(component);
    restart_module();
}

// Returns the component's connection; in memory there is one database per connection, so the
// component shares the test's.
std::shared_ptr<db::Connection> Ledger::open_embedded(bool on_disk) {
    if (on_disk) {
        folder_ = make_temp_folder();
        path_ = folder_ / "ledger.db";
    }
    direct_ = db::open_sqlite(on_disk ? path_.string() : ":memory:");
    create_schema(*direct_);
    return on_disk ? db::open_sqlite(path_.string()) : direct_;
}

// A schema of its own per ledger keeps tests apart, also when ctest runs several at once; it is
// much cheaper than a database per test. Returns the component's connection.
std::shared_ptr<db::Connection> Ledger::open_server(const std::string& connection, bool two) {
    static std::atomic<int> counter{0};
    server_connection_ = connection;
    server_schema_ = "ln_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    direct_ = db::open_odbc(connection);
    direct_->Execute("DROP SCHEMA IF EXISTS " + server_schema_ + " CASCADE; CREATE SCHEMA " +
                     server_schema_);
    direct_->Execute("SET search_path TO " + server_schema_);
    create_schema(*direct_);
    if (!two) {
        return direct_;
    }
    folder_ = make_temp_folder();
    path_ = folder_ / "ledger.db";
    return connect();
}

std::shared_ptr<db::Connection> Ledger::connect() const {
    if (server_schema_.empty()) {
        return db::open_sqlite(path_.string());
    }
    auto connection = db::open_odbc(server_connection_);
    connection->Execute("SET search_path TO " + server_schema_);
    return connection;
}

// A lock still held elsewhere must not hang the run: the schema is then left to the throw-away
// cluster.
void Ledger::drop_server_schema() noexcept {
    try {
        while (direct_->TransactionDepth() > 0) {
            direct_->RollbackTrans();
        }
        direct_->Execute("SET lock_timeout = '5s'; DROP SCHEMA " + server_schema_ + " CASCADE");
    } catch (const std::exception&) {
    }
}

Ledger::~Ledger() {
    Termina_Modulo();
    set_host_factory(nullptr);
    recorder_.reset();
    if (!server_schema_.empty()) {
        drop_server_schema();
    }
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

void Ledger::attach_process() const {
    Termina_Modulo();
    set_host_factory([this] {
        DatabaseHostOptions options;
        options.connection = connect();
        options.operador = kOperator;
        return make_database_host(std::move(options));
    });
}

void Ledger::refuse_rows(const std::string& name, const std::string& event,
                         const std::string& table, const std::string& when,
                         const std::string& message) {
    if (!on_server()) {
        direct_->Execute("CREATE TRIGGER " + name + " BEFORE " + event + " ON " + table +
                         (when.empty() ? "" : " WHEN " + when) + " BEGIN SELECT RAISE(ABORT, '" +
                         db::esc(message) + "'); END");
        return;
    }
    direct_->Execute("CREATE FUNCTION " + name +
                     "() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN RAISE EXCEPTION '" +
                     db::esc(message) + "'; END$$");
    direct_->Execute("CREATE TRIGGER " + name + " BEFORE " + event + " ON " + table +
                     " FOR EACH ROW" + (when.empty() ? "" : " WHEN (" + when + ")") +
                     " EXECUTE FUNCTION " + name + "()");
}

void Ledger::drop_refusal(const std::string& name, const std::string& table) {
    direct_->Execute(on_server() ? "DROP TRIGGER " + name + " ON " + table
                                 : "DROP TRIGGER " + name);
}

void Ledger::set_param(const std::string& name, const std::string& value) {
    const std::string key = "Pa_Nombre = '" + db::esc(name) + "' AND Pa_Ambito = 0";
    direct_->Execute("DELETE FROM Parametro WHERE " + key);
    direct_->Execute("INSERT INTO Parametro(Pa_Nombre, Pa_Ambito, Pa_Valor) VALUES('" +
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

std::vector<Variant> values(const db::Recordset& row) {
    std::vector<Variant> out;
    for (std::size_t i = 0; i < row.Count(); ++i) {
        out.push_back(row.Fields(i).Value);
    }
    return out;
}

std::string Ledger::rows(const std::string& sql) {
    return render(direct_->Execute(sql));
}

}  // namespace ledgernova::testing
