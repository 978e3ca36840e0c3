#include "veltro/tools/tool_messages.h"

#include "common/format.h"
#include "veltro/tools/value_conversion.h"

namespace veltro::tools {

namespace {

constexpr int kAny = MessageSubject::kAnyPart;

constexpr std::array<MessageSubject, kMessageSubjectCount> kSubjects{{
    {Category::Ontruimingstijden, kAny, "ontruimingstijden van", false},
    {Category::VgTijden, kAny, "VG-tijden van", false},
    {Category::GlTijden, kAny, "GL-tijden van", false},
    {Category::MgTijden, kAny, "MG-tijden van", false},
    {Category::Hiaattijden, det_value::kHTijd1, "hiaattijden van", false},
    {Category::Hiaattijden, det_value::kHTijd2, "extra hiaattijden van", false},
    {Category::Hiaattijden, det_value::kBztTijd, "bezettijden van", false},
    {Category::Tijden, kAny, "tijd", false},
    {Category::Klokken, 0, "klokken tijdstip 1 van", false},
    {Category::Klokken, 1, "klokken tijdstip 2 van", false},
    {Category::Schakelaars, kAny, "schakelaar", true},
    {Category::Eggparm, kAny, "EGGPARM", true},
    {Category::Eparm, kAny, "EPARM", false},
}};

const MessageSubject& subjectOf(const ParameterRef& p) {
    for (const MessageSubject& s : kSubjects) {
        if (s.category == p.category && (s.part == kAny || s.part == p.part))
            return s;
    }
    return kSubjects.front();  // every category and part is in the table
}

// The subject and the element: "VG-tijden van SG02", "ontruimingstijden van
// SG02 naar SG05".
std::string about(const ParameterRef& p) {
    std::string text(subjectOf(p).subject);
    text += ' ';
    text += p.name;
    if (p.category == Category::Ontruimingstijden) {
        text += " naar ";
        text += p.toName;
    }
    return text;
}

// "4.50, in regeling 4": the source and the controller's value as shown.
std::string values(const ParameterRef& p, std::int32_t controllerValue) {
    const std::int32_t shown = shownControllerValue(p, controllerValue);
    if (subjectOf(p).integer)
        return common::format("%d, in regeling %d", p.integerSource, shown);
    return common::format("%5.2f, in regeling %d", p.source, shown);
}

}  // namespace

const std::array<MessageSubject, kMessageSubjectCount>& messageSubjects() {
    return kSubjects;
}

std::string verificationMessage(const ParameterRef& p, std::int32_t controllerValue) {
    return "Fout bij verifiëren " + about(p) + "\nWaarde is " + values(p, controllerValue);
}

std::string differenceMessage(const ParameterRef& p, std::int32_t controllerValue) {
    std::string subject = about(p);
    if (p.category == Category::MgTijden)
        subject += "-MG_TIJD" + std::to_string(p.part);
    return "Verschil bij " + subject + "\nWaarde in broncode is " + values(p, controllerValue);
}

}  // namespace veltro::tools
