#include "support/veltro/dump_sample.h"

#include <QPushButton>
#include <cstdint>
#include <span>
#include <string>

#include "support/veltro/dispatcher.h"
#include "support/veltro/link_ports.h"
#include "support/veltro/settings.h"
#include "veltro/gui/dump_window.h"
#include "veltro/link/dump_receiver.h"
#include "veltro/link/link_flags.h"

namespace test_support {

namespace {

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

void receive(veltro::link::DumpReceiver& receiver, const std::string& bytes) {
    receiver.receive(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

}  // namespace

// No controller: the commands go nowhere, the answers are played in on the
// user-interface thread, and no veltro.ini is touched.
struct DumpWindowSample::Parts {
    explicit Parts(const QString& directory) {
        settings.writeString("Hoofdvenster", "DPCOM file name",
                             (directory + QStringLiteral("/dpcom.dmp")).toStdString());
    }
    RecordingWriter writer;
    FakeDispatcher dispatcher{FakeDispatcher::Mode::Inline};
    MemorySettings settings;
    veltro::link::LinkFlags flags;
    veltro::gui::DumpWindowPorts ports;
    veltro::link::DumpReceiver receiver{ports, ports, dispatcher};
    std::unique_ptr<veltro::gui::DumpWindow> window;
};

DumpWindowSample::DumpWindowSample(const QString& directory, QWidget* parent)
    : m_parts(std::make_unique<Parts>(directory)) {
    Parts& p = *m_parts;
    p.window = std::make_unique<veltro::gui::DumpWindow>(
        veltro::gui::DumpWindowLinks{p.flags, p.writer, p.receiver, p.ports, p.settings}, parent);
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

veltro::gui::DumpWindow& DumpWindowSample::window() {
    return *m_parts->window;
}

}  // namespace test_support
