#include "pendrel/generate_command.h"

#include <charconv>
#include <optional>
#include <ostream>

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

// Fills `options`; an error text on failure.
std::string parseOptions(const std::vector<std::string>& args, Options& options) {
    options.settings.selected = testSelection();
    bool haveExt = false;
    bool haveName = false;
    std::optional<std::string> target;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            return args[++i];
        };
        if (arg == "--generate") {
            std::optional<std::string> dir = value();
            if (!dir) {
                return "--generate needs a project directory";
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
                return "--select needs category numbers 1 to 28, separated by commas";
            }
        } else if (arg == "--start") {
            std::optional<std::string> text = value();
            std::optional<int> number = text ? parseInt(*text) : std::nullopt;
            if (!text || !number) {
                return "Please enter an integer.";
            }
            if (*number < 0 || *number > 101) {
                return common::format("Please enter an integer between %d and %d.", 0, 101);
            }
            options.settings.startNumber = *number;
        } else if (arg == "--ext" || arg == "--name") {
            std::optional<std::string> text = value();
            std::size_t limit = arg == "--ext" ? 3 : 5;
            if (!text) {
                return arg + " needs a value";
            }
            if (text->size() > limit) {
                return common::format("Please enter no more than %zu characters.", limit);
            }
            (arg == "--ext" ? haveExt : haveName) = true;
            (arg == "--ext" ? options.settings.extension : options.settings.name) = *text;
            options.settings.scheme =
                arg == "--ext" ? NamingScheme::Extension : NamingScheme::Name;
        } else if (arg == "--target") {
            target = value();
            if (!target) {
                return "--target needs a directory";
            }
        } else if (arg == "--pc-omgeving") {
            std::optional<std::string> answer = value();
            if (!answer || (*answer != "ja" && *answer != "nee")) {
                return "--pc-omgeving needs ja or nee";
            }
            options.pcOmgeving = *answer == "ja";
        } else if (arg == "--overwrite") {
            options.existing = Prompts::ExistingFile::OverwriteAll;
        } else if (arg == "--next") {
            options.existing = Prompts::ExistingFile::NextNumber;
        } else {
            return "unknown option " + arg;
        }
    }
    if (options.projectDir.empty()) {
        return "no project directory: use --generate DIR";
    }
    if (haveExt && haveName) {
        return "--ext and --name exclude each other";
    }
    options.settings.targetDirectory = target ? *target : options.projectDir;
    return {};
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
