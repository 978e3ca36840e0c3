#pragma once

#include <filesystem>

namespace ctrlsim {

// The running program's own file, to find what is installed beside it; empty
// when the system does not tell.
std::filesystem::path programFile();

}  // namespace ctrlsim
