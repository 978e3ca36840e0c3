#include "veltro/gui/monitor/item_choice_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "veltro/gui/monitor/extra_texts.h"
#include "veltro/monitor/item_choice.h"
#include "veltro/monitor/logged_item.h"

namespace veltro::gui {

std::optional<std::vector<int>> chooseItems(const DebugScreen& screen,
                                            const monitor::FrameNames& names,
                                            const std::vector<int>& preset, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("VLTITEMCHOICE"));
    dialog.setWindowTitle(QString::fromUtf8(extra_texts::kChooseTitle));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("itemList"));
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    std::vector<int> indexes;
    for (int index : screen.controlledItems()) {
        const auto logged = monitor::loggedItems(screen, {index}, names);
        if (logged.empty())
            continue;
        list->addItem(QString::fromStdString(monitor::choiceText(logged.front())));
        const bool chosen = std::find(preset.begin(), preset.end(), index) != preset.end();
        list->item(list->count() - 1)->setSelected(chosen);
        indexes.push_back(index);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(420, 360);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<int> chosen;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            chosen.push_back(indexes[static_cast<std::size_t>(row)]);
    }
    if (chosen.empty())
        return std::nullopt;
    return chosen;
}

}  // namespace veltro::gui
