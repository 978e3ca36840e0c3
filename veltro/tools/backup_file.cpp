#include "veltro/tools/backup_file.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "veltro/tools/categories.h"

namespace veltro::tools {

namespace {

constexpr std::string_view kColumns = "categorie;parameter;element;naar;ruw;waarde;antwoord";
constexpr std::string_view kProjectWord = "project";
constexpr std::string_view kAnswered = "ja";
constexpr std::string_view kUnanswered = "nee";
constexpr std::size_t kRowFields = 7;

std::vector<std::string_view> split(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t semicolon = line.find(';');
        fields.push_back(line.substr(0, semicolon));
        if (semicolon == std::string_view::npos)
            return fields;
        line.remove_prefix(semicolon + 1);
    }
}

std::optional<std::int32_t> wholeNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Whether `text` is `raw` in the source's unit, however many decimals it
// was written with ("4.5" and "4.50" both say 45 at scale 10).
bool saysSameValue(std::string_view text, std::int32_t raw, int scale) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return false;
    return std::fabs(value * scale - static_cast<double>(raw)) < 1e-6;
}

// The next line without its line break (and a carriage return before it).
std::string_view nextLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// A data row, or the reason it is none.
std::optional<BackupRow> parseRow(std::string_view line, std::string& error) {
    const std::vector<std::string_view> f = split(line);
    if (f.size() != kRowFields) {
        error = "a row has " + std::to_string(kRowFields) + " fields, this one " +
                std::to_string(f.size());
        return std::nullopt;
    }
    BackupRow row{std::string(f[0]), std::string(f[1]), std::string(f[2]), std::string(f[3]),
                  std::nullopt};
    Category c{};
    if (!categoryFromWord(row.category, c)) {
        error = "unknown category '" + row.category + "'";
        return std::nullopt;
    }
    if (row.parameter.empty() || row.element.empty()) {
        error = "the parameter or the element is missing";
        return std::nullopt;
    }
    if (row.toElement.empty() != (c != Category::Ontruimingstijden)) {
        error = c == Category::Ontruimingstijden ? "a clearance time needs its to-signal-group"
                                                 : "only a clearance time has a to-signal-group";
        return std::nullopt;
    }
    if (f[6] == kUnanswered) {
        if (!f[4].empty() || !f[5].empty()) {
            error = "an unanswered parameter has no value";
            return std::nullopt;
        }
        return row;
    }
    if (f[6] != kAnswered) {
        error = "'antwoord' is \"ja\" or \"nee\", not '" + std::string(f[6]) + "'";
        return std::nullopt;
    }
    row.raw = wholeNumber(f[4]);
    if (!row.raw) {
        error = "'" + std::string(f[4]) + "' is not a whole number";
        return std::nullopt;
    }
    if (!saysSameValue(f[5], *row.raw, scaleOf(c))) {
        error = "'ruw' " + std::string(f[4]) + " and 'waarde' " + std::string(f[5]) +
                " are not the same value";
        return std::nullopt;
    }
    return row;
}

// "project;NAME;DATE".
bool parseOrigin(std::string_view line, BackupOrigin& origin) {
    const std::vector<std::string_view> f = split(line);
    if (f.size() != 3 || f[0] != kProjectWord)
        return false;
    origin = {std::string(f[1]), std::string(f[2])};
    return true;
}

// A project's name may hold what a row cannot.
std::string fieldText(std::string text) {
    for (char& c : text) {
        if (c == ';' || c == '\n' || c == '\r')
            c = '_';
    }
    return text;
}

}  // namespace

std::string inSourceUnit(std::int32_t raw, int scale) {
    if (scale <= 1)
        return std::to_string(raw);
    const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(raw));
    std::string fraction = std::to_string(magnitude % scale);
    const std::size_t digits = std::to_string(scale).size() - 1;
    fraction.insert(0, digits - fraction.size(), '0');
    return (raw < 0 ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
}

std::string formatBackup(const Backup& backup) {
    std::string text(kBackupFirstLine);
    text += "\n";
    text += std::string(kProjectWord) + ";" + fieldText(backup.origin.project) + ";" +
            fieldText(backup.origin.definitions) + "\n";
    text += std::string(kColumns) + "\n";
    for (const BackupRow& row : backup.rows) {
        Category c{};
        categoryFromWord(row.category, c);
        text += row.category + ";" + row.parameter + ";" + row.element + ";" + row.toElement + ";";
        if (row.raw)
            text += std::to_string(*row.raw) + ";" + inSourceUnit(*row.raw, scaleOf(c)) + ";";
        else
            text += ";;";
        text += std::string(row.raw ? kAnswered : kUnanswered) + "\n";
    }
    return text;
}

BackupReading parseBackup(std::string_view text) {
    BackupReading reading;
    Backup backup;
    int number = 0;
    int headerLines = 0;  // first line, project, columns
    while (!text.empty()) {
        const std::string_view line = nextLine(text);
        ++number;
        if (headerLines == 0) {
            if (line != kBackupFirstLine) {
                reading.error = line.starts_with("veltro parameterbackup ")
                                    ? "version '" + std::string(line.substr(23)) + "' is not known"
                                    : "not a veltro parameter backup";
                reading.line = number;
                return reading;
            }
            ++headerLines;
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        std::string error;
        if (headerLines == 1) {
            if (!parseOrigin(line, backup.origin))
                error = "the project line (project;NAME;DATE) is missing";
        } else if (headerLines == 2) {
            if (line != kColumns)
                error = "the column line is not \"" + std::string(kColumns) + "\"";
        } else if (auto row = parseRow(line, error)) {
            backup.rows.push_back(std::move(*row));
        }
        if (!error.empty()) {
            reading.error = error;
            reading.line = number;
            return reading;
        }
        headerLines = std::min(headerLines + 1, 3);
    }
    if (headerLines < 3) {
        reading.error = headerLines == 0 ? "the file is empty" : "the file ends in its heading";
        reading.line = number;
        return reading;
    }
    reading.backup = std::move(backup);
    return reading;
}

}  // namespace veltro::tools
