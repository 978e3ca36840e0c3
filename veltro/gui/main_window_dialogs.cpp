// The main window's dialogs: opening debug window files, the two window
// lists, the font and the about box.
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QSplitter>

#include "common/gui/file_dialogs.h"
#include "common/gui/qt_text.h"
#include "veltro/gui/about_box.h"
#include "veltro/gui/main_window.h"
#include "veltro/gui/settings_font.h"
#include "veltro/gui/texts.h"
#include "veltro/gui/window_list_dialog.h"
#include "veltro/session/geometry.h"
#include "veltro/session/open_command.h"
#include "veltro/session/settings.h"
#include "veltro/session/window_dialogs.h"

namespace veltro::gui {
using common::gui::qtText;

void MainWindow::openCommand() {
    QFileDialog dialog(this, qtText(openDialogTitle(1)), QDir::currentPath());
    dialog.setObjectName(QStringLiteral("openDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    QStringList filters;
    for (const OpenDialogFilter& filter : OpenDialogFilters)
        filters << qtText(filter.text);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    dialog.setDefaultSuffix(qtText(kOpenDialogDefaultExtension));
    common::gui::showFileNamesUncut(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::vector<std::string> paths;
    for (const QString& file : dialog.selectedFiles())
        paths.push_back(QFile::encodeName(file).toStdString());
    openFiles(paths);
}

void MainWindow::openFiles(const std::vector<std::string>& paths) {
    const std::vector<std::string> words = openCommandWords(paths);
    openDebugFiles(words, m_parts.definitions, m_parts.messages, m_parts.windows, m_switchPorts);
    syncWindows();
    focusShownWindow();
}

void MainWindow::closeCommand() {
    CloseWindowsDialog logic(m_parts.windows, m_parts.debugDirectory);
    WindowListDialog* shownDialog = nullptr;
    WindowListDialog dialog(texts::kCloseWindowsTitle, texts::kCloseButton, this, [&](int line) {
        logic.select(line);
        logic.closeSelected(m_switchPorts, m_parts.messages);
        syncWindows();
        shownDialog->setLines(logic.lines(), logic.selected());
    });
    shownDialog = &dialog;
    dialog.setObjectName(QStringLiteral("closeWindows"));
    dialog.setLines(logic.lines(), logic.selected());
    dialog.exec();
    updateMenu();
    focusShownWindow();
}

void MainWindow::chooseCommand() {
    ChooseWindowDialog logic(m_parts.windows, m_parts.debugDirectory);
    WindowListDialog* shownDialog = nullptr;
    WindowListDialog dialog(texts::kChooseWindowTitle, texts::kChooseButton, this, [&](int line) {
        logic.select(line);
        logic.choose(m_screenPorts, m_switchPorts);
        refreshView();
        shownDialog->accept();
    });
    shownDialog = &dialog;
    dialog.setObjectName(QStringLiteral("chooseWindow"));
    dialog.setLines(logic.lines(), -1);
    dialog.exec();
    focusShownWindow();
}

void MainWindow::fontCommand() {
    QFontDialog dialog(m_splitter->font(), this);
    dialog.setObjectName(QStringLiteral("fontDialog"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QFont font = dialog.selectedFont();
    const int points = font.pointSize() > 0
                           ? font.pointSize()
                           : fontPointsFromHeight(-font.pixelSize(), logicalDpiY());
    const FontSettings chosen =
        VeltroSettings(m_parts.settings).writeChosenFont(font.family().toStdString(), points);
    applyFont(withFontWidth(font, chosen.width));
}

void MainWindow::aboutCommand() {
    AboutBox box(this);
    box.exec();
}

}  // namespace veltro::gui
