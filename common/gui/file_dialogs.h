#pragma once

class QFileDialog;

namespace common::gui {

// Lets a file dialog show its file names whole. Qt's own dialog (used where
// the desktop offers none) gives the name column a fixed width and cuts
// longer names ("kruispunt_dorp…"); this makes the column as wide as its
// longest name and the dialog wide enough for it, within the screen. A
// desktop's own dialog is left as it is. Call before the dialog is shown.
void showFileNamesUncut(QFileDialog& dialog);

}  // namespace common::gui
