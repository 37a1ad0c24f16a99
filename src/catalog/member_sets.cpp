#include "catalog/member_sets.h"

#include "catalog/class_catalog.h"
#include "model/text.h"

namespace kx::catalog {

using model::ComponentDef;
using model::ItemDef;

namespace {

void AddEvent(ComponentDef& def, std::string_view name, bool publish, bool override_handler) {
  AddInheritedEvent(def, LookupInheritedEvent(name), publish, override_handler);
}

void AddInheritedProperty(ComponentDef& def, std::string_view name, std::string_view type,
                          std::string_view default_value) {
  ItemDef item = model::NewPropertyItem(name);
  model::PropertyPart& property = item.Property();
  property.Inherited = true;
  property.PropType = type;
  property.PropDefault = default_value;
  model::AddItem(def, std::move(item));
}

void AddMethod(ComponentDef& def, std::string_view header, std::uint8_t method_kind,
               std::uint8_t scope, std::uint8_t default_code, std::string_view descr = {}) {
  ItemDef item = model::NewMethodItem(header);
  model::MethodPart& method = item.Method();
  method.MethodKind = method_kind;
  method.Scope = scope;
  method.Override = true;
  item.DefaultCode = default_code;
  item.Descr = descr;
  model::AddItem(def, std::move(item));
}

}  // namespace

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
  AddInheritedEvent(def, {"OnClick", "Click(Button: TMPBtnType; var DoDefault : Boolean)", 13},
                    true, false);
  AddInheritedEvent(def, {"OnNotify", "DoNotify", 13}, true, false);
  AddInheritedEvent(def, {"OnPostClick", "PostClick(Button : TMPBtnType)", 13}, true, false);
  AddEvent(def, "OnEnter", true, false);
  AddEvent(def, "OnExit", true, false);
  constexpr std::string_view kAllButtons =
      "[btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject]";
  AddInheritedProperty(def, "ColoredButtons", "TButtonSet", kAllButtons);
  AddInheritedProperty(def, "EnabledButtons", "TButtonSet", kAllButtons);
  AddInheritedProperty(def, "VisibleButtons", "TButtonSet", kAllButtons);
  AddInheritedProperty(def, "Visible", "Boolean", "True");
  AddInheritedProperty(def, "AutoEnable", "Boolean", "True");
  AddInheritedProperty(def, "AutoOpen", "Boolean", "False");
  AddInheritedProperty(def, "AutoRewind", "Boolean", "True");
  AddInheritedProperty(def, "Shareable", "Boolean", "False");
  AddInheritedProperty(def, "DeviceType", "TMPDeviceTypes", "dtAutoSelect");
  AddInheritedProperty(def, "FileName", "String", "");
}

void AddFileDialogSet(ComponentDef& def) {
  AddInheritedProperty(def, "DefaultExt", "String", "'txt'");
  AddInheritedProperty(def, "FileName", "String", "");
  AddInheritedProperty(def, "Filter", "String", "'Text files (*.txt)|*.txt|All files (*.*)|*.*'");
  AddInheritedProperty(def, "InitialDir", "String", "");
  AddInheritedProperty(def, "Title", "String", "");
  AddInheritedProperty(def, "Options", "TOpenOptions", "[]");
  AddMethod(def, "Execute : Boolean", model::kFunction, model::kScopePublic, 22);
}

void AddThreadSet(ComponentDef& def) {
  ItemDef terminate = model::NewExistingEventItem("OnTerminate");
  terminate.Descr = "Termination of thread";
  terminate.ExistingEvent().HandlerDecl = "Terminate(Sender : TObject)";
  terminate.ExistingEvent().Publish = true;
  terminate.ExistingEvent().Override = true;
  model::AddItem(def, std::move(terminate));
  AddMethod(def, "Start", model::kProcedure, model::kScopePublic, 24, "Method to start the thread");
  AddMethod(def, "Execute(Sender : TObject)", model::kProcedure, model::kScopeProtected, 23,
            "Method for thread to execute when started");
  if (model::SameText(def.MainInfo.VCLAncestorName, "TSharingThread")) {
    AddMethod(def, "SetResourceFlag(Value : TResourceFlag)", model::kProcedure,
              model::kScopeProtected, 21, "Write method for inherited prop ResourceFlag");
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
