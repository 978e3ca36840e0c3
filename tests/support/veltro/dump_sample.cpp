#include "veltro/gui/dump_sample.h"

#include <QPushButton>
#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "veltro/gui/dump_window.h"
#include "veltro/link/dump_receiver.h"
#include "veltro/link/link_flags.h"
#include "veltro/ports/byte_writer.h"
#include "veltro/ports/settings_store.h"
#include "veltro/ports/ui_dispatcher.h"

namespace veltro::gui {

namespace {

// No controller: the commands go nowhere, the answers are played in.
class SilentWriter final : public ByteWriter {
  public:
    bool writeBytes(std::span<const std::uint8_t>) override { return true; }
};

// The sample runs on the user-interface thread: posted work runs at once.
class InlineDispatcher final : public UiDispatcher {
  public:
    void post(std::function<void()> work) override { work(); }
};

// Settings in memory, so that no veltro.ini is touched.
class SampleSettings final : public SettingsStore {
  public:
    std::string readString(std::string_view, std::string_view key,
                           std::string_view defaultValue) const override {
        const auto found = m_values.find(std::string(key));
        return found == m_values.end() ? std::string(defaultValue) : found->second;
    }
    int readInt(std::string_view, std::string_view, int defaultValue) const override {
        return defaultValue;
    }
    bool writeString(std::string_view, std::string_view key, std::string_view value) override {
        m_values[std::string(key)] = std::string(value);
        return true;
    }
    bool writeInt(std::string_view, std::string_view, int) override { return true; }

  private:
    std::map<std::string, std::string> m_values;
};

// A short dump as a controller sends it: lines ended by a line feed, the end
// marker last.
std::string sampleDump() {
    std::string dump = "ALGEMEEN\nREGELAAR 214 DORPSWEG - MOLENLAAN\n\nSIGNAALGROEPEN\n";
    for (int group = 0; group < 12; ++group) {
        dump += "SG(" + std::to_string(group) + ")  TGG 40  TGL 30  TRG 20  TVG 100  ";
        dump += "TDH 0  STATUS RV\n";
    }
    dump += "\nDETECTOREN\n";
    for (int detector = 0; detector < 32; ++detector)
        dump += "D(" + std::to_string(detector) + ")  TDB 10  TDH 20  TOG 360  TBG 60\n";
    return dump + "EINDE DUMP\n\xFF\n";
}

void receive(link::DumpReceiver& receiver, const std::string& bytes) {
    receiver.receive(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace

struct DumpWindowSample::Parts {
    explicit Parts(const QString& directory) {
        settings.writeString("Hoofdvenster", "DPCOM file name",
                             (directory + QStringLiteral("/dpcom.dmp")).toStdString());
    }
    SilentWriter writer;
    InlineDispatcher dispatcher;
    SampleSettings settings;
    link::LinkFlags flags;
    DumpWindowPorts ports;
    link::DumpReceiver receiver{ports, ports, dispatcher};
    std::unique_ptr<DumpWindow> window;
};

DumpWindowSample::DumpWindowSample(const QString& directory, QWidget* parent)
    : m_parts(std::make_unique<Parts>(directory)) {
    Parts& p = *m_parts;
    p.window = std::make_unique<DumpWindow>(
        DumpWindowLinks{p.flags, p.writer, p.receiver, p.ports, p.settings}, parent);
    const auto click = [&](const char* name) {
        p.window->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    };
    click("dumpVerify");
    receive(p.receiver, "Verbinding met regelaar 214 in orde  ");
    click("dumpMake");
    click("dumpFetch");
    receive(p.receiver, sampleDump());
}

DumpWindowSample::~DumpWindowSample() = default;

DumpWindow& DumpWindowSample::window() {
    return *m_parts->window;
}

}  // namespace veltro::gui
