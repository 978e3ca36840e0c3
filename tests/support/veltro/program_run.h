#pragma once

// Runs a program of the build as a user would from a shell (POSIX only):
// its exit status and what it wrote on standard output and standard error.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace test_support {

struct ProgramResult {
    int code = -1;  // -1 when it did not exit by itself
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& word) {
    std::string q = "'";
    for (char c : word)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// `prefix` goes before the program: a timeout, so that a run that hangs fails
// its test instead of the whole suite (or one that sends Ctrl-C). The output
// files are kept in `dir`; standard input is read from `input`.
inline ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::filesystem::path& dir,
                                const std::string& prefix = "timeout 120",
                                const std::string& input = "/dev/null") {
    std::string command = prefix + " " + shellQuoted(program);
    for (const auto& a : args)
        command += " " + shellQuoted(a);
    const auto out = dir / "stdout.txt";
    const auto err = dir / "stderr.txt";
    command += " >" + shellQuoted(out.string()) + " 2>" + shellQuoted(err.string()) + " <" +
               shellQuoted(input);
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out), readFile(err)};
}

}  // namespace test_support
