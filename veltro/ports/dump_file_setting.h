#pragma once

#include <string>
#include <string_view>

namespace veltro {

// Where the dump dialog keeps its file name between openings ("DPCOM file
// name" of veltro.ini, default "dpcom.dmp").
class DumpFileSetting {
  public:
    virtual ~DumpFileSetting() = default;
    virtual std::string readDumpFileName() const = 0;
    // False when the settings file cannot be written.
    virtual bool writeDumpFileName(std::string_view name) = 0;
};

}  // namespace veltro
