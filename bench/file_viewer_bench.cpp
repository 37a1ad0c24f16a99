// SPDX-License-Identifier: GPL-3.0-or-later
// The file viewer opening, offscreen, until its first paint: on a unit of 20,000 lines and on
// a binary form of 1 MB (converted through its temporary text copy); and the HTML export of
// that unit.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "cli/cli_dialogs.h"
#include "ui/file_viewer.h"

namespace {

namespace fs = std::filesystem;

fs::path Write(const std::string& name, const std::string& bytes) {
  const fs::path path = fs::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

fs::path LongUnit() {
  static const fs::path file = [] {
    // 6 lines, 7 for each procedure and 2 at the end: 20,000 lines.
    std::string text = "unit Long;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\n";
    for (int i = 0; 6 + 7 * (i + 1) + 2 <= 20000; ++i) {
      const std::string n = std::to_string(i);
      text += "{ Step " + n + ": keeps the count }\r\nprocedure Step" + n +
              "(var Count : Integer);\r\nbegin\r\n  Count := Count + " + n +
              "; // next\r\n  Caption := 'Step #" + n + "';\r\nend;\r\n\r\n";
    }
    text += "{ the end }\r\nend.\r\n";
    return Write("kx-bench-long.pas", text);
  }();
  return file;
}

std::string Short(const std::string& text) {
  return std::string(1, static_cast<char>(text.size())) + text;
}

// A form of buttons, each with its place, caption, tab order and handler.
fs::path LargeForm() {
  static const fs::path file = [] {
    std::string bytes = "TPF0" + Short("TForm1") + Short("Form1") + Short("Caption") + "\x06" +
                        Short("Many buttons") + '\0';
    for (int i = 0; bytes.size() < (std::size_t{1} << 20); ++i) {
      const std::string n = std::to_string(i);
      const auto int16 = [](int value) {
        return std::string{'\x03', static_cast<char>(value & 0xFF),
                           static_cast<char>((value >> 8) & 0xFF)};
      };
      bytes += Short("TButton") + Short("Button" + n) + Short("Left") + int16(8 + i % 400) +
               Short("Top") + int16(i % 3000) + Short("Width") + int16(75) + Short("Height") +
               int16(25) + Short("Caption") + "\x06" + Short("Button " + n) + Short("TabOrder") +
               int16(i % 30000) + Short("OnClick") + "\x07" + Short("ButtonClick") +
               std::string(2, '\0');
    }
    bytes += '\0';
    return Write("kx-bench-large.dfm", bytes);
  }();
  return file;
}

void Open(benchmark::State& state, const fs::path& file) {
  kx::cli::Context context{std::cout, std::cerr};
  kx::cli::CliDialogs dialogs(context);
  for (auto _ : state) {
    kx::ui::FileViewer viewer(nullptr, dialogs);
    if (!viewer.Open(file)) state.SkipWithError("not shown");
    viewer.show();
    QApplication::processEvents();
  }
}

void BM_ViewLongUnit(benchmark::State& state) { Open(state, LongUnit()); }
BENCHMARK(BM_ViewLongUnit)->Unit(benchmark::kMillisecond);

void BM_ViewLargeBinaryForm(benchmark::State& state) { Open(state, LargeForm()); }
BENCHMARK(BM_ViewLargeBinaryForm)->Unit(benchmark::kMillisecond);

void BM_LongUnitAsHtml(benchmark::State& state) {
  kx::cli::Context context{std::cout, std::cerr};
  kx::cli::CliDialogs dialogs(context);
  kx::ui::FileViewer viewer(nullptr, dialogs);
  viewer.Open(LongUnit());
  for (auto _ : state) benchmark::DoNotOptimize(kx::generate::StyledTextHtml(viewer.Styled()));
}
BENCHMARK(BM_LongUnitAsHtml)->Unit(benchmark::kMillisecond);

}  // namespace
