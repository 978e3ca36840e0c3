#include "pendrel/gui/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "pendrel/gui/texts.h"
#include "pendrel/session/status_texts.h"

namespace pendrel::gui {

AboutDialog::AboutDialog(QWidget* parent, const QString& memoryText, const QString& diskText)
    : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(fromUtf8(kAboutCaption));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(windowIcon().pixmap(size, size));
    top->addWidget(icon, 0, Qt::AlignTop);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(fromUtf8(kVersionText), this), 0, 0, 1, 2);
    grid->addWidget(new QLabel(fromUtf8(kFreeMemoryLabel), this), 1, 0);
    auto* memory = new QLabel(memoryText, this);
    memory->setObjectName(QStringLiteral("freeMemory"));
    grid->addWidget(memory, 1, 1);
    grid->addWidget(new QLabel(fromUtf8(kFreeDiskLabel), this), 2, 0);
    auto* disk = new QLabel(diskText, this);
    disk->setObjectName(QStringLiteral("freeDisk"));
    grid->addWidget(disk, 2, 1);
    top->addLayout(grid, 1);
    layout->addLayout(top);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(kOkText);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace pendrel::gui
