#include <filesystem>
#include <string>
#include <vector>

#include "rendall/rendall_run.h"
#include "rendall/terminal_console.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    std::filesystem::path workDir = std::filesystem::current_path(ec);
    if (ec)
        workDir = ".";
    rendall::TerminalConsole console;
    return rendall::runRendall(args, console, workDir);
}
