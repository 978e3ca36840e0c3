#include "pendrel/project/screen_database.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "common/atomic_file.h"
#include "common/file_lookup.h"
#include "common/format.h"
#include "common/text_file.h"
#include "pendrel/project/database_line.h"
#include "pendrel/project/file_bytes.h"

namespace pendrel {
namespace {

constexpr std::size_t kMaxLine = 255;

std::string capped(std::string text, std::size_t maximum) {
    return fitToField(std::move(text), maximum);
}

std::optional<ItemRecord> parseItem(std::string_view line) {
    DatabaseLine scan(line);
    int* fields[6];
    ItemRecord item;
    fields[0] = &item.rank;
    fields[1] = &item.markerColumn;
    fields[2] = &item.markerRow;
    fields[3] = &item.labelColumn;
    fields[4] = &item.labelRow;
    fields[5] = &item.labelDistance;
    for (int* field : fields) {
        std::optional<int> value = scan.integer();
        if (!value) {
            return std::nullopt;
        }
        *field = *value;
    }
    std::pair<std::string*, std::size_t> strings[] = {
        {&item.marker, kMaxMarkerLength},     {&item.macro, kMaxMacroLength},
        {&item.element1, kMaxElement1Length}, {&item.element2, kMaxElement2Length},
        {&item.label, kMaxLabelLength},
    };
    for (auto& [target, maximum] : strings) {
        std::optional<std::string> text = scan.doubleQuoted();
        if (!text) {
            break;
        }
        *target = capped(std::move(*text), maximum);
    }
    return item;
}

std::optional<TextRecord> parseText(std::string_view line) {
    DatabaseLine scan(line);
    std::optional<int> column = scan.integer();
    std::optional<int> row = column ? scan.integer() : std::nullopt;
    std::optional<int> width = row ? scan.integer() : std::nullopt;
    std::optional<std::string> text = width ? scan.quoted() : std::nullopt;
    if (!text) {
        return std::nullopt;
    }
    return TextRecord{capped(std::move(*text), kMaxTextLength), *column, *row, *width};
}

// One piece of a line as a reader of 255 characters at a time returns it,
// without its line break, with the number of the file's line it comes from.
struct DatabasePiece {
    std::size_t line;
    std::string text;
};

std::vector<DatabasePiece> readDatabasePieces(std::string_view text) {
    std::vector<DatabasePiece> pieces;
    std::size_t number = 0;
    for (const std::string& line : common::splitTextLines(std::string(text))) {
        ++number;
        if (line.empty()) {
            pieces.push_back({number, {}});
        }
        for (std::size_t pos = 0; pos < line.size(); pos += kMaxLine) {
            // A NUL ends the text of a piece, as it ends a C string.
            std::string piece = line.substr(pos, kMaxLine);
            piece.resize(std::min(piece.find('\0'), piece.size()));
            pieces.push_back({number, std::move(piece)});
        }
    }
    return pieces;
}

enum class State { None, Screen, Item, Text };

State stateOf(std::string line) {
    std::transform(line.begin(), line.end(), line.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (line.find("#SCHERM") != std::string::npos) {
        return State::Screen;
    }
    if (line.find("#ITEM") != std::string::npos) {
        return State::Item;
    }
    if (line.find("#TEKST") != std::string::npos) {
        return State::Text;
    }
    return State::None;
}

// One line of a record into `screens`; false when it does not parse.
bool takeLine(State state, std::string_view line, ScreenList& screens) {
    switch (state) {
        case State::None:
            return true;
        case State::Screen: {
            std::optional<std::string> title = DatabaseLine(line).quoted();
            if (title) {
                screens.push_back(
                    ScreenRecord{capped(std::move(*title), kMaxTitleLength), {}, {}});
            }
            return title.has_value();
        }
        case State::Item: {
            std::optional<ItemRecord> item = parseItem(line);
            // Records before any screen have nothing to belong to.
            if (item && !screens.empty()) {
                screens.back().items.push_back(std::move(*item));
            }
            return item.has_value();
        }
        case State::Text: {
            std::optional<TextRecord> text = parseText(line);
            if (text && !screens.empty()) {
                screens.back().texts.push_back(std::move(*text));
            }
            return text.has_value();
        }
    }
    return false;
}

}  // namespace

ScreenDatabase parseScreenDatabase(std::string_view text) {
    ScreenDatabase database;
    State state = State::None;
    for (const DatabasePiece& piece : readDatabasePieces(text)) {
        std::string_view line = piece.text;
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (line.starts_with('#')) {
            state = stateOf(std::string(line));
        } else if (!takeLine(state, line, database.screens)) {
            database.stoppedAt = piece.line;
            break;
        }
    }
    return database;
}

std::string formatScreenDatabase(const ScreenList& screens) {
    std::string out;
    for (const ScreenRecord& screen : screens) {
        out += "#SCHERM\n  " + quotedText(screen.title) + "\n";
        for (const ItemRecord& item : screen.items) {
            out += "  #ITEM\n";
            out += common::format("  %2d %2d %2d %2d %2d %3d \"%s\" \"%s\" \"%s\" \"%s\" \"%s\"\n",
                                  item.rank, item.markerColumn, item.markerRow, item.labelColumn,
                                  item.labelRow, item.labelDistance, item.marker.c_str(),
                                  item.macro.c_str(), item.element1.c_str(), item.element2.c_str(),
                                  item.label.c_str());
        }
        for (const TextRecord& text : screen.texts) {
            out += "  #TEKST\n";
            out += common::format("  %2d %2d %3d ", text.column, text.row, text.width);
            out += quotedText(text.text) + "\n";
        }
    }
    return out;
}

std::filesystem::path screenDatabasePath(const std::filesystem::path& projectDir) {
    if (auto found = common::findFileIgnoreCase(projectDir, kScreenDatabaseName)) {
        return *found;
    }
    return projectDir / kScreenDatabaseName;
}

ScreenDatabase readScreenDatabase(const std::filesystem::path& projectDir) {
    const std::filesystem::path path = screenDatabasePath(projectDir);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return {};
    }
    std::optional<std::string> bytes = readFileContents(path);
    if (!bytes) {
        ScreenDatabase unread;
        unread.unreadable = true;
        return unread;
    }
    return parseScreenDatabase(*bytes);
}

std::string incompleteDatabaseWarning(const ScreenDatabase& database) {
    if (database.unreadable) {
        return "De file pendrel.db kan niet worden geopend.\n"
               "Er zijn geen zelf gedefinieerde debugschermen ingelezen.";
    }
    if (database.stoppedAt) {
        return common::format(
            "De file pendrel.db kan vanaf regel %zu niet gelezen worden.\n"
            "De debugschermen vanaf die regel zijn niet ingelezen.",
            *database.stoppedAt);
    }
    return {};
}

std::string replaceIncompleteQuestion(const ScreenDatabase& database) {
    const std::string what =
        database.stoppedAt ? common::format(
                                 "vanaf regel %zu niet ingelezen.\nOpslaan vervangt de file: de "
                                 "debugschermen vanaf die regel gaan dan verloren.",
                                 *database.stoppedAt)
                           : std::string(
                                 "niet gelezen.\nOpslaan vervangt de file: wat erin stond, gaat "
                                 "dan verloren.");
    return "De file pendrel.db is bij het openen " + what + "\n\nToch opslaan?";
}

bool writeScreenDatabase(const std::filesystem::path& projectDir, const ScreenList& screens,
                         Prompts& prompts) {
    const std::filesystem::path path = screenDatabasePath(projectDir);
    std::error_code error;
    if (screens.empty() && !std::filesystem::exists(path, error)) {
        return true;
    }
    if (!common::writeFileAtomically(path, formatScreenDatabase(screens))) {
        prompts.warning(common::format("%s kan niet gemaakt worden.", "pendrel.db"));
        return false;
    }
    return true;
}

std::optional<std::string> unstorableText(std::string_view text, std::size_t maxLength) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            return "Een tekst in pendrel.db kan geen tab of regelovergang bevatten.";
        }
    }
    if (text.size() > maxLength) {
        return common::format(
            "De tekst is te lang: pendrel.db bewaart ten hoogste %zu tekens\n"
            "(een letter met een accent telt daarbij voor twee).",
            maxLength);
    }
    return std::nullopt;
}

}  // namespace pendrel
