#include "pendrel/project/screen_database.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <optional>

#include "common/atomic_file.h"
#include "common/file_lookup.h"
#include "common/format.h"
#include "common/text_file.h"

namespace pendrel {
namespace {

constexpr std::size_t kMaxLine = 255;

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// A cursor over one database line that scans fields the way the original
// scanf formats did.
class LineScanner {
  public:
    explicit LineScanner(std::string_view line) : m_line(line) {}

    // "%d": skips white space, then an optional sign and at least one digit.
    std::optional<int> integer() {
        skipSpace();
        std::size_t pos = m_pos;
        bool negative = false;
        if (pos < m_line.size() && (m_line[pos] == '-' || m_line[pos] == '+')) {
            negative = m_line[pos] == '-';
            ++pos;
        }
        std::size_t digitsStart = pos;
        // Held to the range of int, so that every stored int reads back as itself.
        const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
        long long value = 0;
        while (pos < m_line.size() && std::isdigit(static_cast<unsigned char>(m_line[pos]))) {
            value = std::min<long long>(value * 10 + (m_line[pos] - '0'), limit);
            ++pos;
        }
        if (pos == digitsStart) {
            return std::nullopt;
        }
        m_pos = pos;
        return static_cast<int>(negative ? -value : value);
    }

    // "%1s%[^']%c": one non-blank character, then at least one character up
    // to the next apostrophe, then that apostrophe.
    std::optional<std::string> quoted() {
        skipSpace();
        if (m_pos >= m_line.size()) {
            return std::nullopt;
        }
        ++m_pos;
        std::size_t end = m_line.find('\'', m_pos);
        if (end == m_pos || end == std::string_view::npos) {
            return std::nullopt;
        }
        std::string text(m_line.substr(m_pos, end - m_pos));
        m_pos = end + 1;
        return text;
    }

    // The next double-quoted string, or nothing when no complete one follows.
    std::optional<std::string> doubleQuoted() {
        std::size_t open = m_line.find('"', m_pos);
        if (open == std::string_view::npos) {
            return std::nullopt;
        }
        std::size_t close = m_line.find('"', open + 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        m_pos = close + 1;
        return std::string(m_line.substr(open + 1, close - open - 1));
    }

  private:
    void skipSpace() {
        while (m_pos < m_line.size() && isSpace(m_line[m_pos])) {
            ++m_pos;
        }
    }

    std::string_view m_line;
    std::size_t m_pos = 0;
};

std::string capped(std::string text, std::size_t maximum) {
    if (text.size() > maximum) {
        text.resize(maximum);
    }
    return text;
}

std::optional<ItemRecord> parseItem(std::string_view line) {
    LineScanner scan(line);
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
    LineScanner scan(line);
    std::optional<int> column = scan.integer();
    std::optional<int> row = column ? scan.integer() : std::nullopt;
    std::optional<int> width = row ? scan.integer() : std::nullopt;
    std::optional<std::string> text = width ? scan.quoted() : std::nullopt;
    if (!text) {
        return std::nullopt;
    }
    return TextRecord{capped(std::move(*text), kMaxTextLength), *column, *row, *width};
}

// The pieces a line reader of 255 characters returns, without line breaks.
std::vector<std::string> readPieces(std::string_view text) {
    std::vector<std::string> pieces;
    for (const std::string& line : common::splitTextLines(std::string(text))) {
        if (line.empty()) {
            pieces.emplace_back();
        }
        for (std::size_t pos = 0; pos < line.size(); pos += kMaxLine) {
            pieces.push_back(line.substr(pos, kMaxLine));
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

}  // namespace

ScreenList parseScreenDatabase(std::string_view text) {
    ScreenList screens;
    State state = State::None;
    for (const std::string& piece : readPieces(text)) {
        std::string_view line = piece;
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (line.starts_with('#')) {
            state = stateOf(std::string(line));
            continue;
        }
        switch (state) {
            case State::None:
                break;
            case State::Screen: {
                std::optional<std::string> title = LineScanner(line).quoted();
                if (!title) {
                    return screens;
                }
                screens.push_back(
                    ScreenRecord{capped(std::move(*title), kMaxTitleLength), {}, {}});
                break;
            }
            case State::Item: {
                std::optional<ItemRecord> item = parseItem(line);
                if (!item) {
                    return screens;
                }
                // Records before any screen have nothing to belong to.
                if (!screens.empty()) {
                    screens.back().items.push_back(std::move(*item));
                }
                break;
            }
            case State::Text: {
                std::optional<TextRecord> record = parseText(line);
                if (!record) {
                    return screens;
                }
                if (!screens.empty()) {
                    screens.back().texts.push_back(std::move(*record));
                }
                break;
            }
        }
    }
    return screens;
}

std::string formatScreenDatabase(const ScreenList& screens) {
    std::string out;
    for (const ScreenRecord& screen : screens) {
        out += common::format("#SCHERM\n  '%-s'\n", screen.title.c_str());
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
            out += common::format("  %2d %2d %3d '%-s'\n", text.column, text.row, text.width,
                                  text.text.c_str());
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

ScreenList readScreenDatabase(const std::filesystem::path& projectDir) {
    std::optional<std::string> bytes = common::readFileBytes(screenDatabasePath(projectDir));
    if (!bytes) {
        return {};
    }
    return parseScreenDatabase(*bytes);
}

bool writeScreenDatabase(const std::filesystem::path& projectDir, const ScreenList& screens,
                         Prompts& prompts) {
    if (screens.empty()) {
        return true;
    }
    if (!common::writeFileAtomically(screenDatabasePath(projectDir),
                                     formatScreenDatabase(screens))) {
        prompts.warning(common::format("%s kan niet gemaakt worden.", "pendrel.db"));
        return false;
    }
    return true;
}

}  // namespace pendrel
