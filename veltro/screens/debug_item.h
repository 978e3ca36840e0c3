#pragma once

#include <string>

#include "veltro/ports/controller_record.h"

namespace veltro {

// One value field of a debug window: what it asks the controller for, and
// what its control shows.
struct DebugItem {
    static constexpr int kRequestedFlag = 1;  // takes part in the poll requests
    static constexpr int kSelectedFlag = 2;
    static constexpr std::size_t kTextCapacity = 15;

    int index = 0;  // position in the window's list; also the control identifier
    int flags = kRequestedFlag;
    bool edited = false;  // the engineer typed into the field since the last report
    int itemNumber = 0;   // NN of the value field
    int width = 0;        // character cells
    int textLength = 0;
    int column = 0;
    int row = 0;
    bool keepsLastValue = false;  // DVWD items also show their last non-zero value
    int lastNonZeroValue = 0;

    // The controller record, in its order.
    int functionCode = -1;  // -1 until the definition list names it
    int firstElement = -1;
    int block = -1;
    int onOff = 0;  // 1: a check box, 0: a number field
    int value = 0;

    std::string text;  // shown by a number field, at most kTextCapacity characters

    // The control's state as the front-end shows it.
    bool hasControl = false;   // defined items only; the others are never requested
    bool enabled = false;      // from the first value report until the window is hidden
    bool checked = false;      // check mark of an on/off item, as last reported
    bool stale = false;        // shown from before the link was lost, not reported since
    std::string reportedText;  // the number field's text for its last report

    bool requested() const { return (flags & kRequestedFlag) != 0; }
    bool selected() const { return (flags & kSelectedFlag) != 0; }
    bool isOnOff() const { return onOff != 0; }
    // The number field takes one character less than it is wide.
    int editLimit() const { return width > 0 ? width - 1 : 0; }

    ControllerRecord record() const {
        return ControllerRecord{functionCode, firstElement, block, onOff, value};
    }
};

// A word of fixed text in the picture.
struct FixedText {
    std::string text;
    int column = 0;
    int row = 0;
};

}  // namespace veltro
