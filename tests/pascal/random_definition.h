// SPDX-License-Identifier: GPL-3.0-or-later
// Random definitions, as the tool lets a user build them, for the property checks of the
// generator (tests/pascal/random_units.cpp compiles their units, tests/lazarus/random_smoke.cpp
// runs their smoke programs). Each definition starts from the template of a random parent and
// gets random properties (every special kind, linked ones included), variables, methods with
// their binding directives and message clauses, new events with argument lists in the forms
// the event page accepts, and published inherited events.
//
//   std::mt19937 rng(seed);
//   model::ComponentDef def = kx::testing::RandomDefinition(rng).Build("Kxr1");
#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/class_catalog.h"
#include "catalog/new_definition.h"
#include "generate/unit/default_code.h"
#include "model/component_def.h"
#include "model/text.h"
#include "store/settings.h"

namespace kx::testing {

using model::PropSpecialType;

// Parents whose templates the LCL can compile (the others are the LCL gaps that the checks
// of the new definitions list).
constexpr std::string_view kParents[] = {
    "TComponent",  "TButton",   "TCheckBox",    "TComboBox",   "TCustomControl", "TGraphicControl",
    "TEdit",       "TLabel",    "TListBox",     "TMemo",       "TPanel",         "TScrollBox",
    "TStringGrid", "TDrawGrid", "TTimer",       "TOpenDialog", "TNewThread",     "TDataSource",
    "TImage",      "TShape",    "TSpeedButton", "TTreeView",   "TTrackBar",      "TBitBtn"};

struct TypeChoice {
  std::string_view type;
  std::vector<std::string_view> values;  // defaults a user would give; empty: none
};
const std::vector<TypeChoice> kValueTypes = {
    {"Boolean", {"True", "False"}},
    {"Integer", {"0", "100", "-5", "+3", "$1F", "-$10", "2147483647"}},
    {"Longint", {"7", "$7FFFFFFF", "-2147483648"}},
    {"Byte", {"0", "255"}},
    {"Word", {"1000"}},
    {"Cardinal", {"5"}},
    {"Double", {"1.5", "0"}},
    {"Real", {"2.25"}},
    {"Extended", {"1E3"}},
    {"String", {"'Kestrix'", "''"}},
    {"ShortString", {"'short'"}},
    {"String[20]", {"'twenty'"}},
    {"Char", {"'x'", "#65"}},
    {"TColor", {"clRed", "clBtnFace", "$00FF00"}},
    {"TAlign", {"alClient", "alNone"}},
    {"TCursor", {"crHourGlass"}},
    {"TFontStyles", {"[fsBold]", "[]"}}};
// Types whose value the default read method of an indexed property can give; for any other
// it writes the "{ Provide default }" placeholder that the user replaces.
constexpr std::string_view kIndexedTypes[] = {"Boolean", "Integer", "Longint", "Double",
                                              "String",  "Char",    "TColor",  "TFont"};
constexpr std::string_view kObjectTypes[] = {"TFont",    "TStrings", "TStringList", "TBitmap",
                                             "TPicture", "TIcon",    "TPen",        "TList"};
// Components the catalogue knows as such (it knows TPopupMenu only as an object type, so a
// TPopupMenu that AutoInitialize creates lacks its owner argument).
constexpr std::string_view kComponentTypes[] = {"TTimer", "TEdit",  "TButton", "TDataSource",
                                                "TPanel", "TLabel", "TMemo"};
constexpr std::string_view kArglists[] = {
    "",
    "()",
    "(Sender : TObject)",
    "Sender : TObject",
    "(Sender: TObject;var Done: Boolean)",
    "(Sender : TObject; var Allow : Boolean)",
    "(Sender : TObject; Covar : Integer; out Value : Integer)",
    "(const Name : String; Index : Integer)",
    "(Sender : TObject; X, Y : Integer; Outer : Boolean)",
    "(Avar, Aconst : Longint)"};
// Parameter lists of methods, and the message handlers' own forms.
constexpr std::string_view kParameters[] = {"",
                                            "(X : Integer)",
                                            "(var Covar : Integer; const S : String)",
                                            "(out Count : Longint)",
                                            "(A, B : Double; Outer : Boolean)",
                                            "(Sender : TObject)"};
constexpr std::string_view kMessages[] = {"CM_FONTCHANGED", "WM_SETFOCUS", "WM_KILLFOCUS",
                                          "CM_ENTER",       "CM_EXIT",     "WM_CHAR"};
constexpr std::string_view kStems[] = {"Zeta",  "Orbit", "Quill", "Vortex", "Lumen",
                                       "Tally", "Prism", "Knot",  "Ember",  "Glyph2X"};
constexpr std::string_view kEvents[] = {"OnClick",   "OnDblClick",  "OnMouseDown",
                                        "OnMouseUp", "OnMouseMove", "OnResize"};

class RandomDefinition {
 public:
  explicit RandomDefinition(std::mt19937& rng) : rng_(rng) {}

