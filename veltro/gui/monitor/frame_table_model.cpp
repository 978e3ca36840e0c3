#include "veltro/gui/monitor/frame_table_model.h"

#include <QColor>

#include "common/gui/qt_text.h"
#include "veltro/monitor/frame_text.h"

namespace veltro::gui {

FrameTableModel::FrameTableModel(const monitor::FrameHistory& history,
                                 const monitor::FrameNames& names, QObject* parent)
    : QAbstractTableModel(parent), m_history(history), m_names(names) {}

void FrameTableModel::update() {
    const int before = static_cast<int>(m_view.size());
    // The view has already moved on; the table only hears of it in the order
    // rows left and came, and asks for no data in between.
    const monitor::FrameView::Change change = m_view.update(m_history);
    if (change.removedFront > 0) {
        beginRemoveRows({}, 0, static_cast<int>(change.removedFront) - 1);
        endRemoveRows();
    }
    if (change.appended > 0) {
        const int first = before - static_cast<int>(change.removedFront);
        beginInsertRows({}, first, first + static_cast<int>(change.appended) - 1);
        endInsertRows();
    }
}

void FrameTableModel::setFilter(monitor::FrameFilter filter) {
    beginResetModel();
    m_rows.clear();
    m_view.setFilter(std::move(filter), m_history);
    endResetModel();
}

void FrameTableModel::clear() {
    beginResetModel();
    m_rows.clear();  // a reopened monitor may know other names
    m_view.clear(m_history);
    endResetModel();
}

int FrameTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_view.size());
}

int FrameTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(monitor::kFrameColumnCount);
}

QVariant FrameTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const monitor::FrameEntry& entry = m_view.at(m_history, row);
    if (role == Qt::ForegroundRole) {
        if (entry.kind != monitor::FrameKind::Frame)
            return QColor(Qt::darkRed);
        return entry.direction == monitor::FrameDirection::Out ? QColor(Qt::darkBlue) : QVariant();
    }
    if (role != Qt::DisplayRole)
        return {};
    const monitor::FrameColumns& columns = m_rows.columns(m_view.sequence(row), entry, m_names);
    return QString::fromStdString(
        *monitor::columnFields(columns)[static_cast<std::size_t>(index.column())]);
}

QVariant FrameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::string_view title =
        monitor::frameColumns().at(static_cast<std::size_t>(section)).title;
    return common::gui::qtText(title);
}

}  // namespace veltro::gui
