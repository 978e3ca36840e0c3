#pragma once

#include <string>
#include <string_view>

#include "rendall/dump_reader.h"
#include "rendall/errors.h"
#include "rendall/name_table.h"

namespace rendall {

// The listing file: title, the converted head part, the value sections and
// the interface part.
Error buildListing(std::string_view text, const DumpValues& values, const NameTable& names,
                   std::string_view intersection, std::string_view dumpName, std::string& listing);

}  // namespace rendall
