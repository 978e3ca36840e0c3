// Generation of all 28 categories for a maximal application: 48 signal
// groups, 256 detectors, 500 conflicts, 4096 extra parameters, 256 auxiliary
// functions and counters. Pages rendered in memory, then the whole run with
// its files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "pendrel/generator/categories.h"
#include "pendrel/generator/generator.h"
#include "support/pendrel/recording_progress.h"
#include "support/pendrel/recording_prompts.h"

namespace pendrel {
namespace {

std::vector<std::string> names(const std::string& prefix, int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        std::string name = prefix;
        name += std::to_string(i);
        out.push_back(std::move(name));
    }
    return out;
}

ProjectData maximalApplication() {
    ProjectData data;
    data.noBlocks = false;
    data.signalGroups = names("SG", 48);
    data.sgTimeGroups = data.signalGroups;
    for (const std::string& group : data.signalGroups) {
        data.maxGreen.push_back({group, {true, true, true, true}});
        for (auto& rows : data.extraMaxGreen) {
            rows.push_back({group, {true, true, true}});
        }
    }
    const std::vector<std::string> detectorNames = names("D", 256);
    for (int d = 0; d < 256; ++d) {
        data.detectors.push_back({detectorNames[d], data.signalGroups[d % 48]});
        data.pairs.push_back({data.signalGroups[d % 48], std::to_string(d % 5)});
    }
    for (int c = 0; c < 500; ++c) {
        data.conflicts.push_back({data.signalGroups[c % 48], data.signalGroups[(c + 7) % 48]});
    }
    for (int b = 0; b < 10; ++b) {
        Block block{names("B", 10)[b], {}};
        for (int e = 0; e < 14; ++e) {
            block.entries.push_back(
                {data.signalGroups[(b * 5 + e) % 48], e % 3 ? BlockMark::Prim : BlockMark::Alt});
        }
        data.blocks.push_back(block);
    }
    data.auxiliaryFunctions = names("HF", 256);
    data.counters = names("TL", 256);
    data.times = names("T", 256);
    data.switches = names("SCH", 256);
    data.clocks = names("KL", 48);
    data.extraParameters = names("EP", 4096);
    data.extraParameterCount = 4096;
    data.extraIntegerParameters = names("EGGP", 4096);
    data.extraIntegerParameterCount = 4096;
    data.otherInputs = names("IS", 128);
    data.otherOutputs = names("US", 128);
    data.programmes = names("", 10);
    for (int c = 0; c < 128; ++c) {
        data.couplings.push_back({data.auxiliaryFunctions[c], c % 2 == 0});
    }
    data.available.fill(true);
    return data;
}

void BM_RenderAllCategories(benchmark::State& state) {
    ProjectData data = maximalApplication();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const Category& category : categories()) {
            for (const Page& page : category.write(data)) {
                bytes += page.render().size();
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_RenderAllCategories)->Unit(benchmark::kMillisecond);

// The whole run: every file written through a temporary file and renamed,
// and the list file.
void BM_GenerationRun(benchmark::State& state) {
    namespace fs = std::filesystem;
    fs::path target = fs::temp_directory_path() / "pendrel-bench";
    fs::create_directories(target);
    Project project(target);
    project.adopt(maximalApplication(), {});
    GenerationSettings settings;
    settings.targetDirectory = target;
    settings.selected = testSelection();
    test_support::RecordingPendrelPrompts prompts;
    prompts.yesNoAnswer = true;
    prompts.otherExistingAnswer = Prompts::ExistingFile::OverwriteAll;
    test_support::RecordingPendrelProgress progress;
    for (auto _ : state) {
        prompts.clear();
        progress.clear();
        if (runGeneration(project, settings, prompts, progress) != GenerationResult::Completed) {
            state.SkipWithError("generation failed");
        }
    }
    fs::remove_all(target);
}
BENCHMARK(BM_GenerationRun)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pendrel
