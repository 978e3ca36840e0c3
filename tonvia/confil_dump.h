#pragma once

#include <string>
#include <string_view>

namespace tonvia {

// A short readable listing of the records of a CONFIL file, one line each.
// Returns false, with the listing up to the fault and a line saying what is
// wrong, when the bytes are not a well-formed CONFIL.
bool dumpConfil(std::string_view bytes, std::string& listing);

}  // namespace tonvia
