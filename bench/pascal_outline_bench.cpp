// SPDX-License-Identifier: GPL-3.0-or-later
// Outlining a 10,000-line component unit, and Free Pascal compiling the same unit with -s
// (it stops before the assembler) in the same run. The unit is written beside the benchmark
// (pascal_outline_bench.pas) so the two can also be timed from outside, side by side.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "pascal/outline.h"
#include "platform/run_program.h"

namespace {

namespace fs = std::filesystem;

// Classes with fields, methods, properties and bodies that nest (case, try, begin), and a
// Register procedure: what a real component unit holds, at least `lines` lines long.
std::string TenThousandLineUnit(std::size_t lines = 10000) {
  std::string interface_part, implementation_part;
  std::size_t count = 0;
  std::size_t written = 0;
  std::string registered;
  while (written < lines) {
    const std::string n = std::to_string(count++);
    const std::string c = "TWidget" + n;
    interface_part += "  { " + c +
                      " counts and shows a value. }\n"
                      "  " +
                      c +
                      " = class(TComponent)\n"
                      "  private\n"
                      "    FValue: Integer;\n"
                      "    FName: string;\n"
                      "    FOnChange: TNotifyEvent;\n"
                      "    procedure SetValue(AValue: Integer);\n"
                      "    function GetText(Index: Integer): string;\n"
                      "  protected\n"
                      "    procedure Change; virtual;\n"
                      "  public\n"
                      "    constructor Create(AOwner: TComponent); override;\n"
                      "    function Step(Times: Integer): Integer; overload;\n"
                      "    function Step(const S: string): Integer; overload;\n"
                      "  published\n"
                      "    property Value: Integer read FValue write SetValue default 0;\n"
                      "    property Text: string index 1 read GetText;\n"
                      "    property Name2: string read FName write FName stored True;\n"
                      "    property OnChange: TNotifyEvent read FOnChange write FOnChange;\n"
                      "  end;\n\n";
    implementation_part +=
        "constructor " + c +
        ".Create(AOwner: TComponent);\n"
        "begin\n  inherited Create(AOwner);\n  FName := 'it''s ' + #39'" +
        n +
        "';\nend;\n\n"
        "procedure " +
        c +
        ".SetValue(AValue: Integer);\n"
        "begin\n  if FValue <> AValue then\n  begin\n    FValue := AValue;\n    Change;\n"
        "  end;\nend;\n\n"
        "function " +
        c +
        ".GetText(Index: Integer): string;\n"
        "begin\n  case Index of\n    0: Result := '';\n    1: Result := IntToStr(FValue);\n"
        "  else\n    Result := FName;\n  end;\nend;\n\n"
        "procedure " +
        c +
        ".Change;\n"
        "begin\n  try\n    if Assigned(FOnChange) then FOnChange(Self);\n  finally\n"
        "    Inc(FValue, 0);\n  end;\nend;\n\n"
        "function " +
        c +
        ".Step(Times: Integer): Integer;\n"
        "var\n  I: Integer;\nbegin\n  Result := 0;\n  for I := 1 to Times do\n"
        "    Result := Result + I * $10 + %101;\nend;\n\n"
        "function " +
        c +
        ".Step(const S: string): Integer;\n"
        "begin\n  Result := Length(S) { end; } ;\nend;\n\n";
    registered += (registered.empty() ? "" : ", ") + c;
    written = static_cast<std::size_t>(
        std::count(interface_part.begin(), interface_part.end(), '\n') +
        std::count(implementation_part.begin(), implementation_part.end(), '\n'));
  }
  return "unit OutlineBench;\n\n{$mode objfpc}{$H+}\n\ninterface\n\nuses\n  Classes, SysUtils;\n\n"
         "type\n" +
         interface_part + "procedure Register;\n\nimplementation\n\n" + implementation_part +
         "procedure Register;\nbegin\n  RegisterComponents('Bench', [" + registered +
         "]);\nend;\n\nend.\n";
}

const std::string& BenchUnit() {
  static const std::string text = [] {
    std::string unit = TenThousandLineUnit();
    std::ofstream(fs::path(KX_BENCH_DIR) / "outlinebench.pas", std::ios::binary) << unit;
    return unit;
  }();
  return text;
}

void BM_OutlineTenThousandLines(benchmark::State& state) {
  const std::string& text = BenchUnit();
  for (auto _ : state) {
    kx::pascal::Outline unit = kx::pascal::ParseUnit(text);
    if (!unit.complete) state.SkipWithError("the bench unit does not parse");
    benchmark::DoNotOptimize(unit);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(text.size() * state.iterations()));
  state.counters["lines"] = static_cast<double>(kx::pascal::Source(text).line_count());
}
BENCHMARK(BM_OutlineTenThousandLines)->Unit(benchmark::kMillisecond);

// Free Pascal on the same unit, timed as a whole process (its start-up included).
void BM_FreePascalTenThousandLines(benchmark::State& state) {
  (void)BenchUnit();
  const fs::path fpc = KX_FPC;
  std::error_code error;
  if (fpc.empty() || !fs::exists(fpc, error)) {
    state.SkipWithError("fpc not found");
    return;
  }
  const fs::path out = fs::path(KX_BENCH_DIR) / "outline_fpc";
  fs::create_directories(out, error);
  for (auto _ : state) {
    const kx::platform::RunResult run = kx::platform::RunAndWait(
        fpc,
        {"-s", "-v0", "-FU" + out.string(), (fs::path(KX_BENCH_DIR) / "outlinebench.pas").string()},
        std::chrono::minutes(2));
    if (run.exit_status != 0) state.SkipWithError(("fpc failed: " + run.output).c_str());
  }
}
BENCHMARK(BM_FreePascalTenThousandLines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
