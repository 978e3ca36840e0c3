#include "pendrel/gui/system_figures.h"

#include <QStorageInfo>

namespace pendrel::gui {

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
