// Running sorvane-cli from a test: in the background (to kill it) or to its end with its
// standard output and error captured.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/files.h"

#ifndef SORVANE_CLI_PATH
#error "SORVANE_CLI_PATH names the sorvane-cli to test"
#endif

namespace sorvane::testing {

// Starts sorvane-cli; its output goes to the files given, or to /dev/null.
inline pid_t SpawnCli(const std::vector<std::string>& args,
                      const std::string& outFile = "/dev/null",
                      const std::string& errFile = "/dev/null") {
    pid_t pid = fork();
    if (pid == 0) {
        int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        std::string cli = SORVANE_CLI_PATH;
        std::vector<std::string> copy = args;
        std::vector<char*> argv{cli.data()};
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        setenv("TZ", "Asia/Tokyo", 1);
        execv(cli.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status of a spawned run (-1 when it did not exit by itself).
inline int WaitCli(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs sorvane-cli to its end; out and err receive its output (UTF-8).
inline int RunCli(const std::vector<std::string>& args, std::string* out = nullptr,
                  std::string* err = nullptr) {
    char outName[] = "/tmp/sorvane-cli-out-XXXXXX";
    char errName[] = "/tmp/sorvane-cli-err-XXXXXX";
    ::close(mkstemp(outName));
    ::close(mkstemp(errName));
    int status = WaitCli(SpawnCli(args, outName, errName));
    std::string o, e;
    ReadWholeFile(outName, o);
    ReadWholeFile(errName, e);
    ::unlink(outName);
    ::unlink(errName);
    if (out) *out = o;
    if (err) *err = e;
    return status;
}

}  // namespace sorvane::testing
