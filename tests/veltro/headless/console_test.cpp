#include "veltro/headless/console.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "veltro/headless/console_ports.h"

namespace veltro::headless {
namespace {

TEST(OneLine, LineBreaksBecomeSlashesWithoutTheBlanksBeforeThem) {
    const struct {
        std::string text;
        std::string line;
    } cases[] = {
        {"Verschil bij tijd T1\nWaarde in broncode is  4.50, in regeling 4",
         "Verschil bij tijd T1 / Waarde in broncode is  4.50, in regeling 4"},
        {"bestand 'X' \nkon niet worden geopend.", "bestand 'X' / kon niet worden geopend."},
        {"Het macrodefinitie bestand is niet correct. \n",
         "Het macrodefinitie bestand is niet correct."},
        {"LOG : Geen geldig argument.\nArgument[0]: COM9",
         "LOG : Geen geldig argument. / "
         "Argument[0]: COM9"},
        {"  ingesprongen", "  ingesprongen"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(oneLine(c.text), c.line) << c.text;
}

// The lines are those of the message window; a command that shows only
// faults leaves out information and debug lines but counts what it shows.
TEST(ConsoleMessages, ComposeAsTheMessageWindowAndCountFaults) {
    for (const Shown shown : {Shown::Everything, Shown::Faults}) {
        std::ostringstream out;
        std::ostringstream err;
        Console console(out, err);
        ConsoleMessages messages(console, Stream::Err, shown);
        messages.message(message_kind::kInformation, "macrodef.plo", " : Inlezen");
        messages.setContextPrefix("/p/DEBUG_001.PLO");
        messages.setLinePrefix(27);
        messages.message(message_kind::kWarning, "'SG03' is niet gedefinieerd");
        messages.setLinePrefix(0);
        messages.message(message_kind::kError, "Van item ", "2", " ontbreekt");
        messages.setContextPrefix({});
        messages.message(message_kind::kDebug, "spoor");
        messages.message(message_kind::kSystem, "Er is geen verbinding aanwezig.");
        const std::string warning =
            "/p/DEBUG_001.PLO : (27) : waarschuwing : 'SG03' is niet gedefinieerd\n";
        const std::string error = "/p/DEBUG_001.PLO : fout : Van item 2 ontbreekt\n";
        const std::string system = "systeem melding : Er is geen verbinding aanwezig.\n";
        if (shown == Shown::Everything)
            EXPECT_EQ(err.str(), "macrodef.plo : Inlezen\n" + warning + error +
                                     "DEBUG MELDING : spoor\n" + system);
        else
            EXPECT_EQ(err.str(), warning + error + system);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(messages.faults(), 3);
    }
}

TEST(ConsolePrompts, BoxesAreLinesAndQuestionsAreAnsweredNo) {
    std::ostringstream out;
    std::ostringstream err;
    Console console(out, err);
    ConsolePrompts prompts(console, Stream::Out);
    prompts.messageBox("VELTRO", "Eerste\nTweede", PromptIcon::Error);
    EXPECT_FALSE(prompts.askYesNo("VELTRO", "Opslaan?", PromptIcon::Question));
    EXPECT_EQ(prompts.askText("VELTRO", "Naam:", "x"), std::nullopt);
    EXPECT_EQ(out.str(), "Eerste / Tweede\nOpslaan?\n");
    EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace veltro::headless