  model::ComponentDef Build(const std::string& unit_name) {
    model::ComponentDef def;
    const std::string parent(Pick(kParents));
    catalog::NewDefinitionFromParent(def, parent, parent, {}, catalog::ClassFamilyOf(parent),
                                     catalog::UnitOfClass(parent), store::Settings{});
    def.MainInfo.UnitName = unit_name;
    for (std::string_view unit : {"ExtCtrls", "StdCtrls", "Menus", "DB"}) {
      model::AddUnit(def.MainInfo.Units, unit);
    }
    const bool control = catalog::IsControl(parent);
    for (int n = Below(14); n > 0; --n) {
      const int kind = Below(control ? 6 : 5);  // inherited events only for controls
      if (kind == 0) AddProperty(def);
      if (kind == 1) AddVariable(def);
      if (kind == 2) AddMethod(def);
      if (kind == 3) AddEvent(def);
      if (kind == 4) AddInheritedProperty(def, control);
      if (kind == 5) {
        const catalog::InheritedEventRow row = catalog::LookupInheritedEvent(Pick(kEvents));
        catalog::AddInheritedEvent(def, row, true, Chance(2));
      }
    }
    return def;
  }

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(int one_in) { return Below(one_in) == 0; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&choices)[N]) {
    return choices[Below(N)];
  }
  template <typename T>
  const T& Pick(const std::vector<T>& choices) {
    return choices[Below(static_cast<int>(choices.size()))];
  }
  // Pascal takes no String[n] as a property's type (the type entry refuses "[" too).
  const TypeChoice& PickPropertyType() {
    for (;;) {
      const TypeChoice& choice = Pick(kValueTypes);
      if (choice.type != "String[20]") return choice;
    }
  }
  std::string Name() { return std::string(Pick(kStems)) + std::to_string(++names_); }

  void Add(model::ComponentDef& def, model::ItemDef item) { model::AddItem(def, std::move(item)); }

  void AddProperty(model::ComponentDef& def) {
    model::ItemDef item = model::NewPropertyItem(Name());
    model::PropertyPart& p = item.Property();
    p.Special = static_cast<PropSpecialType>(Below(model::kPropSpecialTypeCount));
    p.ReadOnly = Chance(4);
    p.Hide = Chance(5);
    p.UseReadMethod = Chance(2);
    p.UseWriteMethod = !p.ReadOnly && Chance(2);
    switch (p.Special) {
      case PropSpecialType::psNone: {
        const TypeChoice& choice = PickPropertyType();
        p.PropType = choice.type;
        if (Chance(2)) p.PropDefault = Pick(choice.values);
        break;
      }
      case PropSpecialType::psLinkComponent:
        p.PropType = Pick(kComponentTypes);
        break;
      case PropSpecialType::psObjectAutoCreate:
      case PropSpecialType::psObjectManualCreate:
        p.PropType = Chance(3) ? Pick(kComponentTypes) : Pick(kObjectTypes);
        break;
      default:  // indexed; the method flags as a file may hold them
        p.PropType = Pick(kIndexedTypes);
        if (Chance(3)) p.PropDefault = "1";
    }
    if (p.Special == PropSpecialType::psNone && Chance(4)) LinkToSubComponent(def, p);
    Add(def, std::move(item));
  }

