#include <iostream>
#include <string>
#include <vector>

#include "pendrel/generate_command.h"
#if PENDREL_DESKTOP
#include "pendrel/gui/application.h"
#endif

#if PENDREL_DESKTOP
namespace {

// Qt's own options (-style, -platform ...) start with one dash.
bool isToolkitOption(const std::string& arg) {
    return arg.size() > 2 && arg[0] == '-' && arg[1] != '-';
}

}  // namespace
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << pendrel::usageText();
        return 0;
    }
#if PENDREL_DESKTOP
    if (args.empty() || isToolkitOption(args[0])) {
        return pendrel::gui::runDesktop(argc, argv);
    }
#else
    if (args.empty()) {
        std::cout << pendrel::usageText();
        return 2;
    }
#endif
    return pendrel::runGenerateCommand(args, std::cout, std::cerr);
}
