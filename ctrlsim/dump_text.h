#pragma once

#include <string>

#include "ctrlsim/sim_model.h"

namespace ctrlsim {

// The dump that the simulator sends on 'O': from "ALGEMEEN" to "EINDE DUMP",
// lines of at most 80 characters, elements named by array number, in the
// layout that the dump post-processor reads. Ends with 0xFF and a line feed.
std::string buildDump(const SimModel& model);

// The answer to 'V': a short text that ends in two blanks.
std::string verificationText();

}  // namespace ctrlsim
