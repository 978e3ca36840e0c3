#pragma once

#include <QString>
#include <string_view>

namespace pendrel::gui {

// Captions and button texts shared by the designer's boxes and dialogs.
inline const QString kProgramCaption = QStringLiteral("PENDREL");
inline const QString kOkText = QStringLiteral("OK");
inline const QString kCancelText = QStringLiteral("Annuleren");
inline const QString kYesText = QStringLiteral("Ja");
inline const QString kNoText = QStringLiteral("Nee");

inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace pendrel::gui
