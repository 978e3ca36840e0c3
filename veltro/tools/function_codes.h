#pragma once

namespace veltro::tools::code {

// The function codes of the parameters, as the built-in macro table gives
// them (base code + number).
inline constexpr int kInstEparm = 32;
inline constexpr int kInstEggparm = 33;
inline constexpr int kInstTijd = 34;
inline constexpr int kInstVgTijd = 320;
inline constexpr int kInstGlTijd = 325;
inline constexpr int kInstMgTijd = 326;
inline constexpr int kInstMgTijd1 = 331;  // to inst_MG_TIJD6 = 336
inline constexpr int kInstMgTijd7 = 339;  // to inst_MG_TIJD12 = 344
inline constexpr int kInstOTijd = 384;
inline constexpr int kSch = 420;
inline constexpr int kInstKl1 = 450;
inline constexpr int kInstKl2 = 451;
inline constexpr int kInstBTijd = 463;
inline constexpr int kInstHTijd1 = 465;
inline constexpr int kInstHTijd2 = 466;

}  // namespace veltro::tools::code
