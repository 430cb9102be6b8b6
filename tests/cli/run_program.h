// Runs the built orvane-cli with arguments and bytes on its standard input,
// and gives back its exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace cli_test {

struct Ran {
    int status = -1;
    std::string out, err;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The program's input, output and error go through files in a scratch
// folder, so any bytes (NUL included) pass and no pipe can fill up.
inline Ran Run(const std::vector<std::string>& args, const std::string& input) {
    static const std::string dir = [] {
        char pattern[] = "/tmp/orvane_cli_test_XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made != nullptr ? made : "/tmp");
    }();
    const std::string in = dir + "/in", out = dir + "/out", err = dir + "/err";
    std::ofstream(in, std::ios::binary) << input;
    Ran ran;
    const pid_t child = fork();
    if (child == 0) {
        if (!freopen(in.c_str(), "rb", stdin) || !freopen(out.c_str(), "wb", stdout) ||
            !freopen(err.c_str(), "wb", stderr))
            _exit(127);
        std::vector<char*> argv{const_cast<char*>(ORVANE_CLI_PATH)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(ORVANE_CLI_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) ran.status = WEXITSTATUS(status);
    ran.out = Slurp(out);
    ran.err = Slurp(err);
    return ran;
}

}  // namespace cli_test
