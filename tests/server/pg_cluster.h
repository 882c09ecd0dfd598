#pragma once
// A throwaway PostgreSQL cluster in a temporary folder, on a free port, for one test. As root it
// runs as the postgres user (PostgreSQL refuses root). Available() is false, with the reason in
// Why(), only when the PostgreSQL programs are not installed.
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "tests/common/temp_folder.h"

namespace servertest {

class PgCluster {
  public:
    PgCluster() : folder_("quor-pg") {
        bin_ = FindBin();
        if (bin_.empty()) {
            why_ = "PostgreSQL is not installed (no initdb under /usr/lib/postgresql/*/bin)";
            return;
        }
        const bool root = geteuid_is_root();
        run_ = root ? "runuser -u postgres -- " : "";
        if (root) Sh("chown -R postgres " + Q(folder_.Path().string()));
        const std::string data = (folder_.Path() / "data").string();
        if (Sh(run_ + Q(bin_ + "/initdb") + " -D " + Q(data) + " -A trust -U qv --no-sync >/dev/null 2>&1") !=
            0) {
            why_ = "initdb failed";
            return;
        }
        std::random_device rd;
        for (int attempt = 0; attempt < 20 && !started_; ++attempt) {
            port_ = 20000 + static_cast<int>(rd() % 30000);
            const std::string opts = "-p " + std::to_string(port_) + " -k " + folder_.Path().string() +
                                     " -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200";
            started_ = Sh(run_ + Q(bin_ + "/pg_ctl") + " -D " + Q(data) + " -o " + Q(opts) + " -l " +
                          Q((folder_.Path() / "log").string()) + " -w -t 60 start >/dev/null 2>&1") == 0;
        }
        if (!started_) why_ = "the cluster did not start";
    }
    ~PgCluster() {
        if (started_) {
            Sh(run_ + Q(bin_ + "/pg_ctl") + " -D " + Q((folder_.Path() / "data").string()) +
               " -m immediate -w stop >/dev/null 2>&1");
        }
    }
    bool Available() const { return started_; }
    const std::string& Why() const { return why_; }
    std::string Uri(const std::string& db = "postgres") const {
        return "postgresql://qv@127.0.0.1:" + std::to_string(port_) + "/" + db;
    }

  private:
    static std::string Q(const std::string& s) { return "'" + s + "'"; }
    static int Sh(const std::string& cmd) { return std::system(cmd.c_str()); }
    static bool geteuid_is_root() { return std::system("test \"$(id -u)\" = 0") == 0; }
    static std::string FindBin() {
        namespace fs = std::filesystem;
        std::error_code ec;
        std::string best;
        for (const auto& e : fs::directory_iterator("/usr/lib/postgresql", ec)) {
            const fs::path bin = e.path() / "bin";
            if (fs::exists(bin / "initdb") && fs::exists(bin / "pg_ctl")) best = std::max(best, bin.string());
        }
        return best;
    }

    testsupport::TempFolder folder_;
    std::string bin_, run_, why_;
    int port_ = 0;
    bool started_ = false;
};

}  // namespace servertest
