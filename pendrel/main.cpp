#include <iostream>
#include <string>
#include <vector>

#include "pendrel/generate_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::cout << pendrel::usageText();
        return args.empty() ? 2 : 0;
    }
    return pendrel::runGenerateCommand(args, std::cout, std::cerr);
}
