// The designer's source readers on any bytes: the preprocessing, the header's
// lists and signal groups, and every table of the parameter table source.
#include <cstdint>
#include <string>
#include <string_view>

#include "pendrel/project/header_reader.h"
#include "pendrel/project/preprocess.h"
#include "pendrel/project/table_reader.h"
#include "support/pendrel/recording_progress.h"
#include "support/pendrel/recording_prompts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bool defined = size > 0 && (data[0] & 1) != 0;
    std::string source = pendrel::preprocessSource(text, defined);
    pendrel::ProjectData project;
    project.noBlocks = pendrel::headerHasNoBlocks(source);
    pendrel::readHeaderLists(source, project);
    pendrel::readSignalGroupNames(source, "zxapdef.h", project);
    test_support::RecordingPendrelPrompts prompts;
    prompts.yesNoAnswer = true;
    test_support::RecordingPendrelProgress progress;
    pendrel::readTables(source, "zxaptab.c", prompts, progress, project);
    return 0;
}
