#include "rendall/dump_converter.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "rendall/definitions_text.h"
#include "rendall/listing.h"

namespace rendall {
namespace {

using testing::replaced;
using testing::sampleDump;
using testing::sampleHeader;

class DumpConverter : public ::testing::Test {
  protected:
    void SetUp() override { useHeader(sampleHeader()); }

    void useHeader(const std::string& header) {
        std::string prepared;
        ASSERT_TRUE(prepareDefinitionsText(header, {}, prepared).ok());
        ASSERT_TRUE(readDefinitions(prepared, m_definitions).ok());
    }

    Error convert(std::string& text) {
        return convertDumpText(text, NameTable(m_definitions), m_note);
    }

    // The whole way from dump text to listing.
    Error list(const std::string& dump, std::string& listing) {
        std::string text = dump.substr(0, dump.find("EINDE DUMP"));
        DumpValues values;
        Error error = readDumpValues(text, "K.DMP", values);
        if (error.ok())
            error = convert(text);
        if (error.ok()) {
            error =
                buildListing(text, values, NameTable(m_definitions), "Plein", "K.DMP", listing);
        }
        return error;
    }

    Definitions m_definitions;
    std::string m_note;
};

TEST_F(DumpConverter, TokensBecomeNames) {
    struct Case {
        const char* before;
        const char* after;
    } cases[] = {
        {"\nBLOK(1) actief\n", "\nB2      actief\n"},
        {"\nx BLOK(0)BLOK(1)\n", "\nx B1     B2     \n"},
        {"\n(0)   R  10\n", "\nfc02  R  10\n"},
        {"\n    (1)   G\n", "\n    fc05  G\n"},
        {"\n     (1)  G\n", "\n     (1)  G\n"},        // five blanks: no signal group token
        {"\n(2)       G  5\n", "\nfc22long  G  5\n"},  // runs on over the blanks behind
        {"\n(2)   G\n", "\nfc22long\n"},               // and over what stands there
        {"\n(2)\n(0)\n", "\nfc22long\nfc02\n"},        // but never over the line end
        {"\nD(0) 1\n", "\nd021 1\n"},
        {"\nD(1) 1\n", "\nd05_11\n"},
        {"\nD(1)\nD(0)\n", "\nd05_1\nd021\n"},
        {"\nxD(1)\n", "\nxD(1)\n"},
    };
    for (const Case& c : cases) {
        std::string text = c.before;
        ASSERT_TRUE(convert(text).ok()) << c.before;
        EXPECT_EQ(text, c.after);
    }
}

TEST_F(DumpConverter, UnknownTokens) {
    struct Case {
        const char* text;
        const char* message;
        const char* note;
    } cases[] = {
        {"\nBLOK(7)\n", "Definitie BLOK(7) niet gevonden in file ZXAPDEF.H", ""},
        {"\nBLOK(11)\n", "Definitie BLOK(11) niet gevonden in file ZXAPDEF.H", ""},
        {"\nBLOK(1\n", "Definitie BLOK(1 niet gevonden in file ZXAPDEF.H", ""},
        {"\n(9)   R\n", "Definitie SG(9) niet gevonden in file ZXAPDEF.H", ""},
        {"\n    (x)\n", "Definitie SG(x) niet gevonden in file ZXAPDEF.H", ""},
        {"\nD(5) 1\n", "Definitie D(5) niet gevonden in file ZXAPDEF.H", "\nfout in detectoren\n"},
        // The first failing step ends the conversion.
        {"\nD(5)\nBLOK(7)\n", "Definitie BLOK(7) niet gevonden in file ZXAPDEF.H", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        const Error error = convert(text);
        EXPECT_EQ(error.code, kDefinitionMissing);
        EXPECT_EQ(error.message, c.message);
        EXPECT_EQ(m_note, c.note);
    }
}

TEST_F(DumpConverter, ListingOfTheSample) {
    std::string listing;
    ASSERT_TRUE(list(sampleDump(), listing).ok());
    EXPECT_EQ(listing,
              "DUMP ZAV TIRAL\n\nKRUISPUNT: Plein\n\n"
              "ALGEMEEN\nB2      actief\nfc02  R  10\n    fc22long  G  5\nd021    1\n"
              "d05_1     0"
              "\n\nKLOKKEN\n            KL  inst_1e  inst_2e\nKL_OCHTEND  A    700      900\n"
              "\n\nEXTRA PARAMETERS\n      inst_\nEP_X  55\n"
              "\n\nEXTRA GEHEEL GETAL PARAMETERS\n      inst_\nEG_X  -3\n"
              "\n\nSCHAKELAARS\n       SCH\nSCH_A  1\n"
              "\n\nTIJDEN\n         TIJD  inst_   waarde_\nT_GROEN  L     60      12      \n"
              "\n\nHULPFUNCTIES\n      HF\nHF_A  1\nHF_B  0\n"
              "\n\nTELLERS\n      TL\nTL_A  5\nTL_B  7\n"
              "\n\nCVN-INTERFACE\nCIF_X 1\nEINDE DUMP\n");
}

TEST_F(DumpConverter, ListingVariants) {
    std::string listing;
    const std::string dump = sampleDump();
    ASSERT_TRUE(list(replaced(dump, "EXTRA GEHEEL GETAL PARAMETERS\n", ""), listing).ok());
    EXPECT_EQ(listing.find("GEHEEL"), std::string::npos);

    ASSERT_TRUE(list(replaced(dump, "KL(0) A 700 900\n", ""), listing).ok());
    EXPECT_NE(listing.find("\n\nKLOKKEN\nGeen informatie aanwezig\n\n\nEXTRA"), std::string::npos);

    // Unnamed auxiliary functions and counters are left out; numbers above
    // 999 take their values in order of appearance, the others by position.
    const std::string aux = replaced(dump, "HF(0) 1 TL(0) 5\nHF(1) 0 TL(1) 7\n",
                                     "HF(1) a TL(1) 1\nHF(0) b TL(0) 2\nHF(7) c TL(7) 3\n");
    ASSERT_TRUE(list(aux, listing).ok());
    EXPECT_NE(listing.find("\n      HF\nHF_B  b\nHF_A  a\n"), std::string::npos);
    EXPECT_NE(listing.find("\n      TL\nTL_B  2\nTL_A  1\n"), std::string::npos);
    useHeader(replaced(replaced(sampleHeader(), "HF_A 0", "HF_A 1000"), "NUMHF 2", "NUMHF 2000"));
    const std::string high = replaced(aux, "HF(1) a TL(1) 1\nHF(0) b TL(0) 2\n",
                                      "HF(1000) x TL(1000) 1\nHF(1) y TL(1) 2\n");
    ASSERT_TRUE(list(high, listing).ok());
    EXPECT_NE(listing.find("\n      HF\nHF_A  x\nHF_B  y\n"), std::string::npos);
}

// The highest legal numbers, not only the first refused ones: block 9 of
// ten, and auxiliary functions and counters 999, the last taken by position.
TEST_F(DumpConverter, TheHighestNumbersStillFollowTheirRule) {
    std::string blocks;
    for (int b = 0; b < 10; ++b) {
        blocks += "#define BK" + std::to_string(b) + " " + std::to_string(b) + "\n";
    }
    useHeader(replaced(sampleHeader(), "#define B1 0\n#define B2 1\n#define NUMBK 2\n",
                       blocks + "#define NUMBK 10\n"));
    std::string text = "\nBLOK(9) BLOK(0)\n";
    ASSERT_TRUE(convert(text).ok());
    EXPECT_EQ(text, "\nBK9     BK0    \n");
    text = "\nBLOK(10)\n";
    EXPECT_EQ(convert(text).code, kDefinitionMissing);

    std::string header = replaced(sampleHeader(), "HF_A 0", "HF_A 999");
    header = replaced(replaced(header, "NUMHF 2", "NUMHF 1000"), "TL_A 0", "TL_A 999");
    useHeader(replaced(header, "NUMTL 2", "NUMTL 1000"));
    std::string lines;
    for (int n = 0; n < 1000; ++n) {
        const char status = static_cast<char>('a' + n % 26);
        lines += "HF(" + std::to_string(n) + ") " + status + " TL(" + std::to_string(n) + ") " +
                 std::to_string(n * 10) + "\n";
    }
    std::string listing;
    const std::string dump = replaced(sampleDump(), "HF(0) 1 TL(0) 5\nHF(1) 0 TL(1) 7\n", lines);
    ASSERT_TRUE(list(dump, listing).ok());
    // HF_B (1) is the first named in order, HF_A (999) the second: by
    // position 999 it takes the last line's values, not the second line's.
    EXPECT_NE(listing.find("\n      HF\nHF_B  b\nHF_A  l\n"), std::string::npos);
    EXPECT_NE(listing.find("\n      TL\nTL_B  10\nTL_A  9990\n"), std::string::npos);
}

TEST_F(DumpConverter, ListingErrors) {
    const std::string dump = sampleDump();
    struct Case {
        std::string dump;
        const char* message;
    } cases[] = {
        {replaced(dump, "KL(0)", "KL(5)"), "Definitie KL(5) niet gevonden in file ZXAPDEF.H"},
        {replaced(dump, "EPARM(0)", "EPARM(3)"),
         "Definitie EPARM(3) niet gevonden in file ZXAPDEF.H"},
        {replaced(dump, "SCH(0)", "SCH(2)"), "Definitie SCH(2) niet gevonden in file ZXAPDEF.H"},
        {replaced(dump, "TIJD(0)", "TIJD(x)"),
         "Definitie TIJD(x) niet gevonden in file ZXAPDEF.H"},
        {replaced(dump, "\n\nKLOKKEN", "\nKLOKKEN"), "Kopje KLOKKEN niet gevonden in file K.DMP"},
        {replaced(dump, "CVN-INTERFACE", "CVN"),
         "Kopje CVN-INTERFACE niet gevonden in file K.DMP"},
    };
    for (const Case& c : cases) {
        std::string listing;
        EXPECT_EQ(list(c.dump, listing).message, c.message);
    }
}

}  // namespace
}  // namespace rendall
