// SPDX-License-Identifier: GPL-3.0-or-later
// Real code nobody here wrote: component units of the LCL and of the Lazarus components as
// installed, read where they are. Each class a unit registers (and declares) is imported with
// kestrix-cli, its unit regenerated for the Lazarus target and compiled with Free Pascal against
// the LCL, each in a folder of its own, OUT/<class>/:
//
//   kx_lazarus_imports --lazarus ROOT --lcl LCL-UNITS --cli KESTRIX-CLI --out OUT
//                      [--jobs N] -- FPC FPC-ARGUMENTS...
//
// Prints per unit the classes it registers, and per class the members the import mapped to
// items and the declarations it carried as global code, and whether the unit compiled or the
// compiler's first error. A class compiles unless the table says at which error it stops and
// why; one that fails otherwise, or compiles though the table lists it, fails the test, and so
// does a share of compiled classes under 80%. Exits 77 (skipped) without the sources or fpc.
//
// What the test does around the product, as a component writer's build would:
// - the regenerated unit keeps its name; where that is an installed unit's (pairsplitter), the
//   compiler rebuilds the installed units that use it from the installed LCL sources into the
//   class's folder, as it would for a user who changed the LCL's unit;
// - the LCL's resource files ({$R lcl_edbtnimg.res}), which its build leaves beside its compiled
//   units, are copied beside the regenerated unit, where the compiler looks for them;
// - include files are found beside the original unit and in the folders its package names, and
//   a package's compiled units beside the LCL's.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "commands/unit_import.h"
#include "pascal/outline.h"
#include "platform/run_program.h"

