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
inline constexpr int InstEparm = 32;
inline constexpr int InstEggparm = 33;
inline constexpr int InstTijd = 34;
inline constexpr int StateR = 264;
inline constexpr int StateG = 265;
inline constexpr int StateGl = 266;
inline constexpr int StateVg = 259;
inline constexpr int VgTijd = 288;  // running flags of the signal group times
inline constexpr int GlTijd = 293;
inline constexpr int InstVgTijd = 320;
inline constexpr int InstGlTijd = 325;
inline constexpr int InstMgTijd = 326;
inline constexpr int InterneToestand = 345;
inline constexpr int InstOTijd = 384;
inline constexpr int Klok = 417;  // clock period active
inline constexpr int Sch = 420;
inline constexpr int TijdLoopt = 421;
inline constexpr int Detector = 426;
inline constexpr int InstKl1 = 450;
inline constexpr int InstKl2 = 451;
inline constexpr int InstBTijd = 463;
inline constexpr int InstHTijd1 = 465;
inline constexpr int InstHTijd2 = 466;
inline constexpr int RondeTeller = 480;
inline constexpr int Datum = 481;
inline constexpr int Tijd = 482;
inline constexpr int Dag = 483;
inline constexpr int Versie = 488;
inline constexpr int DagNummer = 489;
inline constexpr int MaandNummer = 490;
inline constexpr int JaarNummer = 491;
}  // namespace code

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

    // Moves the cycle to `elapsed` since the start; `wallClock` feeds the
    // date and time counters (seconds since the epoch, local time).
    void advance(std::chrono::milliseconds elapsed, std::int64_t wallClock);

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
