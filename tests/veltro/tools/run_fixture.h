#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "support/veltro/prompts.h"
#include "support/veltro/tool_fakes.h"
#include "support/veltro/tool_tables.h"
#include "veltro/tools/parameter_store.h"
#include "veltro/tools/tool_run.h"
#include "veltro/tools/value_conversion.h"

namespace test_support {

// A whole tool run against a fake controller on a fake clock: the
// controller starts with the source values of every parameter.
struct RunFixture {
    RunFixture() : tables(sampleTables()), store(*tables), controller(store) {
        pacing.setInterval(std::chrono::milliseconds(100));
        for (veltro::tools::Category c : veltro::tools::kAllCategories) {
            for (const auto& p : veltro::tools::sendOrder(c, *tables))
                controller.values[key(p)] = veltro::tools::sourceInControllerUnits(p);
        }
    }
    static test_support::FakeController::Key key(const veltro::tools::ParameterRef& p) {
        return {p.record.functionCode, p.record.index, p.record.secondIndex};
    }
    veltro::tools::ToolSettings only(std::initializer_list<veltro::tools::Category> categories,
                                     const std::string& fileName = "lijst.txt") {
        veltro::tools::ToolSettings s;
        for (auto c : categories)
            s.selected[static_cast<std::size_t>(veltro::tools::categoryNumber(c))] = true;
        s.fileName = fileName;
        return s;
    }
    std::vector<veltro::CommandMode> modes() const { return controller.requests.modes(); }
    std::vector<int> writtenValues() const {
        std::vector<int> out;
        for (const auto& r : controller.requests.sent) {
            if (r.mode == veltro::CommandMode::Write)
                out.push_back(r.record.value);
        }
        return out;
    }

    std::unique_ptr<veltro::ElementTables> tables;
    veltro::tools::ParameterStore store;
    test_support::FakeController controller;
    veltro::tools::Pacing pacing;
    test_support::FakeToolProgress progress;
    test_support::MemoryTextFiles files;
    test_support::ScriptedPrompts prompts;
    veltro::tools::RunPorts ports{controller, controller.clock(), pacing, progress, files,
                                  prompts};
};

}  // namespace test_support
