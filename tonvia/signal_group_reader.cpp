#include "tonvia/signal_group_reader.h"

#include <string_view>

#include "common/format.h"
#include "tonvia/configuration.h"
#include "tonvia/line_reader.h"
#include "tonvia/number_reader.h"

namespace tonvia {

namespace {

constexpr const char* kGroupsOpenFailed = "Fout bij openen sourcefile ZXAPDEF.H om in te lezen";
constexpr const char* kNoSignalGroups = "Fout: geen signaalgroepen gevonden in ZXAPDEF.H";
constexpr const char* kGroupsReadFailed = "Fout bij lezen sourcefile ZXAPDEF.H";
constexpr const char* kGroupsCloseFailed = "Fout bij sluiten ZXAPDEF.H na inlezen signaalgroepen";
constexpr const char* kCountMismatch =
    "Fout: waarde bij #define NUMSG klopt niet met aantal opgegeven signaalgroepen";
constexpr const char* kBadGroupNumber = "Foutief getal in tabel signaalgroepen in ZXAPDEF.H";
constexpr const char* kBadCount = "Foutief getal in waarde voor NUMSG in ZXAPDEF.H";

enum class LineOutcome { Continue, Done, Stop };

// One "#DEFINE " line after NUMBK.
LineOutcome handleDefine(const SourceLine& line, RunContext& context,
                         std::vector<std::int32_t>& signalGroups) {
    const std::string_view text = line.text;
    const auto define = text.find("#DEFINE ");
    if (define == std::string_view::npos) {
        return LineOutcome::Continue;
    }
    const std::size_t name = define + 8;
    if (text.substr(name).starts_with("SG")) {
        if (signalGroups.size() == kMaxSignalGroups) {
            context.stop(common::format("Fout: meer dan %zu signaalgroepen in ZXAPDEF.H",
                                        kMaxSignalGroups));
            return LineOutcome::Stop;
        }
        const NumberResult number = readNumber(text, name + 2);
        if (number.status != NumberStatus::Ok) {
            context.malformedNumber(kBadGroupNumber, line);
        }
        // Counted even when malformed, so that NUMSG still matches and the run
        // goes on to find further errors.
        signalGroups.push_back(number.value);
        return LineOutcome::Continue;
    }
    if (text.substr(name).starts_with("NUMSG")) {
        std::size_t position = name + 5;
        while (position < text.size() && isBlank(text[position])) {
            ++position;
        }
        const NumberResult count = readNumber(text, position);
        if (count.status != NumberStatus::Ok) {
            // Nothing to compare with; the error flag keeps CONFIL unwritten.
            context.malformedNumber(kBadCount, line);
            return LineOutcome::Done;
        }
        if (static_cast<std::size_t>(count.value) != signalGroups.size()) {
            context.stop(kCountMismatch);
            return LineOutcome::Stop;
        }
        return LineOutcome::Done;
    }
    return LineOutcome::Continue;
}

}  // namespace

bool readSignalGroups(Directory& directory, RunContext& context,
                      std::vector<std::int32_t>& signalGroups) {
    auto input = directory.openForReading(kDefinitionFile);
    if (!input) {
        return context.stop(kGroupsOpenFailed);
    }
    LineReader reader(*input);
    SourceLine line;
    bool afterBlocks = false;
    while (true) {
        const LineStatus status = reader.next(line);
        if (status == LineStatus::End) {
            return context.stop(kNoSignalGroups);
        }
        if (status != LineStatus::Line) {
            return context.stopForReader(status, reader.lineNumber(), kDefinitionFile,
                                         kGroupsReadFailed);
        }
        if (!afterBlocks) {
            afterBlocks = line.text.find("NUMBK") != std::string::npos;
            continue;
        }
        const LineOutcome outcome = handleDefine(line, context, signalGroups);
        if (outcome == LineOutcome::Stop) {
            return false;
        }
        if (outcome == LineOutcome::Done) {
            break;
        }
    }
    if (!input->close()) {
        return context.stop(kGroupsCloseFailed);
    }
    return true;
}

}  // namespace tonvia
