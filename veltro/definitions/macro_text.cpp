#include "veltro/definitions/macro_text.h"

namespace veltro {

// The contents of macrodef.plo. The debugger carries it built in, so every
// main window gets the same function codes without a file to go missing.
namespace {
constexpr std::string_view kMacroText = R"MACRODEF(/*
*
* File         : macrodef.plo
*
* Description  : Gemeenschappelijke macro-definities.
*
*/

/*-------  Hulpfunctie-macro's, eenmalig -------*/
#define inst_EPARM           0
#define inst_EGGPARM         1
#define inst_TIJD            2
#define TL                   3
#define OVI                  4
#define OVU                  5

/*-------  Hulpfunctie-macro's, SG gekoppeld -------*/
#define A                    0
#define AFK                  1
#define BL                   2
#define DA                   4
#define DK                   5
#define MA                   6
#define PPV                  7
#define TR                   8
#define VAA                  9
#define VNM                  10
#define RWR                  14
#define SR                   15
#define PPB                  16
#define PPAH                 17
#define VNMH                 18
#define WSRH                 19
#define BR                   20
#define PPS                  21
#define TO_PRIM              22
#define TMVG                 23
#define VRVG                 24
#define VMVG                 25
#define VVAG2e               26
#define RVAG2e               27
#define BA                   28
#define BRT                  29

/*------- Hulpfunctie-macro's, BK gekoppeld -------*/
#define BLOK                 0

/*------- Hulpfunctie-macro's, SG & BK gekoppeld -------*/
#define AR                   0
#define PG                   1
#define PPA                  2
#define PPP                  3
#define PR                   4
#define MAH4                 5
#define MAH5                 6
#define MAH6                 7
#define MAH7                 8
#define RGAH                 9

/*------- Optie-macro's, SG gekoppeld -------*/
#define AFK_OP               0
#define BL_OP                1
#define MA_OP                2
#define TMVG_OP              3
#define PPV_OP               4
#define TR_OP                5
#define VAA_OP               6
#define VRVG_OP              7
#define VVAG2e_OP            8
#define VMVG_OP              9
#define PPB_OP               10
#define RWG_OP               11
#define RWR_OP               12
#define RVAG2e_OP            13
#define PPS_OP               14

/*------- Optie-macro's, SG & BK gekoppeld -------*/
#define PPA_OP               0
#define PPP_OP               1
#define VNM_OP               2

/*------- Optie-macro's, BK gekoppeld -------*/
#define BO_OP                0

/*------- Toestand-macro's SG gekoppeld -------*/
#define WR                   0
#define ROG                  1
#define RVG                  2
#define VG                   3
#define VAG1e                4
#define WG                   5
#define VAG2e                6
#define MVG                  7
#define R                    8
#define G                    9
#define GL                   10

/*------- Tijd-macro's, SG LOPEND gekoppeld -------*/
#define VG_TIJD              0
#define GG_TIJD              3
#define GR_TIJD              4
#define GL_TIJD              5
#define MG_TIJD              6
#define GGL_TIJD             7

/*------- Tijd-macro's, SG WAARDE gekoppeld -------*/
#define inst_VG_TIJD         0
#define inst_GG_TIJD         3
#define inst_GR_TIJD         4
#define inst_GL_TIJD         5
#define inst_MG_TIJD         6
#define inst_GGL_TIJD        7
#define inst_MG_TIJD1        11
#define inst_MG_TIJD2        12
#define inst_MG_TIJD3        13
#define inst_MG_TIJD4        14
#define inst_MG_TIJD5        15
#define inst_MG_TIJD6        16
#define inst_MG_TIJD7        19
#define inst_MG_TIJD8        20
#define inst_MG_TIJD9        21
#define inst_MG_TIJD10       22
#define inst_MG_TIJD11       23
#define inst_MG_TIJD12       24
#define interne_toestand     25

/*------- Onderlinge-tijd-macro's, SG LOPEND gekoppeld -------*/
#define O_TIJD               0
#define GO_TIJD              1

/*------- Onderlinge-tijd-macro's, SG WAARDE gekoppeld -------*/
#define inst_O_TIJD          0
#define inst_GO_TIJD         1
#define INT                  2

/*------- User-defined-macro's, LOPEND -----*/
#define HF                   0
#define KL                   1
#define SCH                  4
#define TIJD                 5
#define DFOUT                7
#define DFOUT_BG             8
#define DFOUT_OG             9
#define D                    10
#define DFOUT_FG             11
#define B_TIJD               15
#define H_TIJD               16

/*------- User-defined-macro's, WAARDE -----*/
#define inst_1e_KL           2
#define inst_2e_KL           3
#define REGSTAT              13
#define DVWD                 14
#define inst_B_TIJD          15
#define inst_H_TIJD          16
#define inst_H_TIJD1         17
#define inst_H_TIJD2         18


/*------- Tellers-macro's -------*/
#define ronde_teller         0
#define datum                1
#define tijd                 2
#define dag                  3
#define error                4
#define err1                 5
#define err2                 6
#define err3                 7
#define versie               8
#define dagnummer            9
#define maandnummer          10
#define jaarnummer           11

/*------- Koppel-signalen -------*/
#define koppelsignaal        0


end
)MACRODEF";
}  // namespace

std::string_view builtinMacroText() {
    return kMacroText;
}

}  // namespace veltro
