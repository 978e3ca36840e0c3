#include "veltro/session/message_log.h"

#include <gtest/gtest.h>

#include "support/veltro/message_lines.h"
#include "support/veltro/prompts.h"
#include "support/veltro/requests.h"

namespace veltro {
namespace {

TEST(MessageLog, CompositionOfPrefixesKindsAndTexts) {
    test_support::RecordingLog rec;
    MessageLog& log = rec.log;
    log.setContextPrefix("f.plo");
    log.setLinePrefix(12);
    log.message(message_kind::kError, "x", "y");
    log.message(message_kind::kWarning, "a", {}, "c");
    log.setLinePrefix(-3);  // advances to 15
    log.message(message_kind::kSystem, "s");
    log.setContextPrefix({});
    log.setLinePrefix(0);
    log.message(message_kind::kDebug, "d");
    log.message(message_kind::kInformation, "i");
    log.message(9, "lost");
    log.setLinePrefix(-2);  // from a cleared prefix: 0 + 2
    log.message(message_kind::kInformation, "twee");
    log.setLinePrefix(-2);
    log.setLinePrefix(-5);
    log.message(message_kind::kInformation, "negen");
    EXPECT_EQ(rec.lines.lines, (std::vector<std::string>{
                                   "f.plo : (12) : fout : xy",
                                   "f.plo : (12) : waarschuwing : ac",
                                   "f.plo : (15) : systeem melding : s",
                                   "DEBUG MELDING : d",
                                   "i",
                                   "SYSTEM: Unknow message typelost",
                                   "(2) : twee",
                                   "(9) : negen",
                               }));
}

TEST(MessageLog, LineLimits) {
    test_support::RecordingLog rec;
    MessageLog& log = rec.log;
    // A context name is cut to 1021 characters; a prefix that would take the
    // line to 512 characters is left out.
    log.setContextPrefix(std::string(2000, 'n'));
    EXPECT_EQ(log.contextPrefix().size(), 1024U);
    log.setLinePrefix(1);
    log.message(message_kind::kInformation, "t");
    log.setContextPrefix(std::string(508, 'n'));  // 511 with " : "
    log.message(message_kind::kInformation, "t");
    log.setContextPrefix(std::string(509, 'n'));  // 512: left out
    log.message(message_kind::kInformation, "t");
    ASSERT_EQ(rec.lines.lines.size(), 3U);
    EXPECT_EQ(rec.lines.lines[0], "(1) : t");
    EXPECT_EQ(rec.lines.lines[1], std::string(508, 'n') + " : t");  // no room for "(1) : "
    EXPECT_EQ(rec.lines.lines[2], "(1) : t");

    // Each text is added whole while the line stays below 544 characters.
    log.setContextPrefix({});
    log.setLinePrefix(0);
    rec.lines.lines.clear();
    log.message(message_kind::kInformation, std::string(540, 'a'), "bbb", "c");
    log.message(message_kind::kInformation, std::string(540, 'a'), "bbbb", "c");
    EXPECT_EQ(rec.lines.lines[0], std::string(540, 'a') + "bbb");
    EXPECT_EQ(rec.lines.lines[1], std::string(540, 'a') + "c");
}

TEST(MessageLog, RefusedLineGoesToABox) {
    test_support::RecordingLog rec;
    rec.lines.accept = false;
    rec.log.message(message_kind::kInformation, "x");
    ASSERT_EQ(rec.prompts.boxes.size(), 1U);
    EXPECT_EQ(rec.prompts.boxes[0].caption, "DEBUG MESSAGE");
    EXPECT_EQ(rec.prompts.boxes[0].text,
              "De laatste mededeling kon niet worden toegevoegd aan "
              "het mededelingen venster");
}

}  // namespace
}  // namespace veltro
