#include "rendall/dump_converter.h"

#include <algorithm>

#include "rendall/text_util.h"

namespace rendall {
namespace {

// Writes `name` over a field of `field` characters at `at` of `in`, blanking
// the rest of the field. Returns how many characters of `in` it replaced.
std::size_t putName(std::string& out, std::string_view in, std::size_t at, std::size_t field,
                    std::string_view name) {
    const std::size_t room = lineEnd(in, at) - at;
    field = std::min(field, room);
    out.append(name);
    if (name.size() < field)
        out.append(field - name.size(), ' ');
    return std::max(field, std::min(name.size(), room));
}

// Copies `text` with every token that `find` locates replaced by `replace`,
// which appends the replacement and tells how many characters it took.
template <typename Find, typename Replace>
Error rewrite(std::string& text, Find find, Replace replace) {
    std::string out;
    out.reserve(text.size() + 256);
    std::size_t copied = 0;
    for (std::size_t at = find(text, 0); at != kNpos; at = find(text, copied)) {
        out.append(text, copied, at - copied);
        std::size_t taken = 0;
        if (Error error = replace(std::string_view(text), at, out, taken); !error.ok()) {
            return error;
        }
        copied = at + taken;
    }
    out.append(text, copied);
    text = std::move(out);
    return {};
}

// Finds `marker` and returns the position `offset` characters into it.
auto finder(std::string_view marker, std::size_t offset) {
    return [marker, offset](std::string_view text, std::size_t from) {
        const std::size_t at = text.find(marker, from);
        return at == kNpos ? kNpos : at + offset;
    };
}

Error convertBlocks(std::string& text, const SectionNames& blocks) {
    return rewrite(text, finder("BLOK(", 0),
                   [&](std::string_view in, std::size_t at, std::string& out, std::size_t& taken) {
                       const std::string_view token = tokenText(in, at);
                       const bool wellFormed = token.size() == 7 && token[5] >= '0' &&
                                               token[5] <= '9' && token[6] == ')';
                       const std::string* name =
                           wellFormed ? blocks.nameOf(token[5] - '0') : nullptr;
                       if (!name)
                           return makeError(kDefinitionMissing, token);
                       taken = putName(out, in, at, 7, *name);
                       return Error{};
                   });
}

Error convertSignalGroups(std::string& text, const SectionNames& groups, std::string_view marker) {
    return rewrite(text, finder(marker, marker.size() - 1),
                   [&](std::string_view in, std::size_t at, std::string& out, std::size_t& taken) {
                       const std::string_view token = tokenText(in, at);
                       const auto number = tokenNumber(token);
                       const std::string* name = number ? groups.nameOf(*number) : nullptr;
                       if (!name)
                           return makeError(kDefinitionMissing, "SG" + std::string(token));
                       taken = putName(out, in, at, 6, *name);
                       return Error{};
                   });
}

Error convertDetectors(std::string& text, const SectionNames& detectors) {
    return rewrite(text, finder("\nD(", 1),
                   [&](std::string_view in, std::size_t at, std::string& out, std::size_t& taken) {
                       const std::string_view token = tokenText(in, at);
                       const auto number = tokenNumber(token);
                       const std::string* name = number ? detectors.nameOf(*number) : nullptr;
                       if (!name)
                           return makeError(kDefinitionMissing, token);
                       taken = putName(out, in, at, token.size(), *name);
                       return Error{};
                   });
}

}  // namespace

Error convertDumpText(std::string& text, const NameTable& names, std::string& consoleNote) {
    consoleNote.clear();
    Error error = convertBlocks(text, names[kBlocks]);
    if (error.ok())
        error = convertSignalGroups(text, names[kSignalGroups], "\n(");
    if (error.ok())
        error = convertSignalGroups(text, names[kSignalGroups], "\n    (");
    if (error.ok()) {
        error = convertDetectors(text, names[kDetectors]);
        if (!error.ok())
            consoleNote = "\nfout in detectoren\n";
    }
    return error;
}

}  // namespace rendall
