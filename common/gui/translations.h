#pragma once

#include <QCoreApplication>
#include <QLocale>

namespace common::gui {

// Qt's own texts (the buttons and labels of its file, font and message
// dialogs) in the language of `locale`, from the translations that come
// with Qt (Debian: qt6-translations-l10n), so that they speak Dutch beside
// the programs' own Dutch. False when there are none for that language:
// Qt's English stays.
bool installQtTranslations(QCoreApplication& application,
                           const QLocale& locale = QLocale::system());

}  // namespace common::gui
