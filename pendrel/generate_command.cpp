#include "pendrel/generate_command.h"

#include <charconv>
#include <functional>
#include <optional>
#include <ostream>
#include <set>

#include "common/format.h"
#include "pendrel/generator/categories.h"
#include "pendrel/generator/generator.h"

namespace pendrel {
namespace {

// Answers the designer's questions from the command line options.
class CommandLinePrompts : public Prompts {
  public:
    CommandLinePrompts(std::ostream& err, bool pcOmgeving, ExistingFile existing)
        : m_err(err), m_pcOmgeving(pcOmgeving), m_existing(existing) {}

    void warning(std::string_view text) override { m_err << text << '\n'; }
    void information(std::string_view, std::string_view text) override { m_err << text << '\n'; }
    // The run's only other question, about a header newer than the
    // database, is answered yes: the run goes on with the sources as they are.
    bool askYesNo(std::string_view, std::string_view text) override { return answer(text, true); }
    bool askPcOmgeving(std::string_view, std::string_view text) override {
        return answer(text, m_pcOmgeving);
    }
    std::optional<std::string> askText(std::string_view caption, std::string_view text,
                                       std::string_view) override {
        m_err << caption << ": " << text << '\n';
        return std::nullopt;
    }
    ExistingFile askExistingFile(std::string_view text) override {
        m_err << text << '\n';
        if (m_existing == ExistingFile::Cancel) {
            m_err << "Geen antwoord: --overwrite overschrijft, --next neemt het volgende "
                     "nummer.\n";
        }
        return m_existing;
    }

  private:
    bool answer(std::string_view question, bool yes) {
        m_err << question << ' ' << (yes ? "Ja" : "Nee") << '\n';
        return yes;
    }

    std::ostream& m_err;
    bool m_pcOmgeving;
    ExistingFile m_existing;
};

class StreamProgress : public Progress {
  public:
    explicit StreamProgress(std::ostream& out) : m_out(out) {}
    void open(std::string_view) override {}
    void add(std::string_view line) override { m_out << line << '\n'; }
    void close() override { m_out.flush(); }

