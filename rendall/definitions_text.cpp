#include "rendall/definitions_text.h"

#include "rendall/text_util.h"

namespace rendall {
namespace {

// The header is read in pieces of at most 79 characters, each ending at its
// line feed at the latest; the block markers are recognised per piece.
constexpr std::size_t kPieceLength = 79;

template <typename Visit>
void forEachPiece(std::string_view text, Visit visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        end = end == std::string_view::npos ? text.size() : end + 1;
        end = std::min(end, pos + kPieceLength);
        visit(text.substr(pos, end - pos));
        pos = end;
    }
}

enum class Block { Outside, FirstBranch, SecondBranch };

// Decides whether a piece is copied, moving through the pc_omgeving block.
bool keepPiece(std::string_view piece, bool defined, Block& block) {
    switch (block) {
        case Block::Outside:
            if (contains(piece, "#ifdef pc_omgeving")) {
                block = Block::FirstBranch;
                return false;
            }
            return true;
        case Block::FirstBranch:
            if (contains(piece, "else")) {
                block = Block::SecondBranch;
                return false;
            }
            if (contains(piece, "endif")) {
                block = Block::Outside;
                return false;
            }
            return defined;
        case Block::SecondBranch:
            if (contains(piece, "endif")) {
                block = Block::Outside;
                return false;
            }
            return !defined;
    }
    return true;
}

}  // namespace

bool hasPcOmgevingBlock(std::string_view headerText) {
    bool found = false;
    forEachPiece(headerText, [&](std::string_view piece) {
        if (contains(piece, "#ifdef pc_omgeving"))
            found = true;
    });
    return found;
}

Error prepareDefinitionsText(std::string_view headerText, HeaderChoice choice, std::string& out) {
    out.clear();
    out.reserve(std::min(headerText.size(), kMaxDefinitionsText + 1));
    Block block = Block::Outside;
    bool tooLarge = false;
    forEachPiece(headerText, [&](std::string_view piece) {
        if (tooLarge)
            return;
        if (choice.asked && !keepPiece(piece, choice.defined, block))
            return;
        for (char c : piece) {
            if (c == '\t')
                c = ' ';
            const bool atLineStart = out.empty() || out.back() == '\n';
            if (c == ' ' && (atLineStart || out.back() == ' '))
                continue;
            if (c == '\n' && atLineStart)
                continue;
            if (out.size() == kMaxDefinitionsText) {
                tooLarge = true;
                return;
            }
            out.push_back(c);
        }
    });
    if (tooLarge)
        return makeError(kFileTooLarge);
    return {};
}

}  // namespace rendall
