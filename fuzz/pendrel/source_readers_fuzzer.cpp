// The designer's source readers on any bytes: the preprocessing, the header's
// lists and signal groups, and every table of the parameter table source.
#include <cstdint>
#include <string>
#include <string_view>

#include "pendrel/project/header_reader.h"
#include "pendrel/project/preprocess.h"
#include "pendrel/project/source_reader.h"

namespace {

class SilentPrompts : public pendrel::Prompts {
  public:
    void warning(std::string_view) override {}
    void information(std::string_view, std::string_view) override {}
    bool askYesNo(std::string_view, std::string_view) override { return true; }
    std::optional<std::string> askText(std::string_view, std::string_view,
                                       std::string_view) override {
        return std::nullopt;
    }
    ExistingFile askExistingFile(std::string_view) override { return ExistingFile::Cancel; }
};

class SilentProgress : public pendrel::Progress {
  public:
    void open(std::string_view) override {}
    void add(std::string_view) override {}
    void close() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bool defined = size > 0 && (data[0] & 1) != 0;
    std::string source = pendrel::preprocessSource(text, defined);
    pendrel::ProjectData project;
    project.noBlocks = pendrel::headerHasNoBlocks(source);
    pendrel::readHeaderLists(source, project);
    pendrel::readSignalGroupNames(source, "zxapdef.h", project);
    SilentPrompts prompts;
    SilentProgress progress;
    pendrel::readTables(source, "zxaptab.c", prompts, progress, project);
    return 0;
}
