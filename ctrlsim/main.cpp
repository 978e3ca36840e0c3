// ctrlsim: a simulated traffic-signal controller on 127.0.0.1 (and, on
// request, a pseudo-terminal), the peer for the debugger's tests and demos.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "common/atomic_file.h"
#include "ctrlsim/parameter_file.h"
#include "ctrlsim/program_location.h"
#include "ctrlsim/sim_model.h"
#include "ctrlsim/sim_options.h"
#include "ctrlsim/sim_server.h"
#include "veltro/headless/console_ports.h"
#include "veltro/headless/project.h"

namespace {

// The sample intersection: the copy installed beside the program
// (PREFIX/bin/ctrlsim finds PREFIX/share/roadside-tools/examples/kruispunt),
// else the sources' own when the program runs from a build tree. Packaged
// builds have no source path, so they never look into the build machine.
std::string defaultSampleDirectory() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path program = ctrlsim::programFile();
    if (!program.empty()) {
        const fs::path installed = program.parent_path() / CTRLSIM_INSTALLED_SAMPLE;
        if (fs::is_directory(installed, ec))
            return installed.lexically_normal().string();
    }
    return CTRLSIM_SOURCE_SAMPLE;
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = ctrlsim::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        std::fputs(parsed.message.c_str(), parsed.exitCode == 0 ? stdout : stderr);
        return parsed.exitCode;
    }
    ctrlsim::SimOptions options = *parsed.options;
    if (options.pty) {
        if (const std::string why = ctrlsim::pseudoTerminalUnavailable(); !why.empty()) {
            std::fprintf(stderr, "ctrlsim: --pty: %s\n", why.c_str());
            return 2;
        }
    }
    if (options.directory.empty())
        options.directory = defaultSampleDirectory();
    if (options.directory.empty()) {
        std::fputs("ctrlsim: the sample intersection is not installed; name one with --dir DIR\n",
                   stderr);
        return 1;
    }

    // The definition readers' faults on standard error, so that a faulty
    // directory is explained without disturbing the port lines.
    veltro::headless::Console console(std::cout, std::cerr);
    veltro::headless::ConsoleMessages messages(console, veltro::headless::Stream::Err,
                                               veltro::headless::Shown::Faults);
    veltro::headless::ConsolePrompts boxes(console, veltro::headless::Stream::Err);
    veltro::headless::Project project;
    if (!veltro::headless::loadProject(options.directory, project, messages, boxes))
        return 1;
    veltro::ElementTables& elements = *project.elements;
    veltro::DefinitionTable& table = project.table;

    ctrlsim::SimModel model(elements);
    for (const std::string& file : options.setFiles) {
        if (const auto error = ctrlsim::applyParameterFile(file, table, model)) {
            std::fprintf(stderr, "ctrlsim: %s\n", error->c_str());
            return 2;
        }
    }
    if (const auto error = ctrlsim::applyOverrides(
            options.overrides, table, model, options.faults.ignored, options.faults.rejected)) {
        std::fprintf(stderr, "ctrlsim: %s\n", error->c_str());
        return 2;
    }
    ctrlsim::SimServer server(model, options);
    if (const auto error = server.start()) {
        std::fprintf(stderr, "ctrlsim: %s\n", error->c_str());
        return 1;
    }
    std::printf("port %d\n", server.port());
    if (!server.ptyPath().empty())
        std::printf("pty %s\n", server.ptyPath().c_str());
    std::fflush(stdout);
    server.run();
    if (!options.dumpParameters.empty()) {
        const std::string dump = veltro::tools::formatBackup(
            ctrlsim::parameterDump(model, elements, options.directory));
        std::error_code ec;
        if (!common::writeFileAtomically(options.dumpParameters, dump, &ec)) {
            std::fprintf(stderr, "ctrlsim: --dump-parameters: %s: %s\n",
                         options.dumpParameters.c_str(), ec.message().c_str());
            return 1;
        }
    }
    std::printf("ctrlsim stopped\n");
    return 0;
}