  private:
    std::ostream& m_out;
};

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "1,14,..." into the selection; false on a number outside 1..28.
bool parseSelection(const std::string& list, std::array<bool, kCategoryCount>& selected) {
    selected.fill(false);
    std::size_t pos = 0;
    while (pos <= list.size()) {
        std::size_t comma = list.find(',', pos);
        std::string item =
            list.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        std::optional<int> number = parseInt(item);
        if (!number || *number < 1 || *number > static_cast<int>(kCategoryCount)) {
            return false;
        }
        selected[static_cast<std::size_t>(*number - 1)] = true;
        if (comma == std::string::npos) {
            break;
        }
        pos = comma + 1;
    }
    return true;
}

struct Options {
    std::string projectDir;
    GenerationSettings settings;
    bool pcOmgeving = false;
    Prompts::ExistingFile existing = Prompts::ExistingFile::Cancel;
};

constexpr int kLowestStart = 0;
constexpr int kHighestStart = 101;

std::string startMessage(const std::optional<std::string>& given) {
    std::string text = common::format("--start verwacht een geheel getal van %d tot en met %d",
                                      kLowestStart, kHighestStart);
    return given ? text + ", niet \"" + *given + "\"" : text;
}

// The names the options give must be names the run can number: checked
// here, before any source is read, rather than asked for by the run.
std::string checkFileNames(const GenerationSettings& settings) {
    const std::string first =
        firstFileName(settings.scheme, settings.startNumber, settings.extension, settings.name);
    if (settings.scheme == NamingScheme::Name &&
        (!isValidDebugFileName(first) || settings.name.find('.') != std::string::npos)) {
        return common::format(
            "--name verwacht precies vijf tekens zonder punt, / of \\ (files NAME_001.dbg), "
            "niet \"%s\"",
            settings.name.c_str());
    }
    if (settings.scheme == NamingScheme::Extension && !isValidDebugFileName(first)) {
        return common::format(
            "--ext verwacht ten hoogste drie tekens zonder / of \\ (files debug_001.EXT), "
            "niet \"%s\"",
            settings.extension.c_str());
    }
    return {};
}

// One option and its value into `options`; the message for a wrong one.
std::string parseOption(const std::string& arg,
                        const std::function<std::optional<std::string>()>& value,
                        Options& options) {
    if (arg == "--generate") {
        std::optional<std::string> dir = value();
        if (!dir) {
            return "--generate verwacht een projectdirectory";
        }
        options.projectDir = *dir;
    } else if (arg == "--test") {
        options.settings.selected = testSelection();
    } else if (arg == "--afname") {
        options.settings.selected = acceptanceSelection();
    } else if (arg == "--none") {
        options.settings.selected.fill(false);
    } else if (arg == "--select") {
        std::optional<std::string> list = value();
        if (!list || !parseSelection(*list, options.settings.selected)) {
            return "--select verwacht categorienummers van 1 tot en met 28, gescheiden door "
                   "komma's";
        }
    } else if (arg == "--start") {
        std::optional<std::string> text = value();
        std::optional<int> number = text ? parseInt(*text) : std::nullopt;
        if (!number || *number < kLowestStart || *number > kHighestStart) {
            return startMessage(text);
        }
        options.settings.startNumber = *number;
    } else if (arg == "--ext" || arg == "--name") {
        std::optional<std::string> text = value();
        if (!text) {
            return arg == "--ext" ? "--ext verwacht een extensie" : "--name verwacht een naam";
        }
        (arg == "--ext" ? options.settings.extension : options.settings.name) = *text;
        options.settings.scheme = arg == "--ext" ? NamingScheme::Extension : NamingScheme::Name;
    } else if (arg == "--target") {
        std::optional<std::string> target = value();
        if (!target || target->empty()) {
            return "--target verwacht een directory";
        }
        options.settings.targetDirectory = *target;
    } else if (arg == "--pc-omgeving") {
        std::optional<std::string> answer = value();
        if (!answer || (*answer != "ja" && *answer != "nee")) {
            return "--pc-omgeving verwacht ja of nee";
        }
        options.pcOmgeving = *answer == "ja";
    } else if (arg == "--overwrite") {
        options.existing = Prompts::ExistingFile::OverwriteAll;
    } else if (arg == "--next") {
        options.existing = Prompts::ExistingFile::NextNumber;
    } else {
        return "onbekende optie " + arg;
    }
    return {};
}

// Fills `options`; an error text on failure.
std::string parseOptions(const std::vector<std::string>& args, Options& options) {
    options.settings.selected = testSelection();
    std::set<std::string> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            return args[++i];
        };
        seen.insert(args[i]);
        if (std::string error = parseOption(args[i], value, options); !error.empty()) {
            return error;
        }
    }
    if (options.projectDir.empty()) {
        return "geen projectdirectory: gebruik --generate DIR";
    }
    if (seen.count("--ext") != 0 && seen.count("--name") != 0) {
        return "--ext en --name sluiten elkaar uit";
    }
    if (seen.count("--overwrite") != 0 && seen.count("--next") != 0) {
        return "--overwrite en --next sluiten elkaar uit";
    }
    if (options.settings.targetDirectory.empty()) {
        options.settings.targetDirectory = options.projectDir;
    }
    return checkFileNames(options.settings);
}

}  // namespace

std::string usageText() {
    std::string text =
        "Gebruik: pendrel                          opent het venster van de ontwerper\n"
        "         pendrel --generate DIR [opties]  genereert zonder venster\n"
        "  --test | --afname | --none | --select 1,14,...   categorieen (standaard --test)\n"
        "  --start N          start filenummering (0..101, standaard 1)\n"
        "  --ext EXT          namen debug_???.EXT\n"
        "  --name NAME        namen NAME_???.dbg (vijf tekens)\n"
        "  --target DIR2      doeldirectory (standaard DIR)\n"
        "  --pc-omgeving ja|nee   antwoord op de pc_omgeving vraag (standaard nee)\n"
        "  --overwrite        bestaande files overschrijven (Alles overschrijven)\n"
        "  --next             bij een bestaande file het volgende nummer nemen\n"
        "Categorieen:\n";
    for (const Category& category : categories()) {
        text +=
            common::format("  %2d  %s\n", category.number, std::string(category.checkBox).c_str());
    }
    return text;
}

int runGenerateCommand(const std::vector<std::string>& args, std::ostream& out,
                       std::ostream& err) {
    Options options;
    if (std::string error = parseOptions(args, options); !error.empty()) {
        err << "pendrel: " << error << '\n' << usageText();
        return 2;
    }
    CommandLinePrompts prompts(err, options.pcOmgeving, options.existing);
    StreamProgress progress(out);
    Project project(options.projectDir);
    GenerationResult result = runGeneration(project, options.settings, prompts, progress);
    return result == GenerationResult::Completed ? 0 : 1;
}

}  // namespace pendrel