namespace {

namespace fs = std::filesystem;
using namespace kx;

// Folders under the Lazarus root; {T} stands for the target ("x86_64-linux").
constexpr const char* kTaChart =
    "components/tachart/lib/{T}/gtk2;components/ideintf/units/{T}/nogui;"
    "components/buildintf;components/lazcontrols/lib/{T}/nogui";
constexpr const char* kRttiControls =
    "components/rtticontrols/lib/{T}/gtk2;components/ideintf/units/{T}/nogui;"
    "components/buildintf;components/lazcontrols/lib/{T}/nogui";
constexpr const char* kIpro = "components/turbopower_ipro/units/{T}/gtk2";
constexpr const char* kPrinters =
    "components/printers/lib/{T}/gtk2;components/cairocanvas/lib/{T}/gtk2";
constexpr const char* kSynEdit = "components/synedit/units/{T}/nogui";

// The methods of these classes have their bodies in an include file, which the definition
// carries; the definition gives the methods bodies of their own as well.
constexpr const char* kBodiesIncluded =
    "the bodies of the class's methods are in an include file (cupsprndialogs.inc), which the "
    "implementation carries; the definition writes bodies of its own beside them";

struct Case {
  const char* unit;        // under the Lazarus root
  const char* class_name;  // a class the unit registers and declares
  const char* units = "";  // the package's compiled units, ";" between folders
  const char* includes = "";
  const char* failure = "";  // empty: compiles; else what its first error says
  const char* reason = "";
};

const Case kCases[] = {
    {"lcl/actnlist.pas", "TActionList"},
    {"lcl/arrow.pp", "TArrow"},
    {"lcl/asyncprocess.pp", "TAsyncProcess"},
    {"lcl/buttonpanel.pas", "TButtonPanel"},
    {"lcl/buttons.pp", "TBitBtn"},
    {"lcl/buttons.pp", "TSpeedButton"},
    {"lcl/calendar.pp", "TCalendar"},
    {"lcl/checklst.pas", "TCheckListBox"},
    {"lcl/colorbox.pas", "TColorBox"},
    {"lcl/colorbox.pas", "TColorListBox"},
    {"lcl/comboex.pas", "TComboBoxEx"},
    {"lcl/comboex.pas", "TCheckComboBox"},
    {"lcl/editbtn.pas", "TEditButton"},
    {"lcl/editbtn.pas", "TFileNameEdit"},
    {"lcl/editbtn.pas", "TDirectoryEdit"},
    {"lcl/editbtn.pas", "TDateEdit", "", "",
     "Function is already declared Public/Forward \"GetDateFormat",
     "property DateFormat reads a field of another name, so it needs the read method "
     "GetDateFormat, a name the class gives a method of another purpose"},
    {"lcl/editbtn.pas", "TTimeEdit"},
    {"lcl/editbtn.pas", "TCalcEdit"},
    {"lcl/extdlgs.pas", "TOpenPictureDialog"},
    {"lcl/extdlgs.pas", "TSavePictureDialog"},
    {"lcl/extdlgs.pas", "TCalendarDialog"},
    {"lcl/extdlgs.pas", "TCalculatorDialog"},
    {"lcl/filectrl.pp", "TFileListBox"},
    {"lcl/filectrl.pp", "TFilterComboBox"},
    {"lcl/inipropstorage.pas", "TIniPropStorage"},
    {"lcl/lazhelphtml.pas", "THTMLHelpDatabase"},
    {"lcl/lazhelphtml.pas", "THTMLBrowserHelpViewer"},
    {"lcl/maskedit.pp", "TMaskEdit"},
    {"lcl/pairsplitter.pas", "TPairSplitter"},
    {"lcl/popupnotifier.pas", "TPopupNotifier"},
    {"lcl/shellctrls.pas", "TShellTreeView"},
    {"lcl/shellctrls.pas", "TShellListView"},
    {"lcl/spin.pp", "TSpinEdit"},
    {"lcl/spin.pp", "TFloatSpinEdit"},
    {"lcl/valedit.pas", "TValueListEditor", "", "", "Duplicate identifier \"Values\"",
     "objfpc refuses a parameter named as a property declared before it, and the unit writer "
     "declares a section's properties before its methods"},
    {"lcl/xmlpropstorage.pas", "TXMLPropStorage"},
    {"components/tachart/tachartcombos.pas", "TChartComboBox", kTaChart, "",
     "Identifier not found \"GetPenWidth\"",
     "the class's method GetPenWidth has the name a definition keeps for the read method of "
     "property PenWidth, so it cannot be imported"},
    {"components/tachart/tachartextentlink.pas", "TChartExtentLink", kTaChart},
    {"components/tachart/tachartimagelist.pas", "TChartImageList", kTaChart},
    {"components/tachart/tachartlistbox.pas", "TChartListbox", kTaChart},
    {"components/tachart/tachartliveview.pas", "TChartLiveView", kTaChart},
    {"components/tachart/tadbsource.pas", "TDbChartSource", kTaChart},
    {"components/tachart/taintervalsources.pas", "TIntervalChartSource", kTaChart},
    {"components/tachart/taintervalsources.pas", "TDateTimeIntervalChartSource", kTaChart},
    {"components/tachart/talegendpanel.pas", "TChartLegendPanel", kTaChart},
    {"components/tachart/tanavigation.pas", "TChartNavScrollBar", kTaChart},
    {"components/tachart/tanavigation.pas", "TChartNavPanel", kTaChart},
    {"components/tachart/tasources.pas", "TListChartSource", kTaChart, "",
     "Abstract methods cannot be called directly",
     "SetXCount and SetYCount override inherited methods; as the write methods of properties "
     "they are declared without override"},
    {"components/tachart/tasources.pas", "TSortedChartSource", kTaChart},
    {"components/tachart/tasources.pas", "TRandomChartSource", kTaChart},
    {"components/tachart/tasources.pas", "TUserDefinedChartSource", kTaChart},
    {"components/tachart/tasources.pas", "TCalculatedChartSource", kTaChart},
    {"components/tachart/tastyles.pas", "TChartStyles", kTaChart},
    {"components/tachart/tatools.pas", "TChartToolset", kTaChart, "",
     "No default property available",
     "Item is the class's default array property, which a definition's array property is not"},
    {"components/tachart/tatransformations.pas", "TChartAxisTransformations", kTaChart},
    {"components/rtticontrols/rttigrids.pas", "TTIPropertyGrid", kRttiControls},
    {"components/rtticontrols/rttigrids.pas", "TTIGrid", kRttiControls},
    {"components/turbopower_ipro/ipfilebroker.pas", "TIpFileDataProvider", kIpro},
    {"components/turbopower_ipro/ipfilebroker.pas", "TIpHTMLDataProvider", kIpro},
    {"components/turbopower_ipro/iphttpbroker.pas", "TIpHttpDataProvider", kIpro},
    {"components/printers/printersdlgs.pp", "TPrinterSetupDialog", kPrinters,
     "components/printers/unix", "overloaded functions have the same parameter list",
     kBodiesIncluded},
    {"components/printers/printersdlgs.pp", "TPrintDialog", kPrinters, "components/printers/unix",
     "overloaded functions have the same parameter list", kBodiesIncluded},
    {"components/printers/printersdlgs.pp", "TPageSetupDialog", kPrinters,
     "components/printers/unix", "overloaded functions have the same parameter list",
     kBodiesIncluded},
    {"components/lazutils/utf8process.pp", "TProcessUTF8", "", "", "method identifier expected",
     "the class is declared in both branches of {$IFDEF UseTProcessW}; the import takes the "
     "one the reader follows and carries the other's text as it stands"},
    {"components/synunihighlighter/synunihighlighter.pas", "TSynUniSyn", kSynEdit,
     "components/synedit"},
};

struct Options {
  fs::path lazarus, lcl, cli, out;
  int jobs = 2;
  std::vector<std::string> fpc;
};

struct Outcome {
  int mapped = 0, carried = 0;
  bool compiled = false;
  std::string first_error;  // or why it could not be imported or written
};

std::vector<std::string> Folders(const Options& options, std::string_view list) {
  const std::string target = options.lcl.filename().string();
  std::vector<std::string> folders;
  std::stringstream in{std::string(list)};
  for (std::string folder; std::getline(in, folder, ';');) {
    if (folder.empty()) continue;
    for (std::size_t at = folder.find("{T}"); at != std::string::npos; at = folder.find("{T}"))
      folder.replace(at, 3, target);
    folders.push_back((options.lazarus / folder).string());
  }
  return folders;
}

std::string FirstError(const std::string& output) {
  std::stringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (line.find("Compilation aborted") != std::string::npos ||
        line.find("returned an error exitcode") != std::string::npos ||
        line.find(" errors compiling module") != std::string::npos)
      continue;
    if (line.find("Error: ") != std::string::npos || line.find("Fatal: ") != std::string::npos)
      return line;
  }
  return output.empty() ? "no output" : output.substr(0, output.find('\n'));
}

