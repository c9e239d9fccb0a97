// How long the work before the menu appears takes: reading a full configuration and building the
// top level of the menu from it. Korvo runs many times a day; this part must stay instant.
#include <benchmark/benchmark.h>

#include <string>

#include "app/run_state.h"
#include "config/loader.h"
#include "fake_platform.h"
#include "menu/menu_builder.h"

namespace {

// 500 folder lines in groups of ten, with marks between the groups: the largest table Korvo keeps.
std::string FullConfiguration(korvo::testing::FakePlatform& platform) {
    std::string text = "[system]\r\n@timeout=60\r\n%end\r\n[dir]\r\n";
    for (int group = 0; group < 50; ++group) {
        text += "{Group " + std::to_string(group) + "\r\n";
        for (int i = 0; i < 9; ++i) {
            std::string folder = "C:\\Down\\g" + std::to_string(group) + "\\f" + std::to_string(i);
            platform.AddFolder(folder);
            text += folder + " | Folder " + std::to_string(i) + "\r\n";
        }
        text += "}\r\n+\r\n";
    }
    return text + "%end\r\n";
}

void BM_LoadConfiguration(benchmark::State& state) {
    korvo::testing::FakePlatform platform;
    platform.AddFile("C:\\Korvo\\Korvo.ini", FullConfiguration(platform));
    for (auto _ : state) {
        korvo::RunState run = korvo::testing::StartedRun();
        benchmark::DoNotOptimize(korvo::LoadConfiguration(platform, run));
    }
}
BENCHMARK(BM_LoadConfiguration);

void BM_FillTopLevel(benchmark::State& state) {
    korvo::testing::FakePlatform platform;
    platform.AddFile("C:\\Korvo\\Korvo.ini", FullConfiguration(platform));
    korvo::RunState run = korvo::testing::StartedRun();
    korvo::LoadConfiguration(platform, run);
    korvo::MenuHandle menu = platform.CreatePopupMenu();
    for (auto _ : state) {
        benchmark::DoNotOptimize(korvo::FillMenuLevel(platform, run, menu, 0, 0));
    }
}
BENCHMARK(BM_FillTopLevel);

}  // namespace
