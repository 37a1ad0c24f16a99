// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate/target.h"

#include <algorithm>
#include <array>

#include "model/text.h"
#include "platform/windows1252.h"

namespace kx::generate {

namespace {

// clang-format off
constexpr std::array kLazarusUnits = {
    // Delphi 1's Windows types and constants (Delphi 2 and later: Windows); the LCL keeps the
    // platform-neutral ones in LCLType.
    UnitMapping{"WinTypes", "LCLType"},
    // Delphi 1's Windows API calls; the LCL offers the portable subset in LCLIntf.
    UnitMapping{"WinProcs", "LCLIntf"},
    // Delphi 2 and later merged both into Windows, which exists only on Windows.
    UnitMapping{"Windows", "LCLType, LCLIntf"},
    // Window messages: the LCL's message records and constants live in LMessages.
    UnitMapping{"Messages", "LMessages"},
    // The design-time interface: property editors in PropEdits, component editors in
    // ComponentEditors (both of the IDEIntf package).
    UnitMapping{"DsgnIntf", "PropEdits, ComponentEditors"},
    // The BDE has no LCL counterpart; the dataset classes that data links need are in DB.
    UnitMapping{"DBTables", "DB"},
    // The masked edit control's unit.
    UnitMapping{"Mask", "MaskEdit"},
};

constexpr std::array kLazarusWords = {
    // The generic message record: TLMessage has Delphi's TMessage layout.
    WordMapping{"TMessage", "TLMessage"},
    // Message records of the handlers the catalogue and users write most, each with the LCL's
    // record of the same fields.
    WordMapping{"TWMSize", "TLMSize"},                // resize
    WordMapping{"TWMMove", "TLMMove"},                // move
    WordMapping{"TWMPaint", "TLMPaint"},              // paint
    WordMapping{"TWMEraseBkgnd", "TLMEraseBkgnd"},    // background
    WordMapping{"TWMMouse", "TLMMouse"},              // mouse buttons
    WordMapping{"TWMMouseMove", "TLMMouseMove"},      // mouse moves
    WordMapping{"TWMKey", "TLMKey"},                  // keys
    WordMapping{"TWMChar", "TLMChar"},                // characters
    WordMapping{"TWMSetFocus", "TLMSetFocus"},        // focus gained
    WordMapping{"TWMKillFocus", "TLMKillFocus"},      // focus lost
    WordMapping{"TWMCommand", "TLMCommand"},          // commands
    WordMapping{"TWMGetDlgCode", "TLMGetDlgCode"},    // dialog keys
    WordMapping{"TWMNoParams", "TLMNoParams"},        // no parameters
    // Their message numbers: the LCL's LM_ constants, which its controls dispatch.
    WordMapping{"WM_SIZE", "LM_SIZE"},                // resize
    WordMapping{"WM_MOVE", "LM_MOVE"},                // move
    WordMapping{"WM_PAINT", "LM_PAINT"},              // paint
    WordMapping{"WM_ERASEBKGND", "LM_ERASEBKGND"},    // background
    WordMapping{"WM_LBUTTONDOWN", "LM_LBUTTONDOWN"},  // left button down
    WordMapping{"WM_LBUTTONUP", "LM_LBUTTONUP"},      // left button up
    WordMapping{"WM_LBUTTONDBLCLK", "LM_LBUTTONDBLCLK"},  // double click
    WordMapping{"WM_RBUTTONDOWN", "LM_RBUTTONDOWN"},  // right button down
    WordMapping{"WM_RBUTTONUP", "LM_RBUTTONUP"},      // right button up
    WordMapping{"WM_MOUSEMOVE", "LM_MOUSEMOVE"},      // mouse moves
    WordMapping{"WM_KEYDOWN", "LM_KEYDOWN"},          // key down
    WordMapping{"WM_KEYUP", "LM_KEYUP"},              // key up
    WordMapping{"WM_CHAR", "LM_CHAR"},                // character
    WordMapping{"WM_TIMER", "LM_TIMER"},              // timer
    WordMapping{"WM_SETFOCUS", "LM_SETFOCUS"},        // focus gained
    WordMapping{"WM_KILLFOCUS", "LM_KILLFOCUS"},      // focus lost
    WordMapping{"WM_COMMAND", "LM_COMMAND"},          // command
    WordMapping{"WM_GETDLGCODE", "LM_GETDLGCODE"},    // dialog keys
};

// Today's Delphi names every unit of the VCL and the run-time library with its scope; the
// unscoped names compile only where a project lists the scopes. The Delphi 1-3 units of this
// catalogue that no Delphi ships any longer (ReportSmith's Report, VBXCtrl, Proxies,
// ToolIntf, the mask editor's MaskProp and MaskText) keep their names: nothing can stand in.
constexpr std::array kDelphiXeUnits = {
    UnitMapping{"WinTypes", "Winapi.Windows"},     // Delphi 1's halves of Windows
    UnitMapping{"WinProcs", "Winapi.Windows"},
    UnitMapping{"Windows", "Winapi.Windows"},
    UnitMapping{"Messages", "Winapi.Messages"},
    UnitMapping{"SysUtils", "System.SysUtils"},
    UnitMapping{"Classes", "System.Classes"},
    UnitMapping{"TypInfo", "System.TypInfo"},
    UnitMapping{"IniFiles", "System.IniFiles"},
    UnitMapping{"ScktComp", "System.Win.ScktComp"},
    UnitMapping{"Controls", "Vcl.Controls"},
    UnitMapping{"Forms", "Vcl.Forms"},
    UnitMapping{"Graphics", "Vcl.Graphics"},
    UnitMapping{"StdCtrls", "Vcl.StdCtrls"},
    UnitMapping{"ExtCtrls", "Vcl.ExtCtrls"},
    UnitMapping{"Buttons", "Vcl.Buttons"},
    UnitMapping{"CheckLst", "Vcl.CheckLst"},
    UnitMapping{"Clipbrd", "Vcl.Clipbrd"},
    UnitMapping{"ComCtrls", "Vcl.ComCtrls"},
    UnitMapping{"Dialogs", "Vcl.Dialogs"},
    UnitMapping{"ExtDlgs", "Vcl.ExtDlgs"},
    UnitMapping{"FileCtrl", "Vcl.FileCtrl"},
    UnitMapping{"Grids", "Vcl.Grids"},
    UnitMapping{"Mask", "Vcl.Mask"},
    UnitMapping{"Menus", "Vcl.Menus"},
    UnitMapping{"Printers", "Vcl.Printers"},
    UnitMapping{"Outline", "Vcl.Outline"},
    UnitMapping{"Tabs", "Vcl.Tabs"},
    UnitMapping{"TabNotBk", "Vcl.TabNotBk"},
    UnitMapping{"MPlayer", "Vcl.MPlayer"},
    UnitMapping{"DdeMan", "Vcl.DdeMan"},
    UnitMapping{"TOCtrl", "Vcl.OleCtnrs"},        // Delphi 1's OLE container
    UnitMapping{"DBCtrls", "Vcl.DBCtrls"},
    UnitMapping{"DBGrids", "Vcl.DBGrids"},
    UnitMapping{"DBLookup", "Vcl.DBLookup"},
    UnitMapping{"DBPWDlg", "Vcl.DBPWDlg"},
    UnitMapping{"DB", "Data.DB"},
    UnitMapping{"DBTables", "Bde.DBTables"},      // the BDE, still documented, installed apart
    UnitMapping{"DBWeb", "Web.DBWeb"},
    UnitMapping{"HTTPApp", "Web.HTTPApp"},
    UnitMapping{"CGIApp", "Web.CGIApp"},
    UnitMapping{"ISAPIApp", "Web.Win.ISAPIApp"},
    // Delphi 6 split the design-time interface: registration and the designer in DesignIntf,
    // the property editor classes in DesignEditors.
    UnitMapping{"DsgnIntf", "DesignIntf, DesignEditors"},
};

constexpr Target kDelphi{
    .code = model::CodeTarget::kDelphi, .library = "VCL", .tool = "Delphi",
    .palette = "Delphi", .mode = "", .encoding = SourceEncoding::kWindows1252,
    .registration_unit = false, .units = {}, .words = {}};

constexpr Target kLazarus{
    .code = model::CodeTarget::kLazarus, .library = "LCL", .tool = "Lazarus",
    .palette = "Lazarus", .mode = "{$mode delphi}", .encoding = SourceEncoding::kUtf8,
    .registration_unit = false, .units = kLazarusUnits, .words = kLazarusWords};

// UTF-8 with a byte-order mark is the one encoding every Delphi since 2009 reads as UTF-8.
constexpr Target kDelphiXe{
    .code = model::CodeTarget::kDelphiXe, .library = "VCL", .tool = "Delphi XE2 and later",
    .palette = "Delphi", .mode = "", .encoding = SourceEncoding::kUtf8WithBom,
    .registration_unit = true, .units = kDelphiXeUnits, .words = {}};
// clang-format on

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

model::TextBlock Target::Units(const model::TextBlock& given) const {
  // A target that renames no unit writes the list as the definition holds it.
  if (units.empty() || !given) return given;
  model::TextBlock mapped = std::vector<std::string>{};
  for (const std::string& name : *given) {
    std::string_view to = name;
    for (const UnitMapping& m : units) {
      if (model::SameText(name, m.from)) to = m.to;
    }
    while (!to.empty()) {
      const std::size_t comma = to.find(',');
      const std::string_view one = Trimmed(to.substr(0, comma));
      if (!one.empty()) model::AddUnit(mapped, one);
      to.remove_prefix(comma == std::string_view::npos ? to.size() : comma + 1);
    }
  }
  return mapped;
}

std::string Target::SourceBytes(std::string_view text) const {
  switch (encoding) {
    case SourceEncoding::kWindows1252:
      break;
    case SourceEncoding::kUtf8:
      return platform::Utf8FromWindows1252(text);
    case SourceEncoding::kUtf8WithBom:
      return "\xEF\xBB\xBF" + platform::Utf8FromWindows1252(text);
  }
  return std::string(text);
}

const Target& TargetFor(model::CodeTarget code) {
  switch (code) {
    case model::CodeTarget::kLazarus:
      return kLazarus;
    case model::CodeTarget::kDelphiXe:
      return kDelphiXe;
    case model::CodeTarget::kDelphi:
      break;
  }
  return kDelphi;
}

bool SetsModeOrIncludes(std::string_view line) {
  for (std::size_t at = line.find("{$"); at != std::string_view::npos;
       at = line.find("{$", at + 2)) {
    std::size_t end = at + 2;
    while (end < line.size() && model::IsIdentChar(line[end])) ++end;
    const std::string_view name = line.substr(at + 2, end - at - 2);
    if (model::SameText(name, "mode") || model::SameText(name, "include")) return true;
    // {$I+} and {$I-} switch I/O checks; {$I name} includes a file.
    if (model::SameText(name, "I") && end < line.size() && line[end] == ' ') return true;
  }
  return false;
}

void WriteUnitLine(Printer& out, std::string_view keyword, std::string_view name,
                   const Target& target, const model::TextBlock& switches) {
  out.Emit({"$keyword$ $name$;", ""},
           {{"keyword", std::string(keyword)}, {"name", std::string(name)}});
  if (target.mode.empty()) return;
  const bool own_mode =
      switches && std::any_of(switches->begin(), switches->end(),
                              [](const std::string& s) { return SetsModeOrIncludes(s); });
  if (!own_mode) out.Line(target.mode);
  if (switches) out.Lines(*switches);
  out.Line();
}

std::string SourceBytes(std::string_view text, model::CodeTarget target) {
  return TargetFor(target).SourceBytes(text);
}

}  // namespace kx::generate
