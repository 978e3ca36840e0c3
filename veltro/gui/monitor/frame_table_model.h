#pragma once

#include <QAbstractTableModel>

#include "veltro/monitor/frame_history.h"
#include "veltro/monitor/frame_names.h"
#include "veltro/monitor/frame_row_cache.h"
#include "veltro/monitor/frame_view.h"

namespace veltro::gui {

// The monitor's rows for a table view: the frames of the view, each decoded
// once when its row is first painted (only the visible ones ever are).
class FrameTableModel final : public QAbstractTableModel {
  public:
    FrameTableModel(const monitor::FrameHistory& history, const monitor::FrameNames& names,
                    QObject* parent = nullptr);

    monitor::FrameView& view() { return m_view; }
    // Frames decoded for their rows so far.
    std::uint64_t described() const { return m_rows.described(); }
    // Takes what the history gained and lost since the last call.
    void update();
    void setFilter(monitor::FrameFilter filter);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const monitor::FrameHistory& m_history;
    const monitor::FrameNames& m_names;
    monitor::FrameView m_view;
    mutable monitor::FrameRowCache m_rows;
};

}  // namespace veltro::gui
