#include "common/gui/file_dialogs.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

namespace common::gui {
namespace {

// A name as long as engineers give their dump and debug window files
// ("kruispunt_dorpsweg_molenlaan_2024.dmp") fits without scrolling.
constexpr int kNameCharacters = 48;

// The widgets of Qt's own dialog exist once it is shown, and its directory
// is read after that, on a thread of its own: the dialog is widened when it
// is shown and again when each directory has been read.
class UncutNames final : public QObject {
  public:
    explicit UncutNames(QFileDialog& dialog) : QObject(&dialog), m_dialog(dialog) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_dialog && event->type() == QEvent::Show)
            follow();
        return false;
    }

  private:
    void follow() {
        auto* tree = m_dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        if (tree == nullptr)
            return;  // the desktop's own dialog
        tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        if (!m_following) {
            m_following = true;
            if (auto* files = m_dialog.findChild<QFileSystemModel*>()) {
                connect(
                    files, &QFileSystemModel::directoryLoaded, this,
                    [this, tree] { widen(*tree); }, Qt::QueuedConnection);
            }
        }
        widen(*tree);
    }

    // As wide as the names and the other columns need, within the screen;
    // never narrower than the user made it.
    void widen(QTreeView& tree) {
        tree.resizeColumnToContents(0);
        QHeaderView* header = tree.header();
        int columns = std::max(header->sectionSize(0),
                               tree.fontMetrics().averageCharWidth() * kNameCharacters);
        for (int column = 1; column < header->count(); ++column) {
            if (!header->isSectionHidden(column))
                columns += header->sectionSize(column);
        }
        int wanted = m_dialog.width() - tree.viewport()->width() + columns;
        if (const QScreen* screen = m_dialog.screen())
            wanted = std::min(wanted, screen->availableGeometry().width() * 9 / 10);
        if (wanted > m_dialog.width())
            m_dialog.resize(wanted, m_dialog.height());
    }

    QFileDialog& m_dialog;
    bool m_following = false;
};

}  // namespace

void showFileNamesUncut(QFileDialog& dialog) {
    dialog.installEventFilter(new UncutNames(dialog));
}

}  // namespace common::gui
