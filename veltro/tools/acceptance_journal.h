#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "veltro/ports/text_files.h"
#include "veltro/tools/backup_file.h"
#include "veltro/tools/parameter_walk.h"

namespace veltro::tools {

// The acceptance run's originals, kept on disk from before the first test
// value is written until a reset has put them back, so that a debugger that
// ends, crashes or sleeps during an acceptance run leaves them behind. The
// file is a parameter backup (`veltro --terugzetten DIR FILE` restores it),
// in the project directory, replaced whole at every change.
inline constexpr std::string_view kJournalFileName = "afname_originelen.txt";
std::string journalPath(std::string_view projectDirectory);

class AcceptanceJournal {
  public:
    AcceptanceJournal(TextFiles& files, std::string path, BackupOrigin origin);

    const std::string& path() const { return m_path; }

    // A journal on disk that this one did not write: a run that ended
    // before its reset. `error` tells a file that cannot be read as one;
    // such a file is never replaced (keep() refuses until it is gone).
    struct LeftBehind {
        std::optional<Backup> backup;
        std::string error;
    };
    std::optional<LeftBehind> leftBehind();

    // Takes over the rows of a journal left behind: their originals stand,
    // whatever the controller reports now (it may hold test values).
    void adopt(const Backup& earlier);

    // Before a test value goes into `p`: its original (the controller's
    // first report, or "nee" while none came) joins the journal, and rows
    // whose report has come since are filled in; the file is replaced
    // whole. False when it could not be written: no test value may go then.
    bool keep(const ParameterRef& p);

    // Fills in the originals reported since the last save; false when the
    // file could not be written.
    bool refresh();

    // The original of `p` as the journal holds it, when it holds one.
    std::optional<std::int32_t> originalOf(const ParameterRef& p) const;

    // The rows not in `visited` (backup rows' keys), answered ones only.
    Backup remainder(const std::vector<BackupRow>& visited) const;

    bool active() const { return !m_rows.empty(); }
    Backup contents() const;

    // After the originals were put back: the file goes, the rows too.
    bool retire();

  private:
    using Key = std::tuple<std::string, std::string, std::string, std::string>;
    struct Row {
        BackupRow row;
        const ControllerValue* value = nullptr;  // null for an adopted row
    };
    static Key keyOf(const BackupRow& row);
    bool fillReported();
    bool save();

    TextFiles& m_files;
    std::string m_path;
    BackupOrigin m_origin;
    std::vector<Row> m_rows;
    std::map<Key, std::size_t> m_index;
    bool m_blocked = false;  // a damaged journal of an earlier run lies there
};

}  // namespace veltro::tools
