#include "common/atomic_file.h"

// open, write, commit and discard are in atomic_file_posix.cpp and
// atomic_file_win32.cpp, one of which is built.

namespace fs = std::filesystem;

namespace common {

AtomicFileWriter::AtomicFileWriter(fs::path target) : m_target(std::move(target)) {}

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

bool writeFileAtomically(const fs::path& target, std::string_view bytes, std::error_code* error) {
    AtomicFileWriter writer(target);
    const bool written = writer.open() && writer.write(bytes) && writer.commit();
    if (error != nullptr)
        *error = writer.error();
    return written;
}

}  // namespace common
