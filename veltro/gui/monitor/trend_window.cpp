#include "veltro/gui/monitor/trend_window.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <limits>

#include "common/gui/qt_text.h"
#include "veltro/gui/monitor/extra_texts.h"
#include "veltro/monitor/item_choice.h"
#include "veltro/monitor/trend_plot.h"

namespace veltro::gui {
using common::gui::qtText;

TrendWindow::TrendWindow(const monitor::TrendStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_store(store),
      m_chart(new QChart),
      m_view(new QChartView(m_chart, this)),
      m_time(new QDateTimeAxis(m_chart)),
      m_values(new QValueAxis(m_chart)),
      m_minutes(new QSpinBox(this)) {
    setObjectName(QStringLiteral("VLTTREND"));
    setWindowTitle(qtText(extra_texts::kTrendTitle));
    m_minutes->setObjectName(QStringLiteral("trendMinutes"));
    m_minutes->setRange(1, static_cast<int>(store.spanMs() / 60000));
    m_minutes->setValue(5);
    m_time->setFormat(QStringLiteral("HH:mm:ss"));
    m_time->setTitleText(qtText(extra_texts::kTime));
    m_values->setTitleText(qtText(extra_texts::kValue));
    m_values->setLabelFormat(QStringLiteral("%.0f"));  // controller values are whole numbers
    m_chart->addAxis(m_time, Qt::AlignBottom);
    m_chart->addAxis(m_values, Qt::AlignLeft);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_view->setRenderHint(QPainter::Antialiasing);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(qtText(extra_texts::kTrendMinutes), this));
    controls->addWidget(m_minutes);
    controls->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_view, 1);
    resize(720, 420);
    makeLines();
}

int TrendWindow::minutes() const {
    return m_minutes->value();
}

void TrendWindow::makeLines() {
    for (QLineSeries* line : m_lines) {
        m_chart->removeSeries(line);
        delete line;
    }
    m_lines.clear();
    for (const monitor::TrendSeries& series : m_store.series()) {
        auto* line = new QLineSeries(m_chart);
        line->setName(QString::fromStdString(monitor::choiceText(series.item)));
        m_chart->addSeries(line);
        line->attachAxis(m_time);
        line->attachAxis(m_values);
        m_lines.push_back(line);
    }
}

void TrendWindow::refresh(std::int64_t nowMs) {
    if (m_lines.size() != m_store.series().size())
        makeLines();
    const std::int64_t from = monitor::trendStart(m_store, minutes(), nowMs);
    std::int64_t low = std::numeric_limits<std::int64_t>::max();
    std::int64_t high = std::numeric_limits<std::int64_t>::min();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::vector<monitor::PlotPoint> steps =
            monitor::trendSteps(m_store.series()[i].points, from, nowMs);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(steps.size()));
        for (const monitor::PlotPoint& step : steps) {
            points.append({static_cast<double>(step.timeMs), static_cast<double>(step.value)});
            low = std::min<std::int64_t>(low, step.value);
            high = std::max<std::int64_t>(high, step.value);
        }
        m_lines[i]->replace(points);
    }
    m_time->setRange(QDateTime::fromMSecsSinceEpoch(from), QDateTime::fromMSecsSinceEpoch(nowMs));
    const monitor::ValueAxis axis = monitor::valueAxis(low, high);
    m_values->setRange(static_cast<double>(axis.low), static_cast<double>(axis.high));
    m_values->setTickCount(axis.ticks);
}

}  // namespace veltro::gui
