#include "rendall/dump_reader.h"

#include <optional>

#include "rendall/text_util.h"
#include "rendall/value_line.h"

namespace rendall {
namespace {

// The first line longer than the dump allows, or nothing.
std::optional<std::string> firstLongLine(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = lineEnd(text, start);
        if (end - start > kMaxDumpLine) {
            return std::string(text.substr(start, std::min(end - start, kMaxReportedLine)));
        }
        start = end + 1;
    }
    return std::nullopt;
}

// Calls `read` with the rest of the line of every `token` behind `from`;
// error 1 when there are more than `capacity` of them.
template <typename Read>
Error forEachValueLine(std::string_view text, std::size_t from, std::string_view token,
                       std::size_t capacity, Read read) {
    std::size_t count = 0;
    for (std::size_t at = text.find(token, from); at != kNpos;
         at = text.find(token, at + token.size())) {
        if (++count > capacity)
            return makeError(kFileTooLarge);
        ValueLine line(text.substr(at, lineEnd(text, at) - at));
        read(line);
    }
    return {};
}

}  // namespace

Error extractDumpText(std::string_view fileBytes, std::string_view dumpName, std::string& text) {
    text = textModeChars(fileBytes, kMaxDumpChars);
    if (auto line = firstLongLine(text))
        return makeError(kDumpLineTooLong, dumpName, *line);
    const std::size_t start = text.find("ALGEMEEN");
    if (start == kNpos)
        return makeError(kNoStartHeading, dumpName);
    text.erase(0, start);
    if (text.find("ALGEMEEN", 1) != kNpos)
        return makeError(kSeveralDumps, dumpName);
    const std::size_t end = text.find("EINDE DUMP");
    if (end == kNpos)
        return makeError(kNoEndHeading, dumpName);
    text.resize(end);
    return {};
}

Error readDumpValues(std::string_view text, std::string_view dumpName, DumpValues& values) {
    values = DumpValues{};
    auto heading = [&](std::string_view name, std::size_t& at) {
        at = text.find(name);
        return at == kNpos ? makeError(kHeadingMissing, name, dumpName) : Error{};
    };
    std::size_t at = 0;
    Error error = heading("KLOKKEN", at);
    if (error.ok()) {
        error = forEachValueLine(text, at, "KL(", kMaxClocks, [&](ValueLine& line) {
            ClockEntry entry;
            std::string_view word;
            line.word(word);
            line.character(entry.status);
            line.number(entry.moment1);
            line.number(entry.moment2);
            values.clocks.push_back(entry);
        });
    }
    auto readLongs = [&](std::string_view token, std::vector<std::int32_t>& out) {
        return forEachValueLine(text, at, token, kMaxExtraParameters, [&](ValueLine& line) {
            std::int32_t value = 0;
            std::string_view word;
            line.word(word);
            line.number(value);
            out.push_back(value);
        });
    };
    if (error.ok())
        error = heading("EXTRA PARAMETERS", at);
    if (error.ok())
        error = readLongs("EPARM(", values.extraParameters);
    if (error.ok() && heading("EXTRA GEHEEL GETAL PARAMETERS", at).ok()) {
        values.hasExtraIntegerParameters = true;
        error = readLongs("EGGPARM(", values.extraIntegerParameters);
    }
    if (error.ok())
        error = heading("SCHAKELAARS", at);
    if (error.ok()) {
        error = forEachValueLine(text, at, "SCH(", kMaxSwitches, [&](ValueLine& line) {
            char status = ' ';
            std::string_view word;
            line.word(word);
            line.character(status);
            values.switches.push_back(status);
        });
    }
    if (error.ok())
        error = heading("TIJDEN", at);
    if (error.ok()) {
        error = forEachValueLine(text, at, "TIJD(", kMaxTimes, [&](ValueLine& line) {
            TimeEntry entry;
            std::string_view word;
            line.word(word);
            line.character(entry.status);
            line.number(entry.setting);
            line.number(entry.running);
            values.times.push_back(entry);
        });
    }
    if (error.ok())
        error = heading("HULPFUNCTIES", at);
    if (error.ok()) {
        error = forEachValueLine(text, at, "HF(", kMaxAuxiliaryFunctions, [&](ValueLine& line) {
            char status = ' ';
            std::int32_t counter = 0;
            std::string_view word;
            line.word(word);
            line.character(status);
            line.word(word);
            line.number(counter);
            values.auxiliaryFunctions.push_back(status);
            values.counters.push_back(counter);
        });
    }
    return error;
}

}  // namespace rendall
