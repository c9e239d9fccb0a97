// How long the work before the menu appears takes: reading a full configuration and building the
// top level of the menu from it. Korvo runs many times a day; this part must stay instant.
#include <benchmark/benchmark.h>

#include <string>

#include "config/loader.h"
#include "state/run_state.h"
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

// The largest configuration a user can write: 10 parameters that the 500 folder lines use, and 10
// programs with their templates. The parameters switch placeholder expansion on for every line.
std::string LargestConfiguration(korvo::testing::FakePlatform& platform) {
    std::string text = "[system]\r\n@timeout=60\r\n@menu=0\r\n@param\r\n";
    for (int i = 0; i < 10; ++i) {
        std::string root = "C:\\Down" + std::to_string(i);
        text += "%p" + std::to_string(i) + "% | " + root + "\r\n";
        platform.AddFolder(root);
    }
    text += "%end\r\n[dir]\r\n";
    for (int group = 0; group < 50; ++group) {
        std::string param = "%p" + std::to_string(group % 10) + "%";
        std::string root = "C:\\Down" + std::to_string(group % 10);
        text += "{Group " + std::to_string(group) + "\r\n";
        for (int i = 0; i < 9; ++i) {
            std::string tail = "\\g" + std::to_string(group) + "\\f" + std::to_string(i);
            platform.AddFolder(root + tail);
            text += param + tail + " | Folder " + std::to_string(i) + "\r\n";
        }
        text += "}\r\n+\r\n";
    }
    text += "%end\r\n[exec]\r\n";
    for (int i = 0; i < 10; ++i) {
        std::string program = "C:\\Tools\\get" + std::to_string(i) + ".exe";
        platform.AddFile(program, "");
        text += program + " | get" + std::to_string(i) + "\r\n>-o \"%dir%\\%name%%ext%\" \"%url%\"\r\n";
    }
    return text + "%end\r\n";
}

// Everything the core does before the menu is up: read the configuration, build the top level.
void BM_LoadAndBuildTopMenu(benchmark::State& state) {
    korvo::testing::FakePlatform platform;
    platform.AddFile("C:\\Korvo\\Korvo.ini", LargestConfiguration(platform));
    for (auto _ : state) {
        korvo::RunState run = korvo::testing::StartedRun();
        korvo::LoadConfiguration(platform, run);
        korvo::MenuHandle menu = platform.CreatePopupMenu();
        benchmark::DoNotOptimize(korvo::FillMenuLevel(platform, run, menu, 0, 0));
        state.PauseTiming();
        platform.menus.clear();  // the fake keeps every menu it made; Windows would free them
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadAndBuildTopMenu)->Unit(benchmark::kMicrosecond);

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
