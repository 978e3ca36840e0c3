#pragma once

#include <string>
#include <string_view>

namespace rendall::testing {

// A small header with every section, as the reader expects it.
inline std::string sampleHeader() {
    return "/* declaratie arraynummers voor blokken */\n"
           "#define B1 0\n#define B2 1\n#define NUMBK 2\n"
           "/* declaratie arraynummers voor signaalgroepen */\n"
           "#define fc02 0\n#define fc05 1\n#define fc22long 2\n#define NUMSG 3\n"
           "/* declaratie arraynummers voor detectoren */\n"
           "#define d021 0\n#define d05_1 1\n#define NUMD 2\n"
           "/* tijden */\n#define T_GROEN 0\n#define NUMT 1\n"
           "/* hulpfuncties */\n#define HF_A 0\n#define HF_B 1\n#define NUMHF 2\n"
           "/* klokken */\n#define KL_OCHTEND 0\n#define NUMKL 1\n"
           "/* schakelaars */\n#define SCH_A 0\n#define NUMSCH 1\n"
           "/* tellers */\n#define TL_A 0\n#define TL_B 1\n#define NUMTL 2\n"
           "/* extra parameters */\n#define EP_X 0\n#define NUMEP 1\n"
           "/* extra geheel getal parameters */\n#define EG_X 0\n#define NUMEGGP 1\n"
           "#define NUMOV 40\n";
}

// A small dump of the sample header, as the controller prints it.
inline std::string sampleDump() {
    return "ALGEMEEN\n"
           "BLOK(1) actief\n"
           "(0)   R  10\n"
           "    (2)       G  5\n"
           "D(0)    1\n"
           "D(1)      0\n"
           "\n"
           "KLOKKEN\nKL(0) A 700 900\n\n"
           "EXTRA PARAMETERS\nEPARM(0) 55\n"
           "EXTRA GEHEEL GETAL PARAMETERS\nEGGPARM(0) -3\n"
           "SCHAKELAARS\nSCH(0) 1\n"
           "TIJDEN\nTIJD(0) L 60 12\n"
           "HULPFUNCTIES\nHF(0) 1 TL(0) 5\nHF(1) 0 TL(1) 7\n"
           "CVN-INTERFACE\nCIF_X 1\n"
           "EINDE DUMP\n";
}

inline std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace rendall::testing
