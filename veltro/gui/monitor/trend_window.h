#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "veltro/monitor/trend_store.h"

class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QSpinBox;
class QValueAxis;

namespace veltro::gui {

// "Trend": the plotted items' values over the last minutes, as steps, one
// line each, updated live from the hub's trend store.
class TrendWindow final : public QWidget {
  public:
    explicit TrendWindow(const monitor::TrendStore& store, QWidget* parent = nullptr);

    // Draws the store's series up to `nowMs`; the series are remade when the
    // store's items changed.
    void refresh(std::int64_t nowMs);

    // The lines made anew for the store's items (after they changed).
    void remake() { makeLines(); }
    int minutes() const;
    QChart* chart() const { return m_chart; }
    const std::vector<QLineSeries*>& lines() const { return m_lines; }

  private:
    void makeLines();

    const monitor::TrendStore& m_store;
    QChart* m_chart;
    QChartView* m_view;
    QDateTimeAxis* m_time;
    QValueAxis* m_values;
    QSpinBox* m_minutes;
    std::vector<QLineSeries*> m_lines;
};

}  // namespace veltro::gui
