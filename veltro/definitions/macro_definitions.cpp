#include "veltro/definitions/macro_definitions.h"

#include <array>
#include <optional>

#include "veltro/definitions/line_reader.h"
#include "veltro/definitions/text_scan.h"

namespace veltro {

namespace {

constexpr std::string_view kToestandError = ": toestand macro's hebben signaal groep nummer";
constexpr std::string_view kTijdError = ": tijd macro's hebben signaal groep nummer";
constexpr std::string_view kUserError = ": user defined macro's hebben volgnummer";
constexpr std::string_view kMaximumNumber = ": maximum nummer is 31";
constexpr std::int32_t kMaxMacroNumber = 31;

struct Qualifiers {
    bool sg, bk, waarde, lopend;
    bool only(bool wantSg, bool wantBk, bool wantWaarde, bool wantLopend) const {
        return sg == wantSg && bk == wantBk && waarde == wantWaarde && lopend == wantLopend;
    }
};

// What a section header comment does to the current base code.
struct HeaderEffect {
    enum class Kind { Keep, Select, Unset } kind = Kind::Keep;
    std::int32_t base = 0;
    std::string_view error;  // reported with the comment line, when not empty
};

HeaderEffect select(std::int32_t base) {
    return {HeaderEffect::Kind::Select, base, {}};
}
HeaderEffect refuse(std::string_view error) {
    return {HeaderEffect::Kind::Unset, 0, error};
}

HeaderEffect timeKind(const Qualifiers& q, std::int32_t lopendBase, std::int32_t waardeBase) {
    if (q.only(true, false, false, true))
        return select(lopendBase);
    if (q.only(true, false, true, false))
        return select(waardeBase);
    return refuse(kTijdError);
}

// Header words are tested in this order; "Onderlinge-tijd-macro" does not
// contain "Tijd-macro" because the test is case-sensitive.
HeaderEffect headerEffect(std::string_view line) {
    using scan::contains;
    Qualifiers q{contains(line, " SG "), contains(line, " BK "), contains(line, " WAARDE "),
                 contains(line, " LOPEND ")};
    if (contains(line, "Hulpfunctie-macro")) {
        return select(q.sg ? (q.bk ? 192 : 64) : (q.bk ? 128 : 32));
    }
    if (contains(line, "Optie-macro")) {
        // Without SG or BK there is no option kind to choose: its lines are skipped.
        if (!q.sg && !q.bk)
            return {HeaderEffect::Kind::Unset, 0, {}};
        return select(q.sg ? (q.bk ? 224 : 96) : 160);
    }
    if (contains(line, "Toestand-macro")) {
        return q.only(true, false, false, false) ? select(256) : refuse(kToestandError);
    }
    if (contains(line, "Tijd-macro"))
        return timeKind(q, 288, 320);
    if (contains(line, "Onderlinge-tijd-macro"))
        return timeKind(q, 352, 384);
    if (contains(line, "User-defined-macro")) {
        if (q.only(false, false, false, true))
            return select(416);
        if (q.only(false, false, true, false))
            return select(448);
        return refuse(kUserError);
    }
    if (contains(line, "Tellers-macro"))
        return select(480);
    if (contains(line, "Koppel-signalen"))
        return select(0);
    return {};
}

// Enters one #define line under `base`; false on a fatal error.
bool enterMacro(const scan::DefineLine& define, std::int32_t base, DefinitionTable& table,
                Messages& messages) {
    std::optional<std::int32_t> number = scan::definitionValue(define.value);
    if (!number) {
        messages.message(message_kind::kSystem, "De definitie waarde ", define.value,
                         " is ongeldig.");
        return false;
    }
    if (*number > kMaxMacroNumber) {
        messages.message(message_kind::kError, define.throughName, kMaximumNumber);
        return false;
    }
    if (!table.add(define.name, base + *number)) {
        messages.message(message_kind::kSystem, "Kan de definitie '", define.name,
                         "' niet meer toevoegen aan de definitie tabel");
        return false;
    }
    return true;
}

}  // namespace

bool readMacroDefinitions(std::string_view text, DefinitionTable& table, Messages& messages) {
    LineReader reader(text, kMacroFileName, messages);
    constexpr std::int32_t kNoKind = -1;  // before the first header: lines are skipped
    std::int32_t base = kNoKind;
    while (std::optional<std::string_view> line = reader.next()) {
        if (line->empty())
            continue;
        if (*line == "end")
            return true;
        if (line->starts_with("/*")) {
            HeaderEffect effect = headerEffect(*line);
            if (!effect.error.empty())
                messages.message(message_kind::kError, *line, effect.error);
            if (effect.kind == HeaderEffect::Kind::Select)
                base = effect.base;
            if (effect.kind == HeaderEffect::Kind::Unset)
                base = kNoKind;
            continue;
        }
        if (base == kNoKind)
            continue;
        std::optional<scan::DefineLine> define = scan::parseDefineLine(*line);
        if (define && !enterMacro(*define, base, table, messages))
            return false;
    }
    // A text without its "end" line still holds every definition read.
    return true;
}

}  // namespace veltro
