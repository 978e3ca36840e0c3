#include <system_error>

#include "ctrlsim/program_location.h"

namespace ctrlsim {

std::filesystem::path programFile() {
    std::error_code ec;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return program;
}

}  // namespace ctrlsim
