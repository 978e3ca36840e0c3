#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "veltro/definitions/element_tables.h"

namespace ctrlsim {

// The codes of the built-in macro table that the simulator gives meaning to.
namespace code {
inline constexpr int kInstEparm = 32;
inline constexpr int kInstEggparm = 33;
inline constexpr int kInstTijd = 34;
inline constexpr int kStateR = 264;
inline constexpr int kStateG = 265;
inline constexpr int kStateGl = 266;
inline constexpr int kStateVg = 259;
inline constexpr int kVgTijd = 288;  // running flags of the signal group times
inline constexpr int kGlTijd = 293;
inline constexpr int kInstVgTijd = 320;
inline constexpr int kInstGlTijd = 325;
inline constexpr int kInstMgTijd = 326;
inline constexpr int kInterneToestand = 345;
inline constexpr int kInstOTijd = 384;
inline constexpr int kKlok = 417;  // clock period active
inline constexpr int kSch = 420;
inline constexpr int kTijdLoopt = 421;
inline constexpr int kDetector = 426;
inline constexpr int kInstKl1 = 450;
inline constexpr int kInstKl2 = 451;
inline constexpr int kInstBTijd = 463;
inline constexpr int kInstHTijd1 = 465;
inline constexpr int kInstHTijd2 = 466;
inline constexpr int kRondeTeller = 480;
inline constexpr int kDatum = 481;
inline constexpr int kTijd = 482;
inline constexpr int kDag = 483;
inline constexpr int kVersie = 488;
inline constexpr int kDagNummer = 489;
inline constexpr int kMaandNummer = 490;
inline constexpr int kJaarNummer = 491;
}  // namespace code

// The controller's calendar clock, as its date and time counters show it.
// The server reads it from the machine's local time; tests fix it.
struct LocalTime {
    int year = 2000;  // four digits
    int month = 1;    // 1 to 12
    int day = 1;      // 1 to 31
    int weekday = 6;  // 0 is Sunday (1 January 2000 was a Saturday)
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// (function code, index, second index) as a decoded frame names an object.
using ObjectKey = std::tuple<std::int32_t, std::int32_t, std::int32_t>;

// Every value of the simulated controller, and a simple fixed-time cycle that
// gives green to one signal group after the other, so that states, running
// flags, detectors and counters change while someone watches.
class SimModel {
  public:
    static constexpr std::chrono::milliseconds kGreen{4000};
    static constexpr std::chrono::milliseconds kAmber{2000};

    // Settings from the source in controller units: times, clearance times and
    // extra parameters x 10, clock moments x 100, switches and extra integer
    // parameters as they are.
    explicit SimModel(const veltro::ElementTables& elements);

    std::int32_t value(const ObjectKey& key) const;
    void setValue(const ObjectKey& key, std::int32_t value);
    bool has(const ObjectKey& key) const { return m_values.count(key) != 0; }

    // Moves the cycle to `elapsed` since the start; `now` feeds the date and
    // time counters.
    void advance(std::chrono::milliseconds elapsed, const LocalTime& now);

    const veltro::ElementTables& elements() const { return m_elements; }
    std::int32_t rounds() const { return m_rounds; }

  private:
    void loadSettings();
    void setSignalGroupState(int arrayNumber, bool green, bool amber);

    const veltro::ElementTables& m_elements;
    std::map<ObjectKey, std::int32_t> m_values;
    std::int32_t m_rounds = 0;
};

std::int32_t toControllerUnits(double source, int scale);

}  // namespace ctrlsim
