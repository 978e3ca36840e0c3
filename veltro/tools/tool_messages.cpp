#include "veltro/tools/tool_messages.h"

#include "common/format.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

std::string verificationMessage(const ParameterRef& p, std::int32_t controllerValue) {
    const std::string name(p.name);
    const char* n = name.c_str();
    const double s = p.source;
    const std::int32_t c = shownControllerValue(p, controllerValue);
    switch (p.category) {
        case Category::Ontruimingstijden:
            return common::format(
                "Fout bij verifiëren ontruimingstijden van %s naar %s\nWaarde is %5.2f, in "
                "regeling %d",
                n, std::string(p.toName).c_str(), s, c);
        case Category::VgTijden:
            return common::format(
                "Fout bij verifiëren VG-tijden van %s\nWaarde is %5.2f, in regeling %d", n, s, c);
        case Category::GlTijden:
            return common::format(
                "Fout bij verifiëren GL-tijden van %s\nWaarde is %5.2f, in regeling %d", n, s, c);
        case Category::MgTijden:
            return common::format(
                "Fout bij verifiëren MG-tijden van %s\nWaarde is %5.2f, in regeling %d", n, s, c);
        case Category::Hiaattijden:
            if (p.part == 0)
                return common::format(
                    "Fout bij verifiëren hiaattijden van %s\nWaarde is %5.2f, in regeling %d", n,
                    s, c);
            if (p.part == 1)
                return common::format(
                    "Fout bij verifiëren extra hiaattijden van %s\nWaarde is %5.2f, in regeling "
                    "%d",
                    n, s, c);
            return common::format(
                "Fout bij verifiëren bezettijden van %s\nWaarde is %5.2f, in regeling %d", n, s,
                c);
        case Category::Tijden:
            return common::format("Fout bij verifiëren tijd %s\nWaarde is %5.2f, in regeling %d",
                                  n, s, c);
        case Category::Klokken:
            if (p.part == 0)
                return common::format(
                    "Fout bij verifiëren klokken tijdstip 1 van %s\nWaarde is %5.2f, in regeling "
                    "%d",
                    n, s, c);
            return common::format(
                "Fout bij verifiëren klokken tijdstip 2 van %s\nWaarde is %5.2f, in regeling %d",
                n, s, c);
        case Category::Schakelaars:
            return common::format(
                "Fout bij verifiëren schakelaar %s\nWaarde is %d, in regeling %d", n,
                p.integerSource, c);
        case Category::Eggparm:
            return common::format("Fout bij verifiëren EGGPARM %s\nWaarde is %d, in regeling %d",
                                  n, p.integerSource, c);
        case Category::Eparm:
            return common::format("Fout bij verifiëren EPARM %s\nWaarde is %5.2f, in regeling %d",
                                  n, s, c);
    }
    return {};
}

std::string differenceMessage(const ParameterRef& p, std::int32_t controllerValue) {
    const std::string name(p.name);
    const char* n = name.c_str();
    const double s = p.source;
    const std::int32_t c = shownControllerValue(p, controllerValue);
    switch (p.category) {
        case Category::Ontruimingstijden:
            return common::format(
                "Verschil bij ontruimingstijden van %s naar %s\nWaarde in broncode is %5.2f, in "
                "regeling %d",
                n, std::string(p.toName).c_str(), s, c);
        case Category::VgTijden:
            return common::format(
                "Verschil bij VG-tijden van %s\nWaarde in broncode is %5.2f, in regeling %d", n, s,
                c);
        case Category::GlTijden:
            return common::format(
                "Verschil bij GL-tijden van %s\nWaarde in broncode is %5.2f, in regeling %d", n, s,
                c);
        case Category::MgTijden:
            return common::format(
                "Verschil bij MG-tijden van %s-MG_TIJD%d\nWaarde in broncode is %5.2f, in "
                "regeling %d",
                n, p.part, s, c);
        case Category::Hiaattijden:
            if (p.part == 0)
                return common::format(
                    "Verschil bij hiaattijden van %s\nWaarde in broncode is %5.2f, in regeling %d",
                    n, s, c);
            if (p.part == 1)
                return common::format(
                    "Verschil bij extra hiaattijden van %s\nWaarde in broncode is %5.2f, in "
                    "regeling %d",
                    n, s, c);
            return common::format(
                "Verschil bij bezettijden van %s\nWaarde in broncode is %5.2f, in regeling %d", n,
                s, c);
        case Category::Tijden:
            return common::format(
                "Verschil bij tijd %s\nWaarde in broncode is %5.2f, in regeling %d", n, s, c);
        case Category::Klokken:
            if (p.part == 0)
                return common::format(
                    "Verschil bij klokken tijdstip 1 van %s\nWaarde in broncode is %5.2f, in "
                    "regeling %d",
                    n, s, c);
            return common::format(
                "Verschil bij klokken tijdstip 2 van %s\nWaarde in broncode is %5.2f, in regeling "
                "%d",
                n, s, c);
        case Category::Schakelaars:
            return common::format(
                "Verschil bij schakelaar %s\nWaarde in broncode is %d, in regeling %d", n,
                p.integerSource, c);
        case Category::Eggparm:
            return common::format(
                "Verschil bij EGGPARM %s\nWaarde in broncode is %d, in regeling %d", n,
                p.integerSource, c);
        case Category::Eparm:
            return common::format(
                "Verschil bij EPARM %s\nWaarde in broncode is %5.2f, in regeling %d", n, s, c);
    }
    return {};
}

}  // namespace veltro::tools
