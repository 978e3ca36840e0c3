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

#include "veltro/gui/monitor/extra_texts.h"

namespace veltro::gui {
namespace {

constexpr std::int64_t kShortestMs = 10000;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString seriesName(const monitor::LoggedItem& item) {
    const QString what =
        QString::fromStdString(item.macro + (item.element.empty() ? "" : " " + item.element));
    return QStringLiteral("%1 (%2)").arg(QString::fromStdString(item.label), what.trimmed());
}

}  // namespace

TrendWindow::TrendWindow(const monitor::TrendStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_store(store),
      m_chart(new QChart),
      m_view(new QChartView(m_chart, this)),
      m_time(new QDateTimeAxis(m_chart)),
      m_values(new QValueAxis(m_chart)),
      m_minutes(new QSpinBox(this)) {
    setObjectName(QStringLiteral("VLTTREND"));
    setWindowTitle(text(extra_texts::kTrendTitle));
    m_minutes->setObjectName(QStringLiteral("trendMinutes"));
    m_minutes->setRange(1, static_cast<int>(store.spanMs() / 60000));
    m_minutes->setValue(5);
    m_time->setFormat(QStringLiteral("HH:mm:ss"));
    m_time->setTitleText(text(extra_texts::kTime));
    m_values->setTitleText(text(extra_texts::kValue));
    m_values->setLabelFormat(QStringLiteral("%.0f"));  // controller values are whole numbers
    m_chart->addAxis(m_time, Qt::AlignBottom);
    m_chart->addAxis(m_values, Qt::AlignLeft);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_view->setRenderHint(QPainter::Antialiasing);

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(text(extra_texts::kTrendMinutes), this));
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
        line->setName(seriesName(series.item));
        m_chart->addSeries(line);
        line->attachAxis(m_time);
        line->attachAxis(m_values);
        m_lines.push_back(line);
    }
}

void TrendWindow::refresh(std::int64_t nowMs) {
    if (m_lines.size() != m_store.series().size())
        makeLines();
    // The last minutes, or less while the trend is younger: a new trend
    // fills the width (ten seconds at least).
    std::int64_t from = nowMs - std::int64_t{minutes()} * 60000;
    std::int64_t first = nowMs - kShortestMs;
    for (const monitor::TrendSeries& series : m_store.series()) {
        if (!series.points.empty())
            first = std::min(first, series.points.front().timeMs);
    }
    from = std::max(from, first);
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto& points = m_store.series()[i].points;
        QList<QPointF> steps;
        steps.reserve(static_cast<qsizetype>(points.size() * 2 + 1));
        // Each value holds until the next one: a step at each change, and
        // the last value drawn on to now.
        for (std::size_t p = 0; p < points.size(); ++p) {
            const std::int64_t next = p + 1 < points.size() ? points[p + 1].timeMs : nowMs;
            if (next < from)
                continue;
            const double value = points[p].value;
            const double start = static_cast<double>(std::max(points[p].timeMs, from));
            steps.append({start, value});
            steps.append({static_cast<double>(next), value});
            low = std::min(low, value);
            high = std::max(high, value);
        }
        m_lines[i]->replace(steps);
    }
    m_time->setRange(QDateTime::fromMSecsSinceEpoch(from), QDateTime::fromMSecsSinceEpoch(nowMs));
    if (low > high) {
        low = 0;
        high = 1;
    }
    const double margin = std::max(1.0, (high - low) * 0.05);
    m_values->setRange(low - margin, high + margin);
    m_values->applyNiceNumbers();
}

}  // namespace veltro::gui
