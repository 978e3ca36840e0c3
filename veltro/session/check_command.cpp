#include "veltro/session/check_command.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

#include "veltro/headless/command_words.h"
#include "veltro/headless/console_ports.h"
#include "veltro/headless/exit_codes.h"
#include "veltro/session/startup.h"

namespace veltro {

const char* const kCheckUsage =
    "  --check [--strict] [DIR]\n"
    "                 load the macro definitions, ZXAPDEF.H, ZXAPTAB.C and the debug\n"
    "                 window files of DIR (default: the current directory) as the\n"
    "                 debugger's start-up does, and print the message window lines;\n"
    "                 exit 0, 1 when the start-up would fail (with --strict also when\n"
    "                 any warning, error or system message was printed)\n";

namespace {

namespace exit_code = headless::exit_code;

// Holds the windows only as long as the check needs to count them.
class CountingCollector final : public ScreenCollector {
  public:
    int windowCount() const override { return m_count; }
    void addWindow(DebugScreen) override { ++m_count; }

  private:
    int m_count = 0;
};

std::string absoluteDirectory(const std::string& dir) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(dir, ec);
    if (ec)
        path = dir;
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

}  // namespace

int runCheck(const std::string& startDirectory, std::ostream& out, std::ostream& err,
             bool strict) {
    headless::Console console(out, err);
    headless::ConsoleMessages messages(console, headless::Stream::Out,
                                       headless::Shown::Everything);
    headless::ConsolePrompts boxes(console, headless::Stream::Err);
    DefinitionTable definitions;
    auto elements = std::make_unique<ElementTables>();
    CountingCollector windows;
    const StartupOutcome outcome =
        loadStartDirectory(startDirectory, definitions, *elements, messages, windows);
    if (outcome.failed) {
        boxes.messageBox(outcome.boxCaption, outcome.boxText, outcome.boxIcon);
        return exit_code::kFound;
    }
    return strict && messages.faults() > 0 ? exit_code::kFound : exit_code::kSuccess;
}

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    const std::atomic<bool>&) {
    headless::CommandWords words(args);
    bool strict = false;
    std::string directory;
    while (!words.failed() && !words.atEnd()) {
        const std::string word = words.next();
        if (word == "--strict")
            strict = true;
        else if (word.empty())
            words.fail("DIR is empty (leave it out for the current directory)");
        else if (word.starts_with("-"))
            words.fail("unknown option '" + word + "'");
        else if (!directory.empty())
            words.fail("one DIR only; '" + word + "' is a second");
        else
            directory = word;
    }
    if (words.failed())
        return headless::wrongCommandLine(err, words.error(), kCheckUsage);
    return runCheck(absoluteDirectory(directory.empty() ? "." : directory), out, err, strict);
}

}  // namespace veltro
