#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace veltro {

// A value as the controller reported it, kept beside the source value of the
// same parameter. The link's reader thread stores the value and then sets the
// mark (release); the GUI thread reads the mark (acquire) before the value.
//
// The first report stays as the remembered original (the acceptance run puts
// it back). Every report also becomes the latest value, stamped with the read
// round it came in, so that a check compares what the controller says now
// and not what it said in an earlier run.
class ControllerValue {
  public:
    ControllerValue() = default;
    ControllerValue(const ControllerValue& other) { *this = other; }
    ControllerValue& operator=(const ControllerValue& other) {
        m_value.store(other.m_value.load(std::memory_order_relaxed), std::memory_order_relaxed);
        m_received.store(other.m_received.load(std::memory_order_acquire),
                         std::memory_order_release);
        m_latest.store(other.m_latest.load(std::memory_order_relaxed), std::memory_order_relaxed);
        m_latestRound.store(other.m_latestRound.load(std::memory_order_acquire),
                            std::memory_order_release);
        return *this;
    }

    // Stores the first report only: false (and nothing changes) when a value
    // was received already.
    bool storeFirst(std::int32_t value) {
        if (m_received.load(std::memory_order_acquire))
            return false;
        m_value.store(value, std::memory_order_relaxed);
        m_received.store(true, std::memory_order_release);
        return true;
    }
    // A report in read round `round` (1 or more): the latest value always, the
    // original only when it is the first. True when it was the first.
    bool storeReport(std::int32_t value, std::uint32_t round) {
        m_latest.store(value, std::memory_order_relaxed);
        m_latestRound.store(round, std::memory_order_release);
        return storeFirst(value);
    }
    bool received() const { return m_received.load(std::memory_order_acquire); }
    std::int32_t value() const { return m_value.load(std::memory_order_relaxed); }

    // True when a report came in read round `round`; latest() is then the
    // last value reported.
    bool reportedIn(std::uint32_t round) const {
        return round != 0 && m_latestRound.load(std::memory_order_acquire) == round;
    }
    std::int32_t latest() const { return m_latest.load(std::memory_order_relaxed); }

  private:
    std::atomic<std::int32_t> m_value{0};
    std::atomic<bool> m_received{false};
    std::atomic<std::int32_t> m_latest{0};
    std::atomic<std::uint32_t> m_latestRound{0};  // 0: never reported
};

// Element names are fixed fields of 24 bytes: longer names keep their first 23
// characters.
inline constexpr std::size_t kElementNameMax = 23;

// Source values of a signal group, in the order the parameter table fills them.
namespace sg_value {
inline constexpr int kVg = 0;  // SG_TIJDEN_tabel[] field 3
inline constexpr int kGl = 1;  // SG_TIJDEN_tabel[] field 5
inline constexpr int kMg = 2;  // MG_TIJDEN_tabel[] field 2
inline constexpr int kCount = 15;
// MG time n (1 to 12): MG_TIJDEN_tabel[] fields 3-5, then E_, E2_ and E3_MG_TIJDEN_tabel[].
constexpr int mg(int n) {
    return kMg + n;
}
}  // namespace sg_value

// Source values of a detector, in the order the parameter table fills them.
namespace det_value {
inline constexpr int kHTijd1 = 0;   // SG_DETECTIE_tabel[] field 5
inline constexpr int kHTijd2 = 1;   // field 6
inline constexpr int kBztTijd = 2;  // field 4
inline constexpr int kCount = 3;
}  // namespace det_value

// Source values that are not set hold -1.0 for signal groups and detectors;
// the other kinds have no marker for a missing value.
struct SignalGroup {
    std::string name;
    std::int32_t number = -1;  // the digits after the first two characters of the name
    std::int32_t arrayNumber = -1;
    std::array<double, sg_value::kCount> source = filled(-1.0);
    std::array<ControllerValue, sg_value::kCount> controller{};

    static std::array<double, sg_value::kCount> filled(double v) {
        std::array<double, sg_value::kCount> a{};
        a.fill(v);
        return a;
    }
};

struct Detector {
    std::string name;
    std::int32_t arrayNumber = -1;
    std::int32_t word = 0;  // free for the parameter tools
    std::array<double, det_value::kCount> source{-1.0, -1.0, -1.0};
    std::array<ControllerValue, det_value::kCount> controller{};
};

struct Time {
    std::string name;
    std::int32_t arrayNumber = -1;
    std::int32_t word = 0;
    double source = 0.0;
    ControllerValue controller;
};

struct Clock {
    std::string name;
    std::int32_t arrayNumber = -1;
    std::int32_t word = 0;
    std::array<double, 2> source{0.0, 0.0};  // moment 1 and moment 2, as written (7.30)
    std::array<ControllerValue, 2> controller{};
};

struct Switch {
    std::string name;
    std::int32_t arrayNumber = -1;
    std::int32_t state = 0;  // 1 when its SCHAKELAAR_tabel text contains "AAN"
    ControllerValue controller;
};

struct IntParameter {  // EGGPARM
    std::string name;
    std::int32_t arrayNumber = -1;
    std::int32_t value = 0;
    ControllerValue controller;
};

struct Parameter {  // EPARM
    std::string name;
    std::int32_t arrayNumber = -1;
    std::int32_t word = 0;
    double value = 0.0;
    ControllerValue controller;
};

// One clearance time between two signal groups.
struct Conflict {
    static constexpr std::size_t kFromNameMax = 20;
    static constexpr std::size_t kToNameMax = 26;
    std::int32_t fromArrayNumber = -1;
    std::int32_t toArrayNumber = -1;
    std::string fromName;
    std::string toName;
    double value = 0.0;
    double extra = 0.0;  // free for the parameter tools
    ControllerValue controller;
};

// A fixed-capacity table: all slots exist from the start, `count` says how
// many are valid. Slots beyond the count keep what an earlier load left.
template <class T, int Capacity>
struct ElementTable {
    static constexpr int kCapacity = Capacity;
    std::vector<T> slots = std::vector<T>(Capacity);
    std::int32_t count = 0;

    T* begin() { return slots.data(); }
    T* end() { return slots.data() + validCount(); }
    const T* begin() const { return slots.data(); }
    const T* end() const { return slots.data() + validCount(); }
    int validCount() const { return count < 0 ? 0 : (count > Capacity ? Capacity : count); }
    T& operator[](int i) { return slots[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return slots[static_cast<std::size_t>(i)]; }
};

// The program-wide element tables: ZXAPDEF.H gives names, array numbers and
// counts, ZXAPTAB.C the source values, and the parameter tools the controller
// values. Reloading a definition header replaces names, numbers and source
// values but never the controller values and their marks.
struct ElementTables {
    ElementTable<SignalGroup, 80> signalGroups;
    ElementTable<Detector, 256> detectors;
    ElementTable<Time, 256> times;
    ElementTable<Clock, 256> clocks;
    ElementTable<IntParameter, 5000> intParameters;  // EGGP
    ElementTable<Parameter, 5000> parameters;        // EP
    ElementTable<Switch, 256> switches;
    ElementTable<Conflict, 1000> conflicts;
};

}  // namespace veltro
