#pragma once

#include <memory>

namespace veltro::link {

// Work posted to the user-interface thread may run after the object that
// posted it is gone. The object keeps a token; the work holds a watcher and
// does nothing once the token has died. Both die and run on the same thread,
// so the check cannot race with the destruction.
class LifeToken {
  public:
    using Watcher = std::weak_ptr<const int>;
    Watcher watch() const { return m_token; }

  private:
    std::shared_ptr<const int> m_token = std::make_shared<const int>(0);
};

}  // namespace veltro::link
