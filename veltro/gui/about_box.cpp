#include "veltro/gui/about_box.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "veltro/gui/program_icon.h"
#include "veltro/gui/texts.h"
#include "veltro/gui/window_placement.h"

namespace veltro::gui {

AboutBox::AboutBox(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QString::fromUtf8(texts::kAboutTitle));
    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(32, 32));
    auto* product = new QLabel(QString::fromUtf8(texts::kAboutProduct), this);
    auto* version = new QLabel(QString::fromUtf8(texts::kAboutVersion), this);
    auto* ok = new QPushButton(QString::fromUtf8(texts::kAboutOk), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(ok, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->setHorizontalSpacing(16);
}

// Centred once its size is known.
void AboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget() != nullptr)
        centreOverOwner(*this, *parentWidget());
}

}  // namespace veltro::gui
