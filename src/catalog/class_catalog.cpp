// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/class_catalog.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "catalog/class_tables.h"
#include "model/text.h"

namespace kx::catalog {

using model::UpperCase;

namespace {

bool InList(std::string_view upper, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), upper) != names.end();
}

const tables::UnitRow* FindUnitRow(std::string_view name) {
  const std::string upper = UpperCase(name);
  for (const tables::UnitRow& row : tables::UnitTable()) {
    if (row.class_name == upper) return &row;
  }
  return nullptr;
}

}  // namespace

int ClassFamilyOf(std::string_view name) {
  const std::string upper = UpperCase(name);
  for (const tables::FamilyList& list : tables::FamilyLookupOrder()) {
    if (std::find(list.classes.begin(), list.classes.end(), upper) != list.classes.end()) {
      return list.family;
    }
  }
  return kFamilyOther;
}

std::string_view FamilyName(int family) {
  static constexpr std::array<std::string_view, 10> kNames = {"Non-visual component",
                                                              "Graphic control",
                                                              "Windowed control",
                                                              "Common dialog",
                                                              "Radio group",
                                                              "Other",
                                                              "List view, track bar, rich edit",
                                                              "Status bar and up-down",
                                                              "Internet component",
                                                              "Other control"};
  return family >= 0 && family < 10 ? kNames[static_cast<std::size_t>(family)] : "";
}

bool IsStandardClass(std::string_view name) { return ClassFamilyOf(name) != kFamilyOther; }

bool IsControl(std::string_view name) {
  const int family = ClassFamilyOf(name);
  return family != kFamilyNonVisual && family != kFamilyCommonDialog && family != kFamilyInternet;
}

bool IsCatalogueClass(std::string_view name) { return FindUnitRow(name) != nullptr; }

std::string UnitOfClass(std::string_view name) {
  const tables::UnitRow* row = FindUnitRow(name);
  if (row == nullptr) return {};
  std::string unit = model::LowerCase(row->unit);
  unit[0] = model::UpCase(unit[0]);
  return unit;
}

std::string_view PaletteOfClass(std::string_view name) {
  const tables::UnitRow* row = FindUnitRow(name);
  return PalettePageName(row == nullptr ? 11 : row->page);
}

std::string_view PalettePageName(int page) {
  switch (page) {
    case 0:
      return "Standard";
    case 1:
      return "Additional";
    case 2:
      return "Data Access";
    case 3:
      return "Data Controls";
    case 4:
      return "Dialogs";
    case 5:
      return "System";
    case 6:
      return "VBX";
    case 8:
      return "Win95";
    case 9:
      return "Internet";
    case 10:
      return "Thread";
    default:
      return "Samples";
  }
}

bool IsContainer(std::string_view name) {
  return InList(UpperCase(name),
                {"TPANEL", "TCUSTOMPANEL", "TGROUPBOX", "TCUSTOMGROUPBOX", "TSCROLLBOX"});
}

bool IsThreadClass(std::string_view name) {
  return InList(UpperCase(name), {"TNEWTHREAD", "TSHARINGTHREAD"});
}

bool IsButton(std::string_view name) {
  return InList(UpperCase(name), {"TBUTTON", "TBITBTN", "TSPEEDBUTTON"});
}

bool HasCanvas(std::string_view name) {
  if (ClassFamilyOf(name) == kFamilyGraphicControl) return true;
  return InList(
      UpperCase(name),
      {"TCUSTOMCONTROL", "TCUSTOMDBGRID", "TCUSTOMGRID",       "TCUSTOMGROUPBOX", "TGROUPBOX",
       "TCUSTOMOUTLINE", "TCUSTOMPANEL",  "TCUSTOMRADIOGROUP", "TRADIOGROUP",     "TDBRADIOGROUP",
       "TDBGRID",        "TDBIMAGE",      "TDBLOOKUPLIST",     "TDBNAVIGATOR",    "TDRAWGRID",
       "TFORM",          "THEADER",       "TMEDIAPLAYER",      "TNOTEBOOK",       "TOLECONTAINER",
       "TOUTLINE",       "TPANEL",        "TSTRINGGRID",       "TTABBEDNOTEBOOK", "TTABSET"});
}

