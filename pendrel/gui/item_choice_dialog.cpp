#include "pendrel/gui/item_choice_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "pendrel/gui/text_dialog.h"
#include "pendrel/gui/texts.h"
#include "pendrel/project/screen_records.h"

namespace pendrel::gui {
namespace {

void fill(QListWidget* list, const std::vector<std::string>& entries) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& entry : entries) {
        list->addItem(fromUtf8(entry));
    }
}

std::optional<std::size_t> rowOf(const QListWidget* list) {
    const int row = list->currentRow();
    return row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row));
}

void selectRow(QListWidget* list, std::optional<std::size_t> row) {
    const QSignalBlocker quiet(list);
    list->setCurrentRow(row ? static_cast<int>(*row) : -1);
}

}  // namespace

ItemChoiceDialog::ItemChoiceDialog(QWidget* parent, ScreenRecord& screen, const ProjectData& data)
    : QDialog(parent), m_model(screen, data), m_prompts(this) {
    setObjectName(QStringLiteral("ItemChoiceDialog"));
    setWindowTitle(QStringLiteral("Toevoegen debug-items"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const QString headings[] = {QStringLiteral("Macrogroepen"), QStringLiteral("Macro's"),
                                QString(), QString()};
    for (int i = 0; i < 4; ++i) {
        auto index = static_cast<std::size_t>(i);
        m_headings[index] = new QLabel(headings[i], this);
        m_lists[index] = new QListWidget(this);
        m_lists[index]->setObjectName(QStringLiteral("column%1").arg(i + 1));
        // The ">" marks line up in a fixed-pitch face.
        if (i >= 2) {
            QFont fixed(QStringLiteral("Courier"));
            fixed.setStyleHint(QFont::TypeWriter);
            m_lists[index]->setFont(fixed);
        }
        m_headings[index]->setBuddy(m_lists[index]);
        grid->addWidget(m_headings[index], 0, i);
        grid->addWidget(m_lists[index], 1, i);
        connect(m_lists[index], &QListWidget::currentRowChanged, this, [this, i] { chosen(i); });
    }
    fill(m_lists[0], m_model.groups());
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    auto* text = new QPushButton(QStringLiteral("Toevoegen verklarende tekst"), this);
    auto* add = new QPushButton(QStringLiteral("Toevoegen"), this);
    auto* close = new QPushButton(QStringLiteral("Sluiten"), this);
    text->setObjectName(QStringLiteral("addText"));
    add->setObjectName(QStringLiteral("add"));
    close->setObjectName(QStringLiteral("close"));
    for (QPushButton* button : {text, add, close}) {
        button->setAutoDefault(false);
    }
    add->setDefault(true);
    buttons->addWidget(text);
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(close);
    connect(text, &QPushButton::clicked, this, &ItemChoiceDialog::addText);
    connect(add, &QPushButton::clicked, this, &ItemChoiceDialog::addItem);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addLayout(buttons);
    showColumns(-1);
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 4 * 32, metrics.height() * 26);
}

void ItemChoiceDialog::chosen(int column) {
    std::optional<std::size_t> row = rowOf(m_lists[static_cast<std::size_t>(column)]);
    switch (column) {
        case 0:
            m_model.chooseGroup(row);
            break;
        case 1:
            m_model.chooseMacro(row);
            break;
        case 2:
            m_model.chooseThird(row);
            break;
        default:
            m_model.chooseFourth(row);
            break;
    }
    showColumns(column);
}

void ItemChoiceDialog::showColumns(int chosenColumn) {
    // A choice refills the columns to its right.
    if (chosenColumn < 1) {
        fill(m_lists[1], m_model.macros());
    }
    if (chosenColumn < 2) {
        fill(m_lists[2], m_model.thirdColumn());
    }
    if (chosenColumn < 3) {
        fill(m_lists[3], m_model.fourthColumn());
    }
    m_headings[2]->setText(fromUtf8(m_model.thirdHeading()));
    m_headings[3]->setText(fromUtf8(m_model.fourthHeading()));
}

void ItemChoiceDialog::addItem() {
    if (m_model.add(m_prompts)) {
        std::optional<std::size_t> third = rowOf(m_lists[2]);
        std::optional<std::size_t> fourth = rowOf(m_lists[3]);
        fill(m_lists[2], m_model.thirdColumn());
        fill(m_lists[3], m_model.fourthColumn());
        selectRow(m_lists[2], third);
        selectRow(m_lists[3], fourth);
    }
}

void ItemChoiceDialog::addText() {
    QString typed;
    for (;;) {
        TextDialog dialog(this, QStringLiteral("Toevoegen verklarende tekst"), QString(),
                          QStringLiteral("Geef de verklarende tekst"), typed,
                          static_cast<int>(kMaxTextLength));
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        typed = dialog.value();
        if (m_model.addText(typed.toStdString(), m_prompts)) {
            return;
        }
    }
}

}  // namespace pendrel::gui
