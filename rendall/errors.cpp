#include "rendall/errors.h"

#include "common/format.h"

namespace rendall {

Error makeError(int code, std::string_view first, std::string_view second) {
    const std::string a(first);
    const std::string b(second);
    const char* s1 = a.c_str();
    const char* s2 = b.c_str();
    std::string text;
    switch (code) {
        case kOk:
            break;
        case kFileTooLarge:
            text = "File te groot om te verwerken";
            break;
        case kAborted:
            text = "Programma voortijdig afgebroken";
            break;
        case kExpressionInDefine:
            text = common::format(
                "Expressie met -, * of / teken in #define statement\n\tStatement: %s", s1);
            break;
        case kSeveralDumps:
            text = common::format("Dumpfile %s bevat informatie van meerdere dumps", s1);
            break;
        case kKeywordTwice:
            text = common::format("Gereserveerd woord '%s' komt meermaals voor in file ZXAPDEF.H",
                                  s1);
            break;
        case kDumpLineTooLong:
            text = common::format("Regel in dumpfile %s is te lang\nRegel:\n%s", s1, s2);
            break;
        case kNoEndHeading:
            text = common::format("Kopje 'EINDE DUMP' niet gevonden in dumpfile %s", s1);
            break;
        case kNoStartHeading:
            text = common::format("Kopje 'ALGEMEEN' niet gevonden in dumpfile %s", s1);
            break;
        case kHeadingMissing:
            text = common::format("Kopje %s niet gevonden in file %s", s1, s2);
            break;
        case kGreaterThanNumov:
            text = common::format("Waarde %s groter dan waarde NUMOV in file ZXAPDEF.H", s1);
            break;
        case kCountTooLarge:
            text = common::format("Waarde %s te groot in file ZXAPDEF.H", s1);
            break;
        case kFileMissing:
            text = common::format("File %s niet in werkdirectory", s1);
            break;
        case kNoOverwrite:
            text = common::format("File %s mag niet worden overschreven", s1);
            break;
        case kKeywordMissing:
            text = common::format("Gereserveerd woord '%s' ontbreekt in file ZXAPDEF.H", s1);
            break;
        case kConflictingValues:
            text = common::format(
                "Symbool '%s' gedefinieerd met verschillende waarden in file ZXAPDEF.H", s1);
            break;
        case kDefinitionMissing:
            text = common::format("Definitie %s niet gevonden in file ZXAPDEF.H", s1);
            break;
        case kSymbolValueTooLarge:
            text = common::format("Waarde symbool '%s' te groot in file ZXAPDEF.H", s1);
            break;
        case kWriteFailed:
            text = common::format("Fout bij schrijven naar file %s", s1);
            break;
        case kNameTooLong:
            text = common::format("Naam symbool '%s' langer dan 31 tekens in file ZXAPDEF.H", s1);
            break;
        case kTooManyDefinitions:
            text = "Meer dan 5000 definities in file ZXAPDEF.H";
            break;
        default:
            text = common::format("Fout %d opgetreden", code);
            break;
    }
    return Error{code, std::move(text)};
}

}  // namespace rendall
