#include "rendall/listing.h"

#include <functional>

#include "common/format.h"
#include "rendall/text_util.h"

namespace rendall {
namespace {

// Auxiliary functions and counters up to this number take the value of the
// line at that position; higher numbers take their values in order.
constexpr std::int32_t kLastPositionedNumber = 999;

struct SectionLayout {
    std::string_view heading;
    std::string_view token;
    std::string_view header;
    bool skipUnnamed;  // unnamed tokens are left out instead of failing
};

// The value text of the k-th listed token, whose number is n.
using ValueText = std::function<std::string(std::int32_t n, std::size_t k)>;

template <typename T>
T at(const std::vector<T>& values, std::size_t index) {
    return index < values.size() ? values[index] : T{};
}

char statusAt(const std::vector<char>& values, std::size_t index) {
    return index < values.size() ? values[index] : ' ';
}

std::size_t positionOf(std::int32_t n, std::size_t k) {
    return n <= kLastPositionedNumber ? static_cast<std::size_t>(n) : k;
}

// Appends one value section; the tokens are searched from `from` to the end.
Error appendSection(std::string& out, std::string_view text, std::size_t from,
                    const SectionLayout& layout, const SectionNames& names,
                    const ValueText& valueText) {
    out += "\n\n";
    out += layout.heading;
    out += '\n';
    std::string lines;
    std::size_t k = 0;
    bool anyToken = false;
    for (std::size_t at = text.find(layout.token, from); at != kNpos;
         at = text.find(layout.token, at + layout.token.size())) {
        anyToken = true;
        const std::string_view token = tokenText(text, at);
        const auto number = tokenNumber(token);
        const std::string* name = number ? names.nameOf(*number) : nullptr;
        if (!name) {
            if (layout.skipUnnamed)
                continue;
            return makeError(kDefinitionMissing, token);
        }
        lines += *name;
        lines.append(names.width() - name->size(), ' ');
        lines += valueText(*number, k++);
    }
    if (!anyToken) {
        out += "Geen informatie aanwezig\n";
        return {};
    }
    out.append(names.width(), ' ');
    out += layout.header;
    out += lines;
    return {};
}

}  // namespace

Error buildListing(std::string_view text, const DumpValues& values, const NameTable& names,
                   std::string_view intersection, std::string_view dumpName,
                   std::string& listing) {
    listing = "DUMP ZAV TIRAL\n\nKRUISPUNT: ";
    listing += intersection;
    listing += "\n\n";
    // The head part ends with the line before the empty line above "KLOKKEN".
    const std::size_t clocks = text.find("KLOKKEN");
    if (clocks == kNpos || clocks < 2 || text.substr(clocks - 2, 2) != "\n\n") {
        return makeError(kHeadingMissing, "KLOKKEN", dumpName);
    }
    listing += text.substr(0, clocks - 2);

    auto heading = [&](std::string_view name) { return text.find(name); };
    const std::size_t extraParameters = heading("EXTRA PARAMETERS");
    const std::size_t extraIntegers = heading("EXTRA GEHEEL GETAL PARAMETERS");
    const std::size_t switches = heading("SCHAKELAARS");
    const std::size_t times = heading("TIJDEN");
    const std::size_t auxiliary = heading("HULPFUNCTIES");
    for (auto [at, name] :
         {std::pair{extraParameters, "EXTRA PARAMETERS"}, std::pair{switches, "SCHAKELAARS"},
          std::pair{times, "TIJDEN"}, std::pair{auxiliary, "HULPFUNCTIES"}}) {
        if (at == kNpos)
            return makeError(kHeadingMissing, name, dumpName);
    }

    struct Part {
        std::size_t from;
        SectionLayout layout;
        SectionId section;
        ValueText valueText;
    };
    const Part parts[] = {
        {clocks,
         {"KLOKKEN", "KL(", "KL  inst_1e  inst_2e\n", false},
         kClocks,
         [&](std::int32_t, std::size_t k) {
             const ClockEntry e = at(values.clocks, k);
             return common::format("%c%7d%9d\n", e.status, e.moment1, e.moment2);
         }},
        {extraParameters,
         {"EXTRA PARAMETERS", "EPARM(", "inst_\n", false},
         kExtraParameters,
         [&](std::int32_t, std::size_t k) {
             return common::format("%ld\n", static_cast<long>(at(values.extraParameters, k)));
         }},
        {extraIntegers,
         {"EXTRA GEHEEL GETAL PARAMETERS", "EGGPARM(", "inst_\n", false},
         kExtraIntegerParameters,
         [&](std::int32_t, std::size_t k) {
             return common::format("%ld\n",
                                   static_cast<long>(at(values.extraIntegerParameters, k)));
         }},
        {switches,
         {"SCHAKELAARS", "SCH(", "SCH\n", false},
         kSwitches,
         [&](std::int32_t, std::size_t k) {
             return common::format("%c\n", statusAt(values.switches, k));
         }},
        {times,
         {"TIJDEN", "TIJD(", "TIJD  inst_   waarde_\n", false},
         kTimes,
         [&](std::int32_t, std::size_t k) {
             const TimeEntry e = at(values.times, k);
             return common::format("%c     %-8ld%-8ld\n", e.status, static_cast<long>(e.setting),
                                   static_cast<long>(e.running));
         }},
        {auxiliary,
         {"HULPFUNCTIES", "HF(", "HF\n", true},
         kAuxiliaryFunctions,
         [&](std::int32_t n, std::size_t k) {
             return common::format("%c\n", statusAt(values.auxiliaryFunctions, positionOf(n, k)));
         }},
        {auxiliary,
         {"TELLERS", "TL(", "TL\n", true},
         kCounters,
         [&](std::int32_t n, std::size_t k) {
             return common::format("%ld\n",
                                   static_cast<long>(at(values.counters, positionOf(n, k))));
         }},
    };
    for (const Part& part : parts) {
        if (part.from == kNpos)
            continue;  // only the extra integer parameters may lack
        Error error = appendSection(listing, text, part.from, part.layout, names[part.section],
                                    part.valueText);
        if (!error.ok())
            return error;
    }

    const std::size_t interface = text.find("CVN-INTERFACE");
    if (interface == kNpos)
        return makeError(kHeadingMissing, "CVN-INTERFACE", dumpName);
    listing += "\n\n";
    listing += text.substr(interface);
    listing += "EINDE DUMP\n";
    return {};
}

}  // namespace rendall