bool HasOnResize(std::string_view name) {
  return InList(UpperCase(name), {"TDBNAVIGATOR", "TFORM", "TPANEL", "TCUSTOMPANEL", "TSCROLLBOX",
                                  "THEADERCONTROL", "TSTATUSBAR", "TTOOLBAR", "TCOOLBAR"});
}

bool HasOnChange(std::string_view name) {
  return InList(UpperCase(name),
                {"TCOMBOBOX", "TCUSTOMCOMBOBOX", "TDATACOMBOBOX", "TDBCOMBOBOX", "TDBLOOKUPCOMBO",
                 "TDRIVECOMBOBOX", "TFILTERCOMBOBOX", "TCUSTOMMASKEDIT", "TDBEDIT", "TEDIT",
                 "TMASKEDIT", "TIMAGELIST"});
}

bool IsGrid(std::string_view name) {
  return InList(UpperCase(name), {"TDRAWGRID", "TSTRINGGRID", "TCUSTOMGRID"});
}

bool IsDataAwareGrid(std::string_view name) {
  return InList(UpperCase(name), {"TDBGRID", "TCUSTOMDBGRID"});
}

bool IsNewVisualBaseClass(std::string_view name) {
  return InList(UpperCase(name), {"TGRAPHICCONTROL", "TCUSTOMCONTROL"});
}

bool IsNotifyingSubComponent(std::string_view name) {
  return InList(UpperCase(name),
                {"TBITMAP",           "TBRUSH",         "TCANVAS",        "TFONT",
                 "TGRAPHIC",          "TMETAFILE",      "TPEN",           "TPICTURE",
                 "TCOMBOBOX",         "TDBCOMBOBOX",    "TDBEDIT",        "TDBLOOKUPCOMBO",
                 "TDBMEMO",           "TDBRADIOGROUP",  "TDDECLIENTITEM", "TDDESERVERITEM",
                 "TDIRECTORYLISTBOX", "TDRIVECOMBOBOX", "TEDIT",          "TFILELISTBOX",
                 "TFILTERCOMBOBOX",   "TMASKEDIT",      "TMEMO",          "TSCROLLBAR",
                 "TIMAGELIST",        "TCOOLBAR"});
}

bool IsClickedSubComponent(std::string_view name) {
  if (InList(UpperCase(name), {"TLABEL", "TCUSTOMLABEL", "TIMAGE", "TCUSTOMIMAGE"})) return false;
  const int family = ClassFamilyOf(name);
  return family == kFamilyGraphicControl || family == kFamilyWindowedControl ||
         family == kFamilyRadioGroup || family == kFamilyStatusBarUpDown;
}

bool IsKeyPressSubComponent(std::string_view name) {
  if (InList(UpperCase(name), {"TBITBTN", "TBUTTON", "TCHECKBOX", "TCUSTOMCHECKBOX"})) return false;
  const int family = ClassFamilyOf(name);
  return family == kFamilyWindowedControl || family == kFamilyListViewTrackBarRichEdit;
}

bool HasItemsStringList(std::string_view name) {
  return InList(UpperCase(name),
                {"TCOMBOBOX", "TDBCOMBOBOX", "TDBLISTBOX", "TDBRADIOGROUP", "TDRIVECOMBOBOX",
                 "TFILELISTBOX", "TFILTERCOMBOBOX", "TLISTBOX", "TRADIOGROUP"});
}

bool HasLinesStringList(std::string_view name) {
  return InList(UpperCase(name),
                {"TDBMEMO", "TDDECLIENTITEM", "TDDESERVERITEM", "TMEMO", "TOUTLINE"});
}

InheritedEventRow LookupInheritedEvent(std::string_view name) {
  for (const tables::EventRow& row : tables::InheritedEventTable()) {
    if (model::SameText(row.name, name)) return {row.name, row.handler_decl, row.default_code};
  }
  return {name, {}, model::DefaultCodeKind::kInheritedHandlerCall};
}

void AddInheritedEvent(model::ComponentDef& def, const InheritedEventRow& row, bool publish,
                       bool override_handler) {
  model::ItemDef item = model::NewExistingEventItem(row.Name);
  model::ExistingEventPart& event = item.ExistingEvent();
  event.HandlerDecl = row.HandlerDecl;
  event.Publish = publish;
  event.Override = override_handler;
  item.DefaultCode = row.DefaultCode;
  model::AddItem(def, std::move(item));
}

}  // namespace kx::catalog
