#include <gtest/gtest.h>

#include <algorithm>

#include "confil_bytes.h"
#include "tonvia/confil_dump.h"
#include "tonvia/confil_writer.h"

namespace tonvia {
namespace {

using test::framed;
using test::ints;
using test::padded;

TEST(ConfilWriter, IdentificationFieldsArePaddedOrCutToTen) {
    Identification identification;
    identification.program = "TONVIA-GENERATOR";
    identification.version = "";
    identification.date = "2026-12-07";
    EXPECT_EQ(identificationText(identification), padded("TONVIA-GEN            2026-12-07"));
    EXPECT_EQ(headerText(42, 102).substr(0, 54),
              "Tonvia generated Confil controller 042 - type ZAV CRS ");
}

std::string smallConfil() {
    return framed(padded("Tonvia generated Confil controller 005 - type ZAV C")) +
           framed(padded("TONVIA     1.0        2026-12-07")) + ints({1, 1}) + ints({5, 2, 1}) +
           ints({5, 2, 1, 9});
}

TEST(ConfilDump, ListsRecordsAndNamesEveryFault) {
    std::string listing;
    ASSERT_TRUE(dumpConfil(smallConfil(), listing));
    EXPECT_EQ(listing,
              "Record 1 (130 bytes): \"Tonvia generated Confil controller 005 - type ZAV C\"\n"
              "Record 2 (130 bytes): \"TONVIA     1.0        2026-12-07\"\n"
              "Record 3 (8 bytes): 1 signaalgroepen, 1 detectoren\n"
              "Record 4 (12 bytes): signaalgroep: regelaar 5, signaalgroep 2, 1\n"
              "Record 5 (16 bytes): detector: regelaar 5, signaalgroep 2, volgnummer 1, "
              "type 9 (onbekend)\n");

    const std::string good = smallConfil();
    std::string mismatch = good;
    mismatch[134] = 'x';  // the count behind record 1
    struct Case {
        const char* name;
        std::string bytes;
        const char* lastLine;
    };
    const Case cases[] = {
        {"cut in a count", good.substr(0, 294), "Fout: record 4 is afgebroken"},
        {"cut in the trailer", good.substr(0, good.size() - 2),
         "Fout: record 5 is afgebroken (lengte 16)"},
        {"cut in the data", good.substr(0, 100), "Fout: record 1 is afgebroken (lengte 130)"},
        {"counts differ", mismatch, "Fout: lengtes van record 1 verschillen (130 en 120)"},
        {"missing records", good.substr(0, 138 * 2 + 16), "Fout: 3 records gevonden, verwacht 5"},
        {"extra record", good + ints({1}), "Fout: onverwacht record 6"},
        {"wrong size", framed("short"), "Fout: record 1 heeft 5 bytes, verwacht 130"},
        {"negative count", good.substr(0, 276) + ints({-1, 0}),
         "Fout: negatief aantal in record 3"},
        {"huge length", test::le32(0x7FFFFFFF) + "abc",
         "Fout: record 1 is afgebroken (lengte "
         "2147483647)"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(dumpConfil(c.bytes, listing)) << c.name;
        const auto lastLine = listing.substr(listing.rfind('\n', listing.size() - 2) + 1);
        EXPECT_EQ(lastLine, std::string(c.lastLine) + "\n") << c.name;
    }
    // Listed after a refused file, a good one shows its five records only.
    ASSERT_TRUE(dumpConfil(smallConfil(), listing));
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 5);
    EXPECT_EQ(listing.find("Fout"), std::string::npos);
}

}  // namespace
}  // namespace tonvia