platform::RunResult Run(const fs::path& program, const std::vector<std::string>& args) {
  return platform::RunAndWait(program, args, std::chrono::minutes(5));
}

bool Ran(const platform::RunResult& run) {
  return run.ResultCode >= platform::kStarted && !run.timed_out && run.exit_status == 0;
}

Outcome ImportAndCompile(const Options& options, const Case& c) {
  Outcome outcome;
  const fs::path source = options.lazarus / c.unit;
  const fs::path dir = options.out / c.class_name;
  std::error_code error;
  fs::remove_all(dir, error);
  fs::create_directories(dir / "units", error);
  const std::vector<std::string> cli = {"--settings", (dir / "Kestrix.ini").string(), "--yes"};

  // The counts come from the same import the command runs.
  const commands::UnitImport counted =
      commands::ImportUnit(pascal::ReadUnitFile(source),
                           {.class_name = c.class_name, .mode = commands::PackageModeOf(source)});
  outcome.mapped = counted.mapped;
  outcome.carried = counted.carried;

  const fs::path definition = dir / (std::string(c.class_name) + ".cd");
  std::vector<std::string> args = cli;
  args.insert(args.end(),
              {"import", source.string(), "--class", c.class_name, "-o", definition.string()});
  platform::RunResult run = Run(options.cli, args);
  if (!Ran(run)) {
    outcome.first_error = "import failed: " + FirstError(run.output);
    return outcome;
  }
  args = cli;
  args.insert(args.end(), {"unit", definition.string(), "--target", "lazarus", "-o", dir.string()});
  run = Run(options.cli, args);
  fs::path unit;
  std::stringstream printed(run.output);
  for (std::string line; std::getline(printed, line);)
    if (line.ends_with(".pas")) unit = line;
  if (!Ran(run) || unit.empty()) {
    outcome.first_error = "unit failed: " + FirstError(run.output);
    return outcome;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(options.lcl, error)) {
    if (entry.path().extension() == ".res")
      fs::copy_file(entry.path(), dir / entry.path().filename(), error);
  }

  args.assign(options.fpc.begin() + 1, options.fpc.end());
  // The compiler takes a unit from the first folder that has it, compiled or as source: the
  // sources come last, for what must be rebuilt against the regenerated unit.
  for (const std::string& folder : Folders(options, c.units)) args.push_back("-Fu" + folder);
  const fs::path lcl_sources = options.lazarus / "lcl";
  for (const fs::path& folder : {lcl_sources, lcl_sources / "widgetset", source.parent_path()})
    args.push_back("-Fu" + folder.string());
  args.push_back("-Fi" + source.parent_path().string());
  args.push_back("-Fi" + (lcl_sources / "include").string());
  for (const std::string& folder : Folders(options, c.includes)) args.push_back("-Fi" + folder);
  args.push_back("-FU" + (dir / "units").string());
  args.push_back(unit.string());
  run = Run(options.fpc.front(), args);
  outcome.compiled = Ran(run);
  if (!outcome.compiled) outcome.first_error = FirstError(run.output);
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  int i = 1;
  for (; i + 1 < argc && std::string(argv[i]) != "--"; i += 2) {
    const std::string flag = argv[i], value = argv[i + 1];
    if (flag == "--lazarus") options.lazarus = value;
    if (flag == "--lcl") options.lcl = value;
    if (flag == "--cli") options.cli = value;
    if (flag == "--out") options.out = value;
    if (flag == "--jobs") options.jobs = std::max(1, std::atoi(value.c_str()));
  }
  if (i < argc && std::string(argv[i]) == "--") ++i;
  options.fpc.assign(argv + i, argv + argc);
  if (options.out.empty() || options.cli.empty()) {
    std::cerr << "usage: kx_lazarus_imports --lazarus ROOT --lcl LCL-UNITS --cli KESTRIX-CLI "
                 "--out OUT [--jobs N] -- FPC FPC-ARGUMENTS...\n";
    return 2;
  }
  std::error_code error;
  if (options.fpc.empty() || !fs::is_regular_file(options.fpc.front(), error) ||
      !fs::is_regular_file(options.lazarus / "lcl/extctrls.pp", error) ||
      !fs::is_regular_file(options.lcl / "forms.ppu", error)) {
    std::cout << "skipped: no Free Pascal or no Lazarus sources and LCL units\n";
    return 77;
  }

  const std::size_t count = std::size(kCases);
  std::vector<Outcome> outcomes(count);
  std::atomic<std::size_t> next = 0;
  auto work = [&] {
    for (std::size_t k = next++; k < count; k = next++)
      outcomes[k] = ImportAndCompile(options, kCases[k]);
  };
  std::vector<std::thread> workers;
  for (int j = 0; j < options.jobs; ++j) workers.emplace_back(work);
  for (std::thread& worker : workers) worker.join();

  std::size_t compiled = 0;
  std::vector<std::string> problems;
  std::string unit;
  for (std::size_t k = 0; k < count; ++k) {
    const Case& c = kCases[k];
    const Outcome& o = outcomes[k];
    if (unit != c.unit) {
      unit = c.unit;
      const auto classes = std::count_if(std::begin(kCases), std::end(kCases),
                                         [&](const Case& other) { return unit == other.unit; });
      std::cout << unit << ": " << classes << (classes == 1 ? " class\n" : " classes\n");
    }
    std::cout << "  " << std::left << std::setw(30) << c.class_name << std::right << " mapped "
              << std::setw(3) << o.mapped << "  carried " << std::setw(3) << o.carried << "  "
              << (o.compiled ? "compiled" : "does not compile: " + o.first_error) << "\n";
    if (o.compiled) ++compiled;
    const std::string expected = c.failure;
    if (o.compiled && !expected.empty()) {
      problems.push_back(std::string(c.class_name) + " compiles now; take it out of the failures");
    } else if (!o.compiled &&
               (expected.empty() || o.first_error.find(expected) == std::string::npos)) {
      problems.push_back(std::string(c.class_name) + ": " + o.first_error + " (expected " +
                         (expected.empty() ? "to compile" : "\"" + expected + "\"") + "; see " +
                         (options.out / c.class_name).string() + ")");
    }
  }
  std::cout << "\nExpected failures:\n";
  for (const Case& c : kCases) {
    if (*c.failure) std::cout << "  " << c.class_name << ": " << c.reason << "\n";
  }
  const std::size_t percent = compiled * 100 / count;
  std::cout << "\n"
            << compiled << " of " << count << " registered classes compiled (" << percent << "%)\n";
  if (percent < 80) problems.push_back("fewer than 80% of the classes compiled");
  for (const std::string& problem : problems) std::cout << "FAILED: " << problem << "\n";
  return problems.empty() ? 0 : 1;
}
