#include <windows.h>

#include <string>

#include "ctrlsim/program_location.h"

namespace ctrlsim {

std::filesystem::path programFile() {
    // The name is cut to the buffer without saying how long it is: grow the
    // buffer until it fits.
    std::wstring name(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name);
        }
        name.resize(name.size() * 2);
    }
    return {};
}

}  // namespace ctrlsim
