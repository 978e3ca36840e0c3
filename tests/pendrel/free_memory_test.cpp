#include "pendrel/platform/free_memory.h"

#include <gtest/gtest.h>

namespace pendrel::platform {
namespace {

TEST(FreeMemory, MeminfoGivesTheMemoryProgramsCanStillGet) {
    const std::string meminfo =
        "MemTotal:       16318412 kB\n"
        "MemFree:          412340 kB\n"
        "MemAvailable:    9876543 kB\n"
        "Buffers:          100000 kB\n";
    EXPECT_EQ(availableMemoryInMeminfo(meminfo), std::uint64_t{9876543} * 1024);
    // Older kernels have no MemAvailable: free is not what programs can get.
    EXPECT_EQ(availableMemoryInMeminfo("MemTotal: 1 kB\nMemFree: 1 kB\n"), std::nullopt);
    EXPECT_EQ(availableMemoryInMeminfo("MemAvailable: veel\n"), std::nullopt);
    EXPECT_EQ(availableMemoryInMeminfo("MemAvailable: 12\n"), std::nullopt) << "no unit";
    EXPECT_EQ(availableMemoryInMeminfo(""), std::nullopt);
    // The machine the test runs on says how much it has.
    EXPECT_TRUE(freeMemory().has_value());
}

}  // namespace
}  // namespace pendrel::platform
