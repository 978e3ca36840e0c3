#pragma once

#include <string>
#include <vector>

#include "veltro/tools/difference_check.h"

namespace veltro::tools {

// The difference check's exact report, one line per parameter asked:
//
//   categorie;parameter;element;naar;bron;ruw;waarde;verschil;antwoord
//   VG-tijden;inst_VG_TIJD;SG02;;6;77;7.7;ja;ja
//
// the category word, the macro, the element(s), the source value as
// ZXAPTAB.C holds it, the controller's value raw and in the source's unit
// (exact: the messages drop its fraction), "ja"/"nee" for different, and
// "ja"/"nee" for answered (an unanswered line has no controller values and
// is not different).
std::string differenceCsv(const std::vector<ComparedParameter>& compared);

}  // namespace veltro::tools
