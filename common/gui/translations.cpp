#include "common/gui/translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace common::gui {

bool installQtTranslations(QCoreApplication& application, const QLocale& locale) {
    auto* translator = new QTranslator(&application);
    // "qtbase" holds the dialogs' texts; the language falls back from
    // "nl_BE" to "nl" by itself.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace common::gui
