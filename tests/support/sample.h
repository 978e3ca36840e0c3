#pragma once

#include <string>

namespace test_support {

// The bundled sample intersection (every test target is told where the
// examples are).
inline const std::string kSample = std::string(EXAMPLES_DIR) + "/kruispunt";

}  // namespace test_support
