#include "veltro/tools/listing.h"

#include <string>

#include "common/format.h"

namespace veltro::tools {

namespace {

// Names go to "%s" through a copy, so that a name is never cut at a NUL.
std::string text(std::string_view s) {
    return std::string(s);
}

std::string hiaatLine(const ParameterRef& p, std::int32_t value) {
    static constexpr const char* kKinds[] = {"H_TIJD1", "H_TIJD2", "BZT_TIJD"};
    return common::format("%s   %-5s    %6d\n", kKinds[p.part], text(p.name).c_str(), value);
}

std::string mgLine(const ParameterRef& p, std::int32_t value) {
    const std::string name = text(p.name);
    if (p.part == 0)
        return common::format("MG-tijd     %-5s    %6d\n", name.c_str(), value);
    return common::format("MG-tijd%d    %-5s    %6d\n", p.part, name.c_str(), value);
}

}  // namespace

std::string listingLine(const ParameterRef& p, std::int32_t value) {
    const std::string name = text(p.name);
    switch (p.category) {
        case Category::Ontruimingstijden:
            return common::format("                %6d  %-5s   %-5s  %6d\n", p.entry + 1,
                                  name.c_str(), text(p.toName).c_str(), value);
        case Category::VgTijden:
            return common::format("VG-tijd    %-5s  %6d\n", name.c_str(), value);
        case Category::GlTijden:
            return common::format("GL-tijd    %-5s  %6d\n", name.c_str(), value);
        case Category::MgTijden:
            return mgLine(p, value);
        case Category::Hiaattijden:
            return hiaatLine(p, value);
        case Category::Tijden:
            return common::format("Tijd       %-20s  %6d\n", name.c_str(), value);
        case Category::Klokken:
            if (p.part == 0)
                return common::format("1e Klok    %-20s  %6d\n", name.c_str(), value);
            return common::format("2e Klok    %-20s  %6d\n", name.c_str(), value);
        case Category::Schakelaars:
            return common::format("Schakelaar    %-20s  %6d\n", name.c_str(), value);
        case Category::Eggparm:
            return common::format("EGGPARM    %-20s  %6d\n", name.c_str(), value);
        case Category::Eparm:
            return common::format("EPARM      %-20s  %6d\n", name.c_str(), value);
    }
    return {};
}

std::string categoryFileName(std::string_view fileName, Category c) {
    const std::size_t separator = fileName.find_last_of("/\\:");
    const std::size_t fileStart = separator == std::string_view::npos ? 0 : separator + 1;
    std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot < fileStart)
        dot = fileName.size();
    std::string out(fileName.substr(0, dot));
    out += categoryTexts(c).suffix;
    out += fileName.substr(dot);
    return out;
}

}  // namespace veltro::tools
