#include "rendall/rendall_run.h"

#include <fstream>
#include <optional>

#include "common/atomic_file.h"
#include "common/file_lookup.h"
#include "common/format.h"
#include "common/text_file.h"
#include "rendall/definition_reader.h"
#include "rendall/definitions_text.h"
#include "rendall/dump_converter.h"
#include "rendall/dump_reader.h"
#include "rendall/errors.h"
#include "rendall/listing.h"
#include "rendall/name_table.h"
#include "rendall/text_util.h"

namespace fs = std::filesystem;

namespace rendall {
namespace {

constexpr std::string_view kTitle = "RENDALL - Postprocessor voor dump ZAV Tiral\n\n";
constexpr std::string_view kUsage = "Gebruik: RENDALL <Dump filenaam> <Output filenaam>\n";
constexpr std::string_view kClosingBanner =
    "\n\n"
    "    RENDALL versie 1.18\n"
    "    Onderhoud: afdeling Verkeersregeltechniek, ZAV\n"
    "    Vragen en storingen: servicedesk verkeersregelinstallaties\n";
constexpr std::string_view kDefaultDump = "ZXF.DMP";
constexpr std::string_view kDefaultOutput = "DUMP.OUT";
constexpr std::string_view kDefinitionsFile = "ZXAPDEF.H";
constexpr std::size_t kMaxFileName = 80;
constexpr std::size_t kMaxIntersectionName = 60;
constexpr std::string_view kUnknownIntersection = "ONBEKEND";
constexpr std::string_view kBeep = "\a";

std::string upperCased(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// Everything up to and including the last separator of a file name.
std::string directoryPart(const std::string& name) {
    const std::size_t last = name.find_last_of("/\\");
    return last == std::string::npos ? std::string() : name.substr(0, last + 1);
}

// At most `maxBytes` of a file, or nothing when it cannot be read.
std::optional<std::string> readFilePrefix(const fs::path& path, std::size_t maxBytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(maxBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
    if (in.bad())
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

class Run {
  public:
    Run(const std::vector<std::string>& args, Console& console, fs::path workDir)
        : m_console(console), m_workDir(std::move(workDir)) {
        if (args.size() == 1 || args.size() == 2)
            m_dumpArgument = args[0];
        if (args.size() == 2)
            m_outputArgument = args[1];
        m_dumpName = upperCased(m_dumpArgument);
        m_outputName = upperCased(m_outputArgument);
    }

    int execute() {
        m_console.write(kTitle);
        if (!m_dumpArgument.empty() && m_dumpArgument[0] == '?') {
            m_console.write(kUsage);
            m_console.write(kClosingBanner);
            return 0;
        }
        const Error error = convert();
        m_console.write("\r" + std::string(70, ' '));
        if (!error.ok())
            m_console.write("\rFout opgetreden !!!\n" + error.message);
        m_console.write("\n");
        m_console.write(kClosingBanner);
        return error.code;
    }

  private:
    Error convert() {
        if (m_dumpName.size() > kMaxFileName)
            return makeError(kFileMissing, m_dumpName);
        if (m_outputName.size() > kMaxFileName)
            return makeError(kWriteFailed, m_outputName);
        Error error = confirmOverwrite();
        if (!error.ok())
            return error;
        std::string dumpBytes;
        std::string headerText;
        if (error = readInputs(dumpBytes, headerText); !error.ok())
            return error;
        m_console.write(common::format("\rFilenaam dumpfile = %s\n\n", m_dumpName.c_str()));
        m_console.write(common::format("Filenaam output   = %s\n\n", m_outputName.c_str()));
        std::string intersection;
        if (error = readIntersectionName(intersection); !error.ok())
            return error;
        HeaderChoice choice;
        if (error = askHeaderChoice(headerText, choice); !error.ok())
            return error;

        Definitions definitions;
        if (error = loadDefinitions(headerText, choice, definitions); !error.ok())
            return error;
        std::string listing;
        if (error = convertDump(dumpBytes, definitions, intersection, listing); !error.ok())
            return error;
        m_console.write("\rSchrijven naar file");
        if (error = writeListing(listing); !error.ok())
            return error;
        m_console.write("\rProgramma goed doorlopen\n");
        return {};
    }

    Error loadDefinitions(std::string_view headerText, HeaderChoice choice,
                          Definitions& definitions) {
        std::string prepared;
        Error error = prepareDefinitionsText(headerText, choice, prepared);
        if (!error.ok())
            return error;
        m_console.write("\rInlezen ZXAPDEF.H");
        return readDefinitions(prepared, definitions);
    }

    Error convertDump(std::string_view dumpBytes, const Definitions& definitions,
                      std::string_view intersection, std::string& listing) {
        m_console.write("\r\rInlezen dumpfile ");
        std::string text;
        DumpValues values;
        Error error = extractDumpText(dumpBytes, m_dumpName, text);
        if (error.ok())
            error = readDumpValues(text, m_dumpName, values);
        if (!error.ok())
            return error;
        m_console.write("\rConverteren dump");
        const NameTable names(definitions);
        std::string note;
        error = convertDumpText(text, names, note);
        m_console.write(note);
        if (!error.ok())
            return error;
        return buildListing(text, values, names, intersection, m_dumpName, listing);
    }

    // The path of a name as the user gave it: backslashes separate too, and
    // relative names are taken in the working directory.
    fs::path pathOf(const std::string& name) const {
        std::string portable = name;
        for (char& c : portable) {
            if (c == '\\')
                c = '/';
        }
        const fs::path path(portable);
        return path.is_absolute() ? path : m_workDir / path;
    }

    // The file to write: the existing one whose name differs only in case,
    // else the upper-case name in the (case-insensitively found) directory.
    fs::path outputPath() const {
        const fs::path path = pathOf(m_outputName);
        if (auto existing = common::resolvePathIgnoreCase(path))
            return *existing;
        if (auto directory = common::resolvePathIgnoreCase(path.parent_path())) {
            return *directory / path.filename();
        }
        return path;
    }

    Error confirmOverwrite() {
        if (!common::resolvePathIgnoreCase(pathOf(m_outputName)))
            return {};
        m_console.write(
            common::format("Outputfile %s bestaat al, vervangen (J/N) ", m_outputName.c_str()));
        for (;;) {
            const Key key = m_console.readKey();
            if (isInterrupt(key))
                return makeError(kAborted);
            if (key.kind != Key::Kind::Byte)
                continue;
            if (key.byte == 'N' || key.byte == 'n')
                return makeError(kNoOverwrite, m_outputName);
            if (key.byte == 'J' || key.byte == 'j')
                break;
        }
        m_console.write("\r" + std::string(70, ' '));
        return {};
    }

    Error readInputs(std::string& dumpBytes, std::string& headerText) {
        const auto dumpPath = common::resolvePathIgnoreCase(pathOf(m_dumpName));
        // Enough bytes for the characters that are read, carriage returns included.
        auto dump = dumpPath ? readFilePrefix(*dumpPath, 2 * kMaxDumpChars + 1) : std::nullopt;
        if (!dump)
            return makeError(kFileMissing, m_dumpName);
        dumpBytes = std::move(*dump);
        const std::string headerName = directoryPart(m_dumpName) + std::string(kDefinitionsFile);
        const auto headerPath = common::resolvePathIgnoreCase(pathOf(headerName));
        std::error_code ec;
        auto header = headerPath && fs::is_regular_file(*headerPath, ec)
                          ? common::readFileBytes(*headerPath)
                          : std::nullopt;
        if (!header)
            return makeError(kFileMissing, headerName);
        headerText = textModeChars(*header, header->size());
        return {};
    }

    static bool isInterrupt(const Key& key) {
        return key.kind == Key::Kind::End || (key.kind == Key::Kind::Byte && key.byte == kCtrlC);
    }

    Error readIntersectionName(std::string& name) {
        m_console.write("Naam kruispunt: ");
        while (name.size() < kMaxIntersectionName) {
            const Key key = m_console.readKey();
            if (isInterrupt(key))
                return makeError(kAborted);
            const unsigned char c = key.byte;
            if (key.kind != Key::Kind::Byte) {
                m_console.write(kBeep);
            } else if (c == '\r' || c == '\n') {
                break;
            } else if (c == '\b' || c == 0x7f) {
                if (name.empty()) {
                    m_console.write(kBeep);
                } else {
                    name.pop_back();
                    m_console.write("\b \b");
                }
            } else if (c >= 0x20 && c < 0x7f) {
                name.push_back(static_cast<char>(c));
                m_console.write(std::string(1, static_cast<char>(c)));
            } else {
                m_console.write(kBeep);
            }
        }
        if (name.empty()) {
            name = kUnknownIntersection;
            m_console.write(name);
        }
        m_console.write("\n\n");
        return {};
    }

    Error askHeaderChoice(std::string_view headerText, HeaderChoice& choice) {
        if (!hasPcOmgevingBlock(headerText))
            return {};
        choice.asked = true;
        m_console.write("#ifdef pc_omgeving gevonden. Als gedefinieerd beschouwen? (J/N): ");
        m_console.write(kBeep);
        for (;;) {
            const Key key = m_console.readKey();
            if (isInterrupt(key))
                return makeError(kAborted);
            const char c = static_cast<char>(key.byte);
            if (key.kind == Key::Kind::Byte && (c == 'J' || c == 'j' || c == 'N' || c == 'n')) {
                choice.defined = c == 'J' || c == 'j';
                m_console.write(std::string(1, c) + "\n");
                return {};
            }
            m_console.write(kBeep);
        }
    }

    Error writeListing(const std::string& listing) {
        common::AtomicFileWriter writer(outputPath());
        if (!writer.open() || !writer.write(listing) || !writer.commit()) {
            return makeError(kWriteFailed, m_outputName);
        }
        return {};
    }

    Console& m_console;
    fs::path m_workDir;
    std::string m_dumpArgument{kDefaultDump};
    std::string m_outputArgument{kDefaultOutput};
    std::string m_dumpName;
    std::string m_outputName;
};

}  // namespace

int runRendall(const std::vector<std::string>& args, Console& console, const fs::path& workDir) {
    return Run(args, console, workDir).execute();
}

}  // namespace rendall
