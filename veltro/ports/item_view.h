#pragma once

namespace veltro {

// The shown debug window's drawing: one item's value or state changed and its
// field is to be painted again. Called on the user-interface thread; a widget
// collects these and repaints once, so many reports between two paints cost
// one paint and the last value wins.
class ItemView {
  public:
    virtual ~ItemView() = default;
    virtual void itemChanged(int item) = 0;
};

}  // namespace veltro
