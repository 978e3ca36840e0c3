#include "pendrel/project/preprocess.h"

#include <vector>

namespace pendrel {
namespace {

constexpr std::size_t kMaxPiece = 239;

// Splits text into the pieces a line reader of 239 characters returns; each
// piece keeps its line feed when it has one.
std::vector<std::string> readPieces(std::string_view text) {
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::size_t lineEnd = end == std::string_view::npos ? text.size() : end + 1;
        std::size_t len = std::min(lineEnd - pos, kMaxPiece);
        std::string piece(text.substr(pos, len));
        if (piece.size() >= 2 && piece.ends_with("\r\n")) {
            piece.erase(piece.size() - 2, 1);
        }
        pieces.push_back(std::move(piece));
        pos += len;
    }
    return pieces;
}

bool lineHas(std::string_view line, std::string_view word) {
    return line.find(word) != std::string_view::npos;
}

}  // namespace

bool mentionsPcOmgeving(std::string_view text) {
    for (const std::string& piece : readPieces(text)) {
        if (lineHas(piece, "#ifdef pc_omgeving") || lineHas(piece, "#ifndef pc_omgeving")) {
            return true;
        }
    }
    return false;
}

std::string preprocessSource(std::string_view text, bool pcOmgevingDefined) {
    std::string out;
    out.reserve(text.size());
    bool inSection = false;
    bool keep = true;
    for (std::string piece : readPieces(text)) {
        if (std::size_t slash = piece.find("//"); slash != std::string::npos) {
            bool hadNewline = piece.ends_with('\n');
            piece.erase(slash);
            if (hadNewline) {
                piece += '\n';
            }
        }
        if (!inSection) {
            if (lineHas(piece, "#ifdef pc_omgeving")) {
                inSection = true;
                keep = pcOmgevingDefined;
                continue;
            }
            if (lineHas(piece, "#ifndef pc_omgeving")) {
                inSection = true;
                keep = !pcOmgevingDefined;
                continue;
            }
            out += piece;
            continue;
        }
        // Sections do not nest: the first #endif closes whatever is open.
        if (lineHas(piece, "#else")) {
            keep = !keep;
        } else if (lineHas(piece, "#endif")) {
            inSection = false;
        } else if (keep) {
            out += piece;
        }
    }
    return out;
}

}  // namespace pendrel
