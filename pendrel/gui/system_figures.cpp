#include "pendrel/gui/system_figures.h"

#include <QStorageInfo>
#include <fstream>
#include <sstream>

namespace pendrel::gui {

std::optional<std::uint64_t> freeMemory() {
    // Linux tells it in /proc/meminfo as "MemAvailable:  123456 kB".
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        std::istringstream fields(line);
        std::string key;
        std::uint64_t kilobytes = 0;
        if (fields >> key >> kilobytes && key == "MemAvailable:") {
            return kilobytes * 1024;
        }
    }
    return std::nullopt;
}

DiskFigures diskFigures(const std::string& directory) {
    QStorageInfo storage(QString::fromStdString(directory));
    DiskFigures figures;
    if (storage.isValid() && storage.isReady() && storage.bytesAvailable() >= 0) {
        figures.freeBytes = static_cast<std::uint64_t>(storage.bytesAvailable());
        figures.mountPoint = storage.rootPath().toStdString();
    }
    return figures;
}

}  // namespace pendrel::gui
