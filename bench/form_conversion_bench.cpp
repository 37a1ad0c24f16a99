// SPDX-License-Identifier: GPL-3.0-or-later
// Converting every binary form of the corpus to text: ours, and Free Pascal's
// ObjectResourceToText in the same run (the oracle program of tests/oracle, built here with
// fpc when it is missing, converting the forms in a loop in its own process and timing
// itself). FormConversionVsFreePascal reports both times per pass over the forms Free
// Pascal converts whole, and their ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "catalog/form_conversion.h"
#include "platform/run_program.h"

namespace {

namespace fs = std::filesystem;

struct Form {
  fs::path path;
  std::string bytes;
};

const std::vector<Form>& CorpusForms() {
  static const std::vector<Form> forms = [] {
    std::vector<Form> result;
    const fs::path dir = fs::path(KX_CORPUS_DIR) / "dfm" / "binary";
    std::error_code error;
    if (!fs::is_directory(dir, error)) return result;
    for (const auto& entry : fs::directory_iterator(dir)) {
      std::ifstream in(entry.path(), std::ios::binary);
      result.push_back({entry.path(), {std::istreambuf_iterator<char>(in), {}}});
    }
    std::sort(result.begin(), result.end(),
              [](const Form& a, const Form& b) { return a.path < b.path; });
    return result;
  }();
  return forms;
}

std::size_t ConvertAll(const std::vector<const Form*>& forms) {
  std::size_t bytes = 0;
  for (const Form* form : forms) {
    const kx::catalog::FormTextResult text = kx::catalog::ConvertFormToText(form->bytes);
    benchmark::DoNotOptimize(text);
    bytes += form->bytes.size();
  }
  return bytes;
}

std::vector<const Form*> All() {
  std::vector<const Form*> forms;
  for (const Form& form : CorpusForms()) forms.push_back(&form);
  return forms;
}

void BM_ConvertCorpus(benchmark::State& state) {
  const std::vector<const Form*> forms = All();
  if (forms.empty()) {
    state.SkipWithError("no form corpus at " KX_CORPUS_DIR);
    return;
  }
  std::size_t bytes = 0;
  for (auto _ : state) bytes += ConvertAll(forms);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["forms"] = static_cast<double>(forms.size());
}
BENCHMARK(BM_ConvertCorpus);

// The oracle program, built once into the benchmark's folder.
std::optional<fs::path> Oracle(std::string& why) {
  const fs::path dir = KX_FORM_ORACLE_DIR;
  const fs::path oracle = dir / "form_oracle";
  std::error_code error;
  if (fs::exists(oracle, error)) return oracle;
  const fs::path fpc = KX_FPC;
  if (!fs::exists(fpc, error)) {
    why = "fpc not found";
    return std::nullopt;
  }
  fs::create_directories(dir, error);
  const kx::platform::RunResult built =
      kx::platform::RunAndWait(fpc,
                               {"-Mobjfpc", "-O2", "-v0ew", "-l-", "-FU" + dir.string(),
                                "-o" + oracle.string(), KX_FORM_ORACLE_SOURCE},
                               std::chrono::minutes(2));
  if (built.exit_status != 0 || !fs::exists(oracle, error)) {
    why = "fpc could not build the oracle: " + built.output;
    return std::nullopt;
  }
  return oracle;
}

void BM_FormConversionVsFreePascal(benchmark::State& state) {
  const int passes = static_cast<int>(state.range(0));
  std::string why;
  const std::optional<fs::path> oracle = Oracle(why);
  if (!oracle || CorpusForms().empty()) {
    state.SkipWithError(oracle ? "no form corpus" : why.c_str());
    return;
  }
  std::vector<std::string> args = {"bench", std::to_string(passes)};
  for (const Form& form : CorpusForms()) args.push_back(form.path.string());
  static const std::regex kTimed(R"(timed (.*))");
  static const std::regex kSummary(R"(passes=(\d+) forms=(\d+) ms=(\d+))");
  for (auto _ : state) {
    const kx::platform::RunResult run =
        kx::platform::RunAndWait(*oracle, args, std::chrono::minutes(10));
    std::smatch summary;
    if (run.exit_status != 0 || !std::regex_search(run.output, summary, kSummary)) {
      state.SkipWithError(("the oracle failed: " + run.output).c_str());
      return;
    }
    // Ours over exactly the forms the oracle timed (it leaves out those it cannot convert
    // whole).
    std::vector<const Form*> timed;
    for (auto line = std::sregex_iterator(run.output.begin(), run.output.end(), kTimed);
         line != std::sregex_iterator(); ++line) {
      for (const Form& form : CorpusForms()) {
        if (form.path.string() == (*line)[1].str()) timed.push_back(&form);
      }
    }
    const auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < passes; ++pass) ConvertAll(timed);
    const std::chrono::duration<double, std::micro> ours = std::chrono::steady_clock::now() - start;

    const double fpc_us = std::stod(summary[3].str()) * 1000.0 / passes;
    const double ours_us = ours.count() / passes;
    state.SetIterationTime(ours.count() / 1e6 / passes);
    state.counters["forms"] = static_cast<double>(timed.size());
    state.counters["ours_us_per_pass"] = ours_us;
    state.counters["fpc_us_per_pass"] = fpc_us;
    state.counters["fpc_over_ours"] = ours_us > 0 ? fpc_us / ours_us : 0;
  }
}
BENCHMARK(BM_FormConversionVsFreePascal)
    ->Arg(200)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
