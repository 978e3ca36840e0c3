#pragma once

#include <QDialog>

namespace veltro::gui {

// "Veltro Info": the program icon, the product and its version, and OK.
class AboutBox final : public QDialog {
  public:
    explicit AboutBox(QWidget* owner);

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace veltro::gui
