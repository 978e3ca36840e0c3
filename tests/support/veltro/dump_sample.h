#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace veltro::gui {
class DumpWindow;
}

namespace test_support {

// A dump window in a ready state, as a person sees it after a fetch: a
// verification answered, a dump made and fetched up to its end marker,
// stored in `directory`/dpcom.dmp. It owns the link parts the window works
// with; the window is not shown. Call on the user-interface thread.
class DumpWindowSample {
  public:
    explicit DumpWindowSample(const QString& directory, QWidget* parent = nullptr);
    ~DumpWindowSample();
    DumpWindowSample(const DumpWindowSample&) = delete;
    DumpWindowSample& operator=(const DumpWindowSample&) = delete;

    veltro::gui::DumpWindow& window();

  private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace test_support