  // A parent's property redeclared: republished, or hidden behind a Boolean.
  void AddInheritedProperty(model::ComponentDef& def, bool control) {
    struct Inherited {
      std::string_view name, type, value;
      PropSpecialType special;
    };
    static constexpr Inherited kAny[] = {{"Tag", "Longint", "5", PropSpecialType::psNone}};
    static constexpr Inherited kControls[] = {
        {"Color", "TColor", "clRed", PropSpecialType::psNone},
        {"Hint", "String", "'hint'", PropSpecialType::psNone},
        {"Enabled", "Boolean", "False", PropSpecialType::psNone},
        {"Cursor", "TCursor", "crCross", PropSpecialType::psNone},
        {"PopupMenu", "TPopupMenu", "", PropSpecialType::psLinkComponent}};
    const Inherited& chosen = control && !Chance(3) ? Pick(kControls) : Pick(kAny);
    model::ItemDef item = model::NewPropertyItem(chosen.name);
    model::PropertyPart& p = item.Property();
    p.Inherited = true;
    p.PropType = chosen.type;
    p.Special = chosen.special;
    p.Hide = Chance(3);
    p.ReadOnly = Chance(4);
    if (Chance(2)) p.PropDefault = chosen.value;
    Add(def, std::move(item));
  }

  // A property that reads and writes a sub-component's property, as the linked-property
  // dialog makes it.
  void LinkToSubComponent(model::ComponentDef& def, model::PropertyPart& p) {
    model::ItemDef edit = model::NewVariableItem("Edit" + std::to_string(++names_));
    edit.Variable().DataType = "TEdit";
    edit.Variable().IsObject = edit.Variable().IsSubComponent = true;
    edit.Variable().Scope = model::kScopePrivate;
    p.PropType = Chance(2) ? "String" : "TColor";
    p.Link = edit.Variable().Name + (p.PropType == "String" ? ".Text" : ".Color");
    p.PropDefault = p.PropType == "String" ? "'linked'" : "clNavy";
    p.ReadOnly = Chance(4);
    Add(def, std::move(edit));
  }

  void AddVariable(model::ComponentDef& def) {
    model::ItemDef item = model::NewVariableItem(Name());
    model::VariablePart& v = item.Variable();
    v.Scope = static_cast<std::uint8_t>(Below(4));
    switch (Below(3)) {
      case 0: {
        const TypeChoice& choice = Pick(kValueTypes);
        v.DataType = choice.type;
        if (Chance(2)) v.Default = Pick(choice.values);
        break;
      }
      case 1:
        v.DataType = Pick(kObjectTypes);
        v.IsObject = !Chance(4);
        break;
      default:
        v.DataType = Pick(kComponentTypes);
        v.IsObject = !Chance(4);
        v.IsSubComponent = v.IsObject && Chance(2);
    }
    if (v.IsObject && Chance(2)) {
      item.DefaultCode = model::DefaultCodeKind::kSubComponentSettings;
      generate::FillDefaultCode(item, {});
    }
    Add(def, std::move(item));
  }

  void AddMethod(model::ComponentDef& def) {
    const std::uint8_t kind = static_cast<std::uint8_t>(Below(4));
    std::string header = Name();
    model::ItemDef item = model::NewMethodItem("");
    model::MethodPart& m = item.Method();
    m.MethodKind = kind;
    m.Mode = static_cast<model::MethodMode>(Below(3));
    m.Scope = static_cast<std::uint8_t>(Below(4));
    // One handler per message: the templates' WMSize already takes WM_SIZE.
    if (kind == model::kProcedure && messages_ < std::size(kMessages) && Chance(4)) {
      header += "(var Message : TMessage)";
      m.WinMessage = kMessages[messages_++];
    } else {
      header += Pick(kParameters);
      if (kind == model::kFunction) header += " : " + std::string(Pick(kIndexedTypes));
    }
    m.Header = header;
    Add(def, std::move(item));
  }

  void AddEvent(model::ComponentDef& def) {
    std::string name = "On" + Name();
    if (Chance(5)) name += "Event";
    model::ItemDef item = model::NewEventItem(name);
    item.NewEvent().Arglist = Pick(kArglists);
    item.NewEvent().Publish = !Chance(3);
    Add(def, std::move(item));
  }

  std::mt19937& rng_;
  int names_ = 0;
  std::size_t messages_ = 0;
};

}  // namespace kx::testing
