#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tonvia::test {

// CONFIL bytes written out by hand from the records' layout.
std::string le32(std::int32_t value);
std::string framed(const std::string& data);
std::string padded(const std::string& text, std::size_t length = 130);
std::string ints(const std::vector<std::int32_t>& values);

}  // namespace tonvia::test
