// veltro: the controller debugger. The windows come with the Qt front-end;
// this entry point serves the headless check of a project directory.
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "veltro/session/check_command.h"
#include "veltro/tools/headless/tool_commands.h"

namespace {

constexpr std::string_view kUsage =
    "usage: veltro --check [DIR]\n"
    "  --check [DIR]  load the macro definitions, ZXAPDEF.H, ZXAPTAB.C and the debug\n"
    "                 window files of DIR (default: the current directory) as the\n"
    "                 debugger's start-up does, and print the message window lines\n";

std::string absoluteDirectory(const std::string& dir) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(dir, ec);
    if (ec) {
        path = dir;
    }
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const int extra = argc - 1;
    if (extra >= 1 && std::string_view(argv[1]) == "--help") {
        std::cout << kUsage << veltro::tools::kToolCommandUsage;
        return 0;
    }
    if (extra >= 1 && extra <= 2 && std::string_view(argv[1]) == "--check") {
        const std::string dir = extra == 2 ? argv[2] : ".";
        return veltro::runCheck(absoluteDirectory(dir), std::cout, std::cerr);
    }
    if (extra >= 1 && (std::string_view(argv[1]) == "--verschillen" ||
                       std::string_view(argv[1]) == "--aanpassen")) {
        return veltro::tools::runToolCommand(std::vector<std::string>(argv + 1, argv + argc),
                                             std::cout, std::cerr);
    }
    std::cerr << "veltro: the debugger windows are not available in this build\n" << kUsage;
    return 2;
}
