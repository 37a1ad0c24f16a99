// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop window with a definition of 230 items: opening it and filling every page,
// switching pages, and showing an entry, each through the model and the widgets. Runs
// offscreen. Resident memory after opening is reported as a counter.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/definition_file.h"
#include "ui/desktop.h"

namespace {

// 230 items: properties, methods, events and variables in equal parts.
std::filesystem::path FullDefinition() {
  static const std::filesystem::path file = [] {
    kx::model::ComponentDef def;
    kx::model::ClearDefinition(def);
    def.MainInfo.UnitName = "Big";
    def.MainInfo.NewClassName = "TBig";
    def.MainInfo.ParentClassName = "TWinControl";
    def.MainInfo.VCLAncestorName = "TWinControl";
    kx::model::ResetUnits(def.MainInfo.Units);
    for (int i = 0; def.Count() < kx::model::kMaxItems; ++i) {
      const std::string n = std::to_string(i);
      switch (i % 4) {
        case 0: {
          kx::model::ItemDef p = kx::model::NewPropertyItem("Prop" + n);
          p.Property().PropType = "Integer";
          kx::model::AddItem(def, std::move(p));
          break;
        }
        case 1:
          kx::model::AddItem(def, kx::model::NewMethodItem("Method" + n + "(A : Integer)"));
          break;
        case 2:
          kx::model::AddItem(def, kx::model::NewExistingEventItem("OnEvent" + n));
          break;
        default: {
          kx::model::ItemDef v = kx::model::NewVariableItem("FVar" + n);
          v.Variable().DataType = "TStringList";
          kx::model::AddItem(def, std::move(v));
          break;
        }
      }
    }
    const auto path = std::filesystem::temp_directory_path() / "kx-bench-big.cd";
    std::ofstream(path, std::ios::binary) << kx::store::WriteDefinition(def, "kx-bench-big.cd");
    return path;
  }();
  return file;
}

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

struct Window {
  Window() : desktop(Settings(), kx::store::BuiltInPalettePages()) {
    desktop.window().show();
    QApplication::processEvents();
  }
  static kx::store::Settings Settings() {
    kx::store::Settings settings;
    settings.file = std::filesystem::temp_directory_path() / "kx-bench-Kestrix.ini";
    return settings;
  }
  kx::ui::Desktop desktop;
};

void BM_OpenAndFillEveryPage(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    // From an empty window each time, so that every list is filled anew.
    state.PauseTiming();
    w.desktop.model().Start(std::nullopt);
    w.desktop.window().Render();
    QApplication::processEvents();
    state.ResumeTiming();
    w.desktop.model().Start(FullDefinition());
    w.desktop.window().Render();
    QApplication::processEvents();
  }
  state.counters["resident_MiB"] = static_cast<double>(ResidentKiB()) / 1024.0;
}
BENCHMARK(BM_OpenAndFillEveryPage)->Unit(benchmark::kMillisecond);

void BM_SwitchPage(benchmark::State& state) {
  Window w;
  w.desktop.model().Start(FullDefinition());
  w.desktop.window().Render();
  int page = 0;
  for (auto _ : state) {
    page = (page + 1) % kx::commands::kPageCount;
    w.desktop.window().Run(
        [&] { w.desktop.model().PageChange(static_cast<kx::commands::Page>(page)); });
    QApplication::processEvents();
  }
}
BENCHMARK(BM_SwitchPage)->Unit(benchmark::kMillisecond);

void BM_ShowEntry(benchmark::State& state) {
  Window w;
  w.desktop.model().Start(FullDefinition());
  w.desktop.window().Run([&] { w.desktop.model().PageChange(kx::commands::Page::kProperties); });
  const int entries = static_cast<int>(w.desktop.model().properties().list().entries.size());
  int row = 0;
  for (auto _ : state) {
    row = (row + 7) % entries;
    w.desktop.window().Run([&] { w.desktop.model().ListClick(row); });
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ShowEntry)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
