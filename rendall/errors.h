#pragma once

#include <string>
#include <string_view>

namespace rendall {

// The numbered errors of the program; the number is also its exit code.
enum ErrorCode : int {
    kOk = 0,
    kFileTooLarge = 1,
    kAborted = 2,
    kExpressionInDefine = 3,
    kSeveralDumps = 4,
    kKeywordTwice = 5,
    kDumpLineTooLong = 6,
    kNoEndHeading = 7,
    kNoStartHeading = 8,
    kHeadingMissing = 9,
    kGreaterThanNumov = 10,
    kCountTooLarge = 11,
    kFileMissing = 12,
    kNoOverwrite = 13,
    kKeywordMissing = 14,
    kConflictingValues = 15,
    kDefinitionMissing = 16,
    kSymbolValueTooLarge = 17,
    kWriteFailed = 18,
    // Our own additions for limits the original left open.
    kNameTooLong = 19,
    kTooManyDefinitions = 20,
};

// An error with its message text (without the "Fout opgetreden !!!" line).
struct Error {
    int code = kOk;
    std::string message;

    bool ok() const { return code == kOk; }
};

// Builds the error with its Dutch message; `first` and `second` fill the
// placeholders of that message in order (unused ones are ignored).
Error makeError(int code, std::string_view first = {}, std::string_view second = {});

}  // namespace rendall
