#include "veltro/tools/difference_csv.h"

#include <charconv>

#include "veltro/tools/backup_file.h"
#include "veltro/tools/backup_rows.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

namespace {

// The source value as written: the shortest text that reads back as it.
std::string sourceText(const ParameterRef& p) {
    if (p.integer)
        return std::to_string(p.integerSource);
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, p.source);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace

std::string differenceCsv(const std::vector<ComparedParameter>& compared) {
    std::string text = "categorie;parameter;element;naar;bron;ruw;waarde;verschil;antwoord\n";
    for (const ComparedParameter& c : compared) {
        const ParameterRef& p = c.ref;
        text += std::string(categoryTexts(p.category).word) + ";" + parameterMacro(p) + ";" +
                std::string(p.name) + ";" + std::string(p.toName) + ";" + sourceText(p) + ";";
        if (c.answered) {
            text += std::to_string(c.reported) + ";" +
                    inSourceUnit(c.reported, scaleOf(p.category)) + ";" +
                    (differs(p, c.reported) ? "ja" : "nee") + ";ja\n";
        } else {
            text += ";;nee;nee\n";
        }
    }
    return text;
}

}  // namespace veltro::tools
