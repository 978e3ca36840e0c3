#include "veltro/screens/item_definitions.h"

#include <array>
#include <limits>
#include <string>

#include "common/format.h"
#include "veltro/definitions/macro_kind.h"
#include "veltro/definitions/text_scan.h"

namespace veltro {
namespace {

constexpr std::string_view kNoDefinitions = "De bijbehorende item definities ontbreken volledig";
constexpr std::string_view kBadItemNumber = "Code van twee cijfers met daarna een spatie verwacht";
constexpr std::string_view kNotDefined = "' is niet gedefinieerd in de definitie bestanden.";
constexpr std::string_view kDigitLetter = "Ongeoorloofde cijfer en letter combinatie: ";
constexpr const char* kNotOnScreen = "Item nummer %d komt niet voor op het venster";
constexpr const char* kDefinedBefore = "Item nummer %d is al eerder gedefinieerd";
constexpr const char* kNoFunction =
    "Van item nummer %d ontbreken de functie code en het signaalgroepnr";
constexpr const char* kFunctionTooHigh = "Van item nummer %d is de functie code %d. ";
constexpr std::string_view kFunctionLimit = "Dit moet kleiner zijn dan 512";
constexpr const char* kNoFirst = "Van item nummer %d ontbreekt het signaalgroepnr. ";
constexpr const char* kFirstTooHigh = "Van item nummer %d is signaalgroepnr %d. ";
constexpr std::string_view kFirstLimit = "Dit moet kleiner zijn dan 256";
constexpr const char* kCrossingTooHigh = "Van item nummer %d is signaalgroepnr/kruispuntnr %d. ";
constexpr std::string_view kCrossingLimit = "Dit moet kleiner zijn dan 26000";
constexpr const char* kNoBlock = "Van item nummer %d ontbreekt het bloknr. ";
constexpr const char* kBlockTooHigh = "Van item nummer %d is het bloknr. %d. ";
constexpr std::string_view kBlockLimit = "Dit moet kleiner zijn dan 48.";
constexpr const char* kMissingDefinition = "Definitie lijst mist de definitie voor scherm item %d";
constexpr std::string_view kIndexedBefore = " is reeds eerder in dit scherm gedefinieerd.";

constexpr int kMaxFunctionCode = 511;
constexpr int kMaxElement = 255;
constexpr int kMaxCrossing = 26000;
constexpr int kMaxBlock = 47;

using scan::isDigit;
bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}
bool isPrintable(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u > 0x20 && u < 0x7F) || u >= 0x80;
}

int saturatedNumber(std::string_view digits) {
    long long value = 0;
    for (char c : digits) {
        value = std::min(value * 10 + (c - '0'), 1LL * std::numeric_limits<int>::max());
    }
    return static_cast<int>(value);
}

// The three fields of a definition line, each a number, a defined name or -1.
std::array<int, 3> readFields(std::string_view line, const DefinitionTable& definitions,
                              Messages& messages) {
    std::array<int, 3> fields = {-1, -1, -1};
    std::size_t pos = 3;
    std::string_view badRest;  // once set, every further field repeats its warning
    for (int& field : fields) {
        if (!badRest.empty()) {
            messages.message(message_kind::kWarning, kDigitLetter, badRest);
            continue;
        }
        while (pos < line.size() && !isPrintable(line[pos])) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < line.size() && isPrintable(line[pos])) {
            ++pos;
        }
        const std::string_view word = line.substr(start, pos - start);
        if (word.empty()) {
            continue;
        }
        if (!isDigit(word.front())) {
            field = definitions.lookup(word);
            if (field == -1 && !definitions.contains(word)) {
                messages.message(message_kind::kWarning, "'", word, kNotDefined);
            }
            continue;
        }
        std::size_t digits = 0;
        while (digits < word.size() && isDigit(word[digits])) {
            ++digits;
        }
        if (digits < word.size()) {
            badRest = line.substr(start);
            messages.message(message_kind::kWarning, kDigitLetter, badRest);
            continue;
        }
        field = saturatedNumber(word);
    }
    return fields;
}

// The first item of every item number, in reading order.
using FirstItems = std::array<int, 100>;

FirstItems firstItems(const DebugScreen& screen) {
    FirstItems first;
    first.fill(-1);
    for (const DebugItem& item : screen.items()) {
        int& slot = first[static_cast<std::size_t>(item.itemNumber)];
        if (slot < 0) {
            slot = item.index;
        }
    }
    return first;
}

