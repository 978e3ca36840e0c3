#pragma once

// A full disk on purpose: a tmpfs of a few kilobytes mounted on a fresh
// directory, unmounted again afterwards. Mounting needs the right to (root in
// CI); where it is refused, mounted() is false and the test says it skipped.
#ifndef _WIN32
#include <sys/mount.h>
#endif

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace test_support {

class SmallDisk {
  public:
    explicit SmallDisk(std::size_t bytes) {
#ifndef _WIN32
        const std::string options = "size=" + std::to_string(bytes);
        m_mounted = ::mount("tmpfs", m_dir.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
#else
        (void)bytes;
#endif
    }
    ~SmallDisk() {
#ifndef _WIN32
        if (m_mounted)
            ::umount2(m_dir.path().c_str(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const {
        return m_mounted;
    }
    const std::filesystem::path& path() const {
        return m_dir.path();
    }

  private:
    TempDir m_dir;
    bool m_mounted = false;
};

}  // namespace test_support
