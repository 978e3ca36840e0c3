#include <cstdio>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "tonvia/application.h"
#include "tonvia/command_line.h"
#include "tonvia/configuration.h"
#include "tonvia/confil_dump.h"
#include "tonvia/generation_date.h"

namespace {

class ConsoleSink : public tonvia::MessageSink {
  public:
    void writeLine(std::string_view line) override {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
};

int showConfil(const std::string& file) {
    const auto bytes = common::readFileBytes(file);
    if (!bytes) {
        std::fprintf(stderr, "tonvia: %s kan niet worden gelezen\n", file.c_str());
        return 1;
    }
    std::string listing;
    const bool ok = tonvia::dumpConfil(*bytes, listing);
    std::fputs(listing.c_str(), stdout);
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const tonvia::CommandLine line = tonvia::parseCommandLine(arguments);
    switch (line.command) {
        case tonvia::Command::Help:
            std::fputs(tonvia::kUsage, stdout);
            return 0;
        case tonvia::Command::Version:
            std::printf("tonvia %s\n", tonvia::kVersion);
            return 0;
        case tonvia::Command::UsageError:
            std::fprintf(stderr, "tonvia: %s\n%s", line.error.c_str(), tonvia::kUsage);
            return 2;
        case tonvia::Command::Show:
            return showConfil(line.showFile);
        case tonvia::Command::Run:
            break;
    }
    ConsoleSink sink;
    return tonvia::runApplication(line.directoryArgument, line.typeArgument,
                                  tonvia::generationDate(), sink);
}