enum class LineResult { Stored, Skipped, Fatal };

LineResult skip(Messages& messages, int kind, const std::string& a, std::string_view b = {}) {
    messages.message(kind, a, b);
    return LineResult::Skipped;
}

// The element numbers that the macro kind asks for, within their limits.
LineResult checkElements(std::string_view line, int number, const MacroKind& kind, int first,
                         int block, Messages& messages) {
    if (kind.needsFirst) {
        if (first < 0) {
            return skip(messages, message_kind::kError, common::format(kNoFirst, number));
        }
        const bool wide = line.find("inst_EPARM") != std::string_view::npos ||
                          line.find("inst_EGGPARM") != std::string_view::npos ||
                          line.find("REGSTAT") != std::string_view::npos;
        if (first > kMaxElement && !wide) {
            return skip(messages, message_kind::kWarning,
                        common::format(kFirstTooHigh, number, first), kFirstLimit);
        }
        if (first > kMaxCrossing) {
            return skip(messages, message_kind::kWarning,
                        common::format(kCrossingTooHigh, number, first), kCrossingLimit);
        }
    }
    if (kind.needsBlock) {
        if (block < 0) {
            messages.message(message_kind::kError, common::format(kNoBlock, number));
            return LineResult::Fatal;
        }
        if (block > kMaxBlock) {
            return skip(messages, message_kind::kError,
                        common::format(kBlockTooHigh, number, block), kBlockLimit);
        }
    }
    return LineResult::Stored;
}

LineResult defineItem(std::string_view line, const DefinitionTable& definitions,
                      const FirstItems& firstOfNumber, DebugScreen& screen, Messages& messages) {
    constexpr int kWarning = message_kind::kWarning;
    if (line.size() < 3 || !isDigit(line[1]) || !isSeparator(line[2])) {
        return skip(messages, kWarning, std::string(kBadItemNumber));
    }
    const int number = (line[0] - '0') * 10 + (line[1] - '0');
    const auto [function, first, second] = readFields(line, definitions, messages);
    const int index = firstOfNumber[static_cast<std::size_t>(number)];
    if (index < 0) {
        return skip(messages, kWarning, common::format(kNotOnScreen, number));
    }
    if (screen.item(index).functionCode >= 0) {
        return skip(messages, kWarning, common::format(kDefinedBefore, number));
    }
    if (function < 0) {
        return skip(messages, kWarning, common::format(kNoFunction, number));
    }
    if (function > kMaxFunctionCode) {
        return skip(messages, kWarning, common::format(kFunctionTooHigh, number, function),
                    kFunctionLimit);
    }
    const MacroKind kind = macroKind(function);
    // A kind with a block only has it where the first element would stand.
    const int block = kind.needsFirst ? second : first;
    const LineResult checked = checkElements(line, number, kind, first, block, messages);
    if (checked != LineResult::Stored) {
        return checked;
    }
    DebugItem& item = screen.mutableItem(index);
    item.functionCode = function;
    item.firstElement = kind.needsFirst ? first : -1;
    item.block = kind.needsBlock ? block : -1;
    item.onOff = kind.showsNumber ? 0 : 1;
    if (line.find("DVWD") != std::string_view::npos) {
        item.keepsLastValue = true;
        item.width += 4;
    }
    return LineResult::Stored;
}

}  // namespace

bool readItemDefinitions(LineReader& reader, const DefinitionTable& definitions,
                         DebugScreen& screen, Messages& messages) {
    const FirstItems first = firstItems(screen);
    bool found = false;
    while (const std::optional<std::string_view> line = reader.next()) {
        if (line->empty() || !isDigit(line->front())) {
            continue;
        }
        found = true;
        if (defineItem(*line, definitions, first, screen, messages) == LineResult::Fatal) {
            return false;
        }
    }
    if (!found) {
        messages.message(message_kind::kError, kNoDefinitions);
    }
    return found;
}

void finishItems(DebugScreen& screen, Messages& messages) {
    for (const DebugItem& item : screen.items()) {
        if (item.functionCode < 0) {
            messages.message(message_kind::kWarning,
                             common::format(kMissingDefinition, item.itemNumber));
        } else {
            screen.mutableItem(item.index).hasControl = true;
        }
    }
    for (int refused : screen.buildIndex()) {
        messages.message(message_kind::kWarning, "De functie van item ",
                         std::to_string(screen.item(refused).itemNumber), kIndexedBefore);
    }
}

}  // namespace veltro
