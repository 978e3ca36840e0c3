#include "tonvia/command_line.h"

#include "common/format.h"
#include "tonvia/line_reader.h"

namespace tonvia {

const char* const kUsage =
    "Gebruik: tonvia [DIRECTORY [TYPE]]\n"
    "         tonvia --show BESTAND\n"
    "Schrijft CONFIL voor de simulator SIMTRA uit ZXAPDEF.H en ZXAPTAB.C in DIRECTORY\n"
    "(standaard de huidige directory).\n"
    "TYPE: 101 (ZAV C, standaard), 102 (ZAV CRS) of 103 (ZAV TDI).\n"
    "--show BESTAND  toont de records van een CONFIL-bestand leesbaar\n";

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    std::vector<std::string> positional;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "-h" || argument == "--help")) {
            line.command = Command::Help;
            return line;
        } else if (options && argument == "--version") {
            line.command = Command::Version;
            return line;
        } else if (options && argument == "--show") {
            if (i + 1 >= arguments.size()) {
                line.command = Command::UsageError;
                line.error = "optie --show verwacht een bestandsnaam";
                return line;
            }
            line.command = Command::Show;
            line.showFile = arguments[++i];
        } else if (options && argument.size() > 1 && argument[0] == '-' && positional.empty()) {
            line.command = Command::UsageError;
            line.error = common::format("onbekende optie '%s'", argument.c_str());
            return line;
        } else {
            positional.push_back(argument);
        }
    }
    const std::size_t allowed = line.command == Command::Show ? 0 : 2;
    if (positional.size() > allowed) {
        line.command = Command::UsageError;
        line.error = common::format("te veel argumenten ('%s')", positional[allowed].c_str());
        return line;
    }
    if (!positional.empty()) {
        line.directoryArgument = positional[0];
    }
    if (positional.size() > 1) {
        line.typeArgument = positional[1];
    }
    return line;
}

std::string sourceDirectory(std::string_view argument, std::string& error) {
    error.clear();
    std::size_t end = argument.size();
    while (end > 0 && isBlank(argument[end - 1])) {
        --end;
    }
    if (end == 0) {
        return ".";
    }
    if (end > kMaxDirectoryLength) {
        error = common::format("Fout: naam van directory is langer dan %zu tekens",
                               kMaxDirectoryLength);
        return {};
    }
    return std::string(argument.substr(0, end));
}

int controllerType(std::string_view argument) {
    std::size_t i = 0;
    while (i < argument.size() && isBlank(argument[i])) {
        ++i;
    }
    bool negative = false;
    if (i < argument.size() && (argument[i] == '-' || argument[i] == '+')) {
        negative = argument[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < argument.size() && argument[i] >= '0' && argument[i] <= '9'; ++i) {
        value = value * 10 + (argument[i] - '0');
        if (value > 1000) {
            return 101;  // neither 102 nor 103, however it goes on
        }
    }
    if (negative) {
        return 101;
    }
    return value == 102 || value == 103 ? static_cast<int>(value) : 101;
}

}  // namespace tonvia
