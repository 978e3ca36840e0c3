// Any bytes as a journal left behind by an acceptance run: it is taken over
// or refused, never half; a taken-over journal keeps its originals through
// a further run's keep() and, once that keep() writes it, reads back as it
// was written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "support/veltro/tool_fakes.h"
#include "support/veltro/tool_tables.h"
#include "veltro/tools/acceptance_journal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = "p/afname_originelen.txt";
    test_support::MemoryTextFiles files;
    files.put(path, bytes);
    veltro::tools::AcceptanceJournal journal(files, path, {"p", ""});
    const auto left = journal.leftBehind();
    if (!left)
        __builtin_trap();  // the file is there
    static auto tables = test_support::sampleTables();
    const auto params = veltro::tools::sendOrder(veltro::tools::Category::Tijden, *tables);
    if (!left->backup) {
        // A damaged journal is never replaced.
        if (journal.keep(params.front()) || files.text(path) != bytes)
            __builtin_trap();
        return 0;
    }
    journal.adopt(*left->backup);
    const auto before = journal.originalOf(params.front());
    if (!journal.keep(params.front()))
        __builtin_trap();
    if (before && journal.originalOf(params.front()) != before)
        __builtin_trap();
    // Nothing new to keep leaves the file as it was left (duplicate rows too).
    const std::string written = files.text(path);
    if (written == bytes)
        return 0;
    const auto reread = veltro::tools::parseBackup(written);
    if (!reread.backup || reread.backup->rows.size() != journal.contents().rows.size())
        __builtin_trap();
    return 0;
}
