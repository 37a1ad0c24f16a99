// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/member_sets.h"

#include "catalog/class_catalog.h"
#include "model/text.h"

namespace kx::catalog {

using DC = model::DefaultCodeKind;

using model::ComponentDef;
using model::ItemDef;

namespace {

void AddEvent(ComponentDef& def, std::string_view name, bool publish, bool override_handler) {
  AddInheritedEvent(def, LookupInheritedEvent(name), publish, override_handler);
}

}  // namespace

void AddMethodMember(ComponentDef& def, std::string_view header, std::uint8_t method_kind,
                     std::uint8_t scope, bool override_method, model::DefaultCodeKind default_code,
                     std::string_view descr, std::string_view win_message) {
  ItemDef item = model::NewMethodItem(header);
  model::MethodPart& method = item.Method();
  method.MethodKind = method_kind;
  method.Scope = scope;
  method.Override = override_method;
  method.WinMessage = win_message;
  item.DefaultCode = default_code;
  item.Descr = descr;
  model::AddItem(def, std::move(item));
}

void AddPropertyMember(ComponentDef& def, std::string_view name, std::string_view type,
                       std::string_view default_value, bool inherited, std::string_view descr,
                       bool read_only) {
  ItemDef item = model::NewPropertyItem(name);
  model::PropertyPart& property = item.Property();
  property.PropType = type;
  property.PropDefault = default_value;
  property.Inherited = inherited;
  property.ReadOnly = read_only;
  item.Descr = descr;
  model::AddItem(def, std::move(item));
}

void AddFamilyEvents(ComponentDef& def, std::string_view vcl_ancestor) {
  const int family = ClassFamilyOf(vcl_ancestor);
  if (family == kFamilyGraphicControl || family == kFamilyWindowedControl) {
    if (IsDataAwareGrid(vcl_ancestor)) {
      AddEvent(def, "OnDblClick", true, false);
      AddEvent(def, "OnDragDrop", true, false);
    } else {
      AddEvent(def, "OnClick", true, true);
      for (std::string_view name :
           {"OnDblClick", "OnDragDrop", "OnMouseDown", "OnMouseMove", "OnMouseUp"}) {
        AddEvent(def, name, true, false);
      }
    }
  }
  if (family == kFamilyWindowedControl || family == kFamilyListViewTrackBarRichEdit) {
    AddEvent(def, "OnKeyUp", true, false);
    AddEvent(def, "OnKeyDown", true, false);
    AddEvent(def, "OnKeyPress", true, true);
  }
  if (family == kFamilyWindowedControl) {
    AddEvent(def, "OnEnter", true, false);
    AddEvent(def, "OnExit", true, false);
  }
  if (family == kFamilyStatusBarUpDown) AddEvent(def, "OnClick", true, true);
  if (HasOnChange(vcl_ancestor)) AddEvent(def, "OnChange", true, true);
  if (HasOnResize(vcl_ancestor)) AddEvent(def, "OnResize", true, false);
  if (IsGrid(vcl_ancestor)) AddEvent(def, "OnDrawCell", true, false);
  if (IsDataAwareGrid(vcl_ancestor)) AddEvent(def, "OnDrawDataCell", true, false);
}

void AddRadioGroupSet(ComponentDef& def) {
  AddEvent(def, "OnClick", true, true);
  AddEvent(def, "OnEnter", true, false);
  AddEvent(def, "OnExit", true, false);
}

void AddMediaPlayerSet(ComponentDef& def) {
  AddInheritedEvent(
      def,
      {"OnClick", "Click(Button: TMPBtnType; var DoDefault : Boolean)", DC::kInheritedHandlerCall},
      true, false);
  AddInheritedEvent(def, {"OnNotify", "DoNotify", DC::kInheritedHandlerCall}, true, false);
  AddInheritedEvent(def,
                    {"OnPostClick", "PostClick(Button : TMPBtnType)", DC::kInheritedHandlerCall},
                    true, false);
  AddEvent(def, "OnEnter", true, false);
  AddEvent(def, "OnExit", true, false);
  constexpr std::string_view kAllButtons =
      "[btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject]";
  AddPropertyMember(def, "ColoredButtons", "TButtonSet", kAllButtons, true);
  AddPropertyMember(def, "EnabledButtons", "TButtonSet", kAllButtons, true);
  AddPropertyMember(def, "VisibleButtons", "TButtonSet", kAllButtons, true);
  AddPropertyMember(def, "Visible", "Boolean", "True", true);
  AddPropertyMember(def, "AutoEnable", "Boolean", "True", true);
  AddPropertyMember(def, "AutoOpen", "Boolean", "False", true);
  AddPropertyMember(def, "AutoRewind", "Boolean", "True", true);
  AddPropertyMember(def, "Shareable", "Boolean", "False", true);
  AddPropertyMember(def, "DeviceType", "TMPDeviceTypes", "dtAutoSelect", true);
  AddPropertyMember(def, "FileName", "String", "", true);
}

void AddFileDialogSet(ComponentDef& def) {
  AddPropertyMember(def, "DefaultExt", "String", "'txt'", true);
  AddPropertyMember(def, "FileName", "String", "", true);
  AddPropertyMember(def, "Filter", "String", "'Text files (*.txt)|*.txt|All files (*.*)|*.*'",
                    true);
  AddPropertyMember(def, "InitialDir", "String", "", true);
  AddPropertyMember(def, "Title", "String", "", true);
  AddPropertyMember(def, "Options", "TOpenOptions", "[]", true);
  AddMethodMember(def, "Execute : Boolean", model::kFunction, model::kScopePublic, true,
                  DC::kInheritedFunctionCall);
}

void AddThreadSet(ComponentDef& def) {
  ItemDef terminate = model::NewExistingEventItem("OnTerminate");
  terminate.Descr = "Termination of thread";
  terminate.ExistingEvent().HandlerDecl = "Terminate(Sender : TObject)";
  terminate.ExistingEvent().Publish = true;
  terminate.ExistingEvent().Override = true;
  model::AddItem(def, std::move(terminate));
  AddMethodMember(def, "Start", model::kProcedure, model::kScopePublic, true, DC::kThreadStart,
                  "Method to start the thread");
  AddMethodMember(def, "Execute(Sender : TObject)", model::kProcedure, model::kScopeProtected, true,
                  DC::kThreadExecute, "Method for thread to execute when started");
  if (model::SameText(def.MainInfo.VCLAncestorName, "TSharingThread")) {
    AddMethodMember(def, "SetResourceFlag(Value : TResourceFlag)", model::kProcedure,
                    model::kScopeProtected, true, DC::kInheritedProcedureCall,
                    "Write method for inherited prop ResourceFlag");
  }
}

void AddInheritedEventSet(ComponentDef& def, std::string_view vcl_ancestor) {
  if (model::SameText(vcl_ancestor, "TMediaPlayer")) {
    AddMediaPlayerSet(def);
  } else if (ClassFamilyOf(vcl_ancestor) == kFamilyRadioGroup) {
    AddRadioGroupSet(def);
  } else {
    AddFamilyEvents(def, vcl_ancestor);
  }
}

}  // namespace kx::catalog
