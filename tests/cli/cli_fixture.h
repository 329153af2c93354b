#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ledgernova/connection.h"

namespace ledgernova::testing {

// What one run of the program left behind.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;

    bool operator==(const CliRun&) const = default;
};

inline void PrintTo(const CliRun& run, std::ostream* os) {
    *os << "{status " << run.status << ", out " << ::testing::PrintToString(run.out) << ", err "
        << ::testing::PrintToString(run.err) << "}";
}

// A run that exited 0, printed `out` and nothing on standard error.
inline CliRun cli_ok(const std::string& out) {
    return {0, out, ""};
}

// A run that exited with `status`, printed nothing and `err` on standard error.
inline CliRun cli_error(int status, const std::string& err) {
    return {status, "", err};
}

// Runs the built program in a folder of its own, over a real SQLite ledger "ledger.db" there.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ledgernova-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }

    void TearDown() override { std::filesystem::remove_all(dir_); }

    // The program with these arguments, run in the test's folder. `environment` goes before the
    // command (e.g. "LEDGERNOVA_DB=x.db"); LEDGERNOVA_DB is otherwise unset.
    CliRun run(const std::vector<std::string>& arguments, const std::string& environment = "") {
        std::string command = "cd " + shell_word(dir_.string()) + " && env -u LEDGERNOVA_DB " +
                              environment + " " + shell_word(LEDGERNOVA_CLI_PATH);
        for (const auto& argument : arguments) {
            command += " " + shell_word(argument);
        }
        command += " >out.txt 2>err.txt";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file("out.txt"), read_file("err.txt")};
    }

    // The program over the test's ledger: --db ledger.db, then the arguments.
    CliRun ledger(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--db", "ledger.db"});
        return run(arguments);
    }

    std::shared_ptr<db::Connection> connect() const {
        return db::open_sqlite((dir_ / "ledger.db").string());
    }

    // Every row of the query as "a|b|c", one per line.
    std::string query(const std::string& sql) const {
        auto rows = connect()->Execute(sql);
        std::string text;
        for (; !rows.Eof(); rows.MoveNext()) {
            for (std::size_t i = 0; i < rows.Count(); ++i) {
                const Variant value = rows.Fields(i).Value;
                text += (i == 0 ? "" : "|") + (value.is_null() ? "NULL" : value.to_text());
            }
            text += "\n";
        }
        return text;
    }

    // Folios whose charges and credits differ, to the cent.
    std::string unbalanced() const {
        return query(
            "SELECT Pl_Folio FROM Poliza_Detalle GROUP BY Pl_Folio HAVING "
            "ROUND(SUM(CASE WHEN Pd_Tipo = 1 THEN Pd_Importe ELSE 0 END) - "
            "SUM(CASE WHEN Pd_Tipo = 2 THEN Pd_Importe ELSE 0 END), 2) <> 0");
    }

    // The single value the query returns, without the newline.
    std::string scalar(const std::string& sql) const {
        const std::string text = query(sql);
        return text.substr(0, text.size() - 1);
    }

    void execute(const std::string& sql) const { connect()->Execute(sql); }

    void write_file(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name) << text;
    }

    std::string read_file(const std::string& name) const {
        std::ifstream stream(dir_ / name);
        std::stringstream text;
        text << stream.rdbuf();
        return text.str();
    }

    bool exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

    const std::filesystem::path& folder() const { return dir_; }

  private:
    static std::string shell_word(const std::string& text) {
        std::string word = "'";
        for (const char c : text) {
            word += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        return word + "'";
    }

    std::filesystem::path dir_;
};

}  // namespace ledgernova::testing
