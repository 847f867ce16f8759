// Running the CLI in process with both streams captured.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli_app.h"

namespace sorvane::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string Slurp(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
    return s;
}

inline CliRun Cli(std::vector<std::string> args, const char* envHome = nullptr,
                  std::unique_ptr<Clock> clock = nullptr) {
    CliStreams s{std::tmpfile(), std::tmpfile(), nullptr};
    CliRun r;
    r.status = CliMain(args, s, envHome, "/nonexistent-exe-dir", std::move(clock));
    r.out = Slurp(s.out);
    r.err = Slurp(s.err);
    return r;
}

}  // namespace sorvane::testing
