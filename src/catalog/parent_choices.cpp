// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/parent_choices.h"

#include <iterator>

#include "model/text.h"

namespace kx::catalog {

namespace {

constexpr OutlineNode kOutline[] = {
    {0, "Derived from Delphi visual component"},
    {1, "Bevel"},
    {2, "TBevel"},
    {1, "Buttons"},
    {2, "TBitBtn"},
    {2, "TButton"},
    {2, "TCustomUpDown (Delphi 2.0+)"},
    {2, "TSpeedButton"},
    {2, "TUpDown (Delphi 2.0+)"},
    {1, "Checkboxes"},
    {2, "TCheckBox"},
    {2, "TCheckListBox (Delphi 3.0+)"},
    {2, "TCustomCheckBox"},
    {2, "TDBCheckBox"},
    {1, "Comboboxes"},
    {2, "TComboBox"},
    {2, "TCustomComboBox"},
    {2, "TDBComboBox"},
    {2, "TDBLookupCombo"},
    {2, "TDBLookupComboBox (Delphi 2.0+)"},
    {2, "TDriveComboBox"},
    {2, "TFilterComboBox"},
    {1, "Edit boxes"},
    {2, "TCustomEdit"},
    {2, "TCustomMaskEdit"},
    {2, "TDBEdit"},
    {2, "TEdit"},
    {2, "TMaskEdit"},
    {1, "Grids"},
    {2, "TCustomDBGrid"},
    {2, "TCustomGrid"},
    {2, "TDBCtrlGrid (Delphi 2.0+)"},
    {2, "TDBGrid"},
    {2, "TDrawGrid"},
    {2, "TStringGrid"},
    {1, "Hotkeys"},
    {2, "THotkey (Delphi 2.0+)"},
    {1, "Images"},
    {2, "TAnimate (Delphi 3.0+)"},
    {2, "TDBImage"},
    {2, "TImage"},
    {2, "TShape"},
    {1, "Labels"},
    {2, "TCustomLabel"},
    {2, "TDBText"},
    {2, "THeader"},
    {2, "THeaderControl (Delphi 2.0+)"},
    {2, "TLabel"},
    {1, "Listboxes"},
    {2, "TCustomListBox"},
    {2, "TCustomListView (Delphi 2.0+)"},
    {2, "TDBListBox"},
    {2, "TDBLookupList"},
    {2, "TDBLookupListBox (Delphi 2.0+)"},
    {2, "TDirectoryListBox"},
    {2, "TFileListBox"},
    {2, "TListBox"},
    {2, "TListView (Delphi 2.0+)"},
    {1, "Media players"},
    {2, "TMediaPlayer"},
    {1, "Memo edit boxes"},
    {2, "TCustomMemo"},
    {2, "TCustomRichEdit (Delphi 2.0+)"},
    {2, "TDBMemo"},
    {2, "TDBRichEdit (Delphi 3.0+)"},
    {2, "TMemo"},
    {2, "TRichEdit (Delphi 2.0+)"},
    {1, "Notebooks"},
    {2, "TCustomTabControl (Delphi 2.0+)"},
    {2, "TNotebook"},
    {2, "TPageControl (Delphi 2.0+)"},
    {2, "TTabbedNotebook"},
    {2, "TTabControl (Delphi 2.0+)"},
    {2, "TTabSet"},
    {1, "Outlines"},
    {2, "TCustomOutline"},
    {2, "TCustomTreeView (Delphi 2.0+)"},
    {2, "TOutline"},
    {2, "TTreeView (Delphi 2.0+)"},
    {1, "Paint boxes"},
    {2, "TPaintBox"},
    {1, "Progress bars"},
    {2, "TProgressBar (Delphi 2.0+)"},
    {1, "Radio buttons"},
    {2, "TCustomRadioGroup"},
    {2, "TDBRadioGroup"},
    {2, "TRadioButton"},
    {2, "TRadioGroup"},
    {1, "Scrollbars"},
    {2, "TScrollBar"},
    {1, "Status bars"},
    {2, "TStatusBar (Delphi 2.0+)"},
    {1, "Toolbars"},
    {2, "TCoolBar (Delphi 3.0+)"},
    {2, "TDBNavigator"},
    {2, "TMediaPlayer"},
    {2, "TToolBar (Delphi 3.0+)"},
    {1, "Track bars"},
    {2, "TTrackBar (Delphi 2.0+)"},
    {0, "Container for multiple components"},
    {1, "TCustomGroupBox"},
    {1, "TGroupBox"},
    {1, "TCustomPanel"},
    {1, "TPanel (normal container component)"},
    {1, "TScrollBox (scrolling view of sub-components)"},
    {0, "Derived from Delphi dialog component"},
    {1, "TColorDialog"},
    {1, "TCommonDialog"},
    {1, "TFindDialog"},
    {1, "TFontDialog"},
    {1, "TOpenDialog"},
    {1, "TOpenPictureDialog (Delphi 3.0+)"},
    {1, "TPrintDialog"},
    {1, "TPrinterSetupDialog"},
    {1, "TReplaceDialog"},
    {1, "TSaveDialog"},
    {1, "TSavePictureDialog (Delphi 3.0+)"},
    {0, "Derived from Delphi non-visual component"},
    {1, "TBatchMove"},
    {1, "TCustomImageList (Delphi 2.0+)"},
    {1, "TDataBase"},
    {1, "TDataSource"},
    {1, "TDdeClientConv"},
    {1, "TDdeClientItem"},
    {1, "TDdeServerConv"},
    {1, "TDdeServerItem"},
    {1, "TImageList (Delphi 2.0+)"},
    {1, "TOleContainer"},
    {1, "TQuery"},
    {1, "TReport"},
    {1, "TStoredProc"},
    {1, "TTable"},
    {1, "TTimer"},
    {1, "TUpdateSQL (Delphi 2.0+)"},
    {0, "Derived from Delphi Internet component"},
    {1, "DB Web components"},
    {2, "TDataSetTableProducer (Delphi 3.0+)"},
    {2, "TDSTableProducer (Delphi 3.0+)"},
    {2, "TQueryTableProducer (Delphi 3.0+)"},
    {1, "HTML producers"},
    {2, "TCustomContentProducer (Delphi 3.0+)"},
    {2, "TCustomPageProducer (Delphi 3.0+)"},
    {2, "TPageProducer (Delphi 3.0+)"},
    {1, "Sockets"},
    {2, "TClientSocket (Delphi 3.0+)"},
    {2, "TCustomServerSocket (Delphi 3.0+)"},
    {2, "TCustomSocket (Delphi 3.0+)"},
    {2, "TServerSocket (Delphi 3.0+)"},
    {0, "New visual component"},
    {1, "Can receive input focus; drawn with Canvas or Win API"},
    {2, "TCustomControl"},
    {1, "Cannot receive input focus; drawn with Canvas only"},
    {2, "TGraphicControl"},
    {0, "New non-visual component"},
    {1, "TComponent"},
    {0, "Business rule component"},
    {1, "TRzBusinessComponent"},
    {0, "Thread component"},
    {1, "TNewThread (Delphi 2.0+)"},
    {1, "TSharingThread (Delphi 2.0+)"},
    {1, "TResourceFlag (Delphi 2.0+)"},
    {0, "Wrapper for Delphi form"},
};

constexpr std::string_view kListView[] = {
    "TAnimate",
    "TBatchMove",
    "TBevel",
    "TBitBtn",
    "TButton",
    "TCheckBox",
    "TCheckListBox",
    "TClientSocket",
    "TColorDialog",
    "TComboBox",
    "TCommonDialog",
    "TComponent",
    "TCoolBar",
    "TCustomCheckBox",
    "TCustomComboBox",
    "TCustomContentProducer",
    "TCustomControl",
    "TCustomDBGrid",
    "TCustomEdit",
    "TCustomGrid",
    "TCustomGroupBox",
    "TCustomImageList",
    "TCustomLabel",
    "TCustomListBox",
    "TCustomListView",
    "TCustomMaskEdit",
    "TCustomMemo",
    "TCustomOutline",
    "TCustomPageProducer",
    "TCustomPanel",
    "TCustomRadioGroup",
    "TCustomRichEdit",
    "TCustomServerSocket",
    "TCustomSocket",
    "TCustomTabControl",
    "TCustomTreeView",
    "TCustomUpDown",
    "TDataBase",
    "TDataSetTableProducer",
    "TDataSource",
    "TDBCheckBox",
    "TDBComboBox",
    "TDBCtrlGrid",
    "TDBEdit",
    "TDBGrid",
    "TDBImage",
    "TDBListBox",
    "TDBLookupCombo",
    "TDBLookupComboBox",
    "TDBLookupList",
    "TDBLookupListBox",
    "TDBMemo",
    "TDBNavigator",
    "TDBRadioGroup",
    "TDBRichEdit",
    "TDBText",
    "TDdeClientConv",
    "TDdeClientItem",
    "TDdeServerConv",
    "TDdeServerItem",
    "TDirectoryListBox",
    "TDrawGrid",
    "TDriveComboBox",
    "TDSTableProducer",
    "TEdit",
    "TFileListBox",
    "TFilterComboBox",
    "TFindDialog",
    "TFontDialog",
    "TGraphicControl",
    "TGroupBox",
    "THeader",
    "THeaderControl",
    "THotkey",
    "TImage",
    "TImageList",
    "TLabel",
    "TListBox",
    "TListView",
    "TMaskEdit",
    "TMediaPlayer",
    "TMemo",
    "TNewThread",
    "TNotebook",
    "TOleContainer",
    "TOpenDialog",
    "TOpenPictureDialog",
    "TOutline",
    "TPageControl",
    "TPageProducer",
    "TPaintBox",
    "TPanel",
    "TPrintDialog",
    "TPrinterSetupDialog",
    "TProgressBar",
    "TQuery",
    "TQueryTableProducer",
    "TRadioButton",
    "TRadioGroup",
    "TReplaceDialog",
    "TReport",
    "TResourceFlag",
    "TRichEdit",
    "TRzBusinessComponent",
    "TSaveDialog",
    "TSavePictureDialog",
    "TScrollBar",
    "TScrollBox",
    "TServerSocket",
    "TShape",
    "TSharingThread",
    "TSpeedButton",
    "TSplitter",
    "TStatusBar",
    "TStoredProc",
    "TStringGrid",
    "TTabbedNotebook",
    "TTabControl",
    "TTable",
    "TTabSet",
    "TTimer",
    "TToolBar",
    "TTrackBar",
    "TTreeView",
    "TUpdateSQL",
    "TUpDown",
};
static_assert(std::size(kListView) == 126);

constexpr std::string_view kExpressItems[] = {
    "Non-visual component (TComponent)",
    "Edit box (TEdit)",
    "Data-aware edit box (TDbEdit)",
    "Combo box (TComboBox)",
    "Data-aware combo box (TDbComboBox)",
    "String grid (TStringGrid)",
    "Data-aware grid (TDBGrid)",
    "Memo (TMemo)",
    "Radio group (TRadioGroup)",
    "Open file dialog (TOpenDialog)",
    "Multimedia player (TMediaPlayer)",
    "Multiple-component container imported from a form",
    "Wrapper around a form",
};

constexpr std::string_view kExpressClasses[] = {
    "TComponent", "TEdit", "TDbEdit",     "TComboBox",   "TDbComboBox",  "TStringGrid",
    "TDbGrid",    "TMemo", "TRadioGroup", "TOpenDialog", "TMediaPlayer", "TPanel",
};
static_assert(std::size(kExpressItems) == kExpressWrapperItem + 1);
static_assert(std::size(kExpressClasses) == kExpressWrapperItem);

bool ValidNode(int index) { return index >= 0 && index < static_cast<int>(std::size(kOutline)); }

bool ValidExpressItem(int item) {
  return item >= 0 && item < static_cast<int>(std::size(kExpressItems));
}

// The run before the first blank: version notes and explanations are not part of the name.
std::string_view ClassPart(std::string_view text) { return text.substr(0, text.find(' ')); }

// An outline node that names a class: a leaf below the top level.
bool IsClassNode(int index) {
  return ValidNode(index) && kOutline[index].level > 0 && !OutlineNodeHasChildren(index);
}

}  // namespace

std::span<const OutlineNode> OutlineNodes() { return kOutline; }

bool OutlineNodeHasChildren(int index) {
  return ValidNode(index) && ValidNode(index + 1) &&
         kOutline[index + 1].level > kOutline[index].level;
}

int WrapperOutlineNode() { return static_cast<int>(std::size(kOutline)) - 1; }

std::vector<std::string> OutlineLines() {
  std::vector<std::string> lines;
  lines.reserve(std::size(kOutline));
  for (const OutlineNode& node : kOutline) {
    lines.push_back(std::string(static_cast<std::size_t>(node.level), '\t') +
                    std::string(node.text));
  }
  return lines;
}

std::span<const std::string_view> ListViewClasses() { return kListView; }
std::span<const std::string_view> ExpressItems() { return kExpressItems; }
std::span<const std::string_view> ExpressClasses() { return kExpressClasses; }

std::string SelectedClassName(const ParentChoice& choice) {
  switch (choice.view) {
    case ParentView::kOutline:
      if (!ValidNode(choice.outline_node)) return {};
      return std::string(ClassPart(kOutline[choice.outline_node].text));
    case ParentView::kList:
      return model::Trim(choice.list_text);
    case ParentView::kExpress:
      if (!ValidExpressItem(choice.express_item) || choice.express_item == kExpressWrapperItem) {
        return {};
      }
      return std::string(kExpressClasses[choice.express_item]);
    case ParentView::kCustom:
      return choice.custom_class;
  }
  return {};
}

bool IsClassSelection(const ParentChoice& choice) {
  switch (choice.view) {
    case ParentView::kOutline:
      return IsClassNode(choice.outline_node);
    case ParentView::kList:
      return SelectedClassName(choice).size() >= 2;
    case ParentView::kExpress:
      return ValidExpressItem(choice.express_item) && choice.express_item != kExpressWrapperItem;
    case ParentView::kCustom:
      return !choice.custom_class.empty();
  }
  return false;
}

bool CanAccept(const ParentChoice& choice, bool allow_forms) {
  switch (choice.view) {
    case ParentView::kOutline:
      return ValidNode(choice.outline_node) && !OutlineNodeHasChildren(choice.outline_node) &&
             (allow_forms || choice.outline_node != WrapperOutlineNode());
    case ParentView::kList:
    case ParentView::kCustom:
      return IsClassSelection(choice);
    case ParentView::kExpress:
      return ValidExpressItem(choice.express_item) &&
             (allow_forms || choice.express_item < kExpressContainerItem);
  }
  return false;
}

bool ChoosesWrapper(const ParentChoice& choice) {
  return (choice.view == ParentView::kOutline && choice.outline_node == WrapperOutlineNode()) ||
         (choice.view == ParentView::kExpress && choice.express_item == kExpressWrapperItem);
}

std::optional<store::HelpTopic> SelectedClassHelp(const ParentChoice& choice, bool using_delphi16) {
  if (!IsClassSelection(choice)) return std::nullopt;
  return store::ClassHelpTopic(SelectedClassName(choice), using_delphi16);
}

void PreselectParent(ParentChoice& choice, std::string_view current_parent) {
  choice.view = ParentView::kOutline;
  choice.outline_node = -1;
  for (int index = 0; ValidNode(index); ++index) {
    if (IsClassNode(index) && model::SameText(ClassPart(kOutline[index].text), current_parent)) {
      choice.outline_node = index;
    }
  }
  choice.list_text = current_parent;
}

std::string UnitForNewDefinition(const ParentSelection& selection) {
  return selection.form.FormMode == model::FormModeKind::kWrapsForm
             ? selection.form.FormUnitName.str()
             : selection.unit;
}

std::string UnregisteredClassQuestion(std::string_view class_name) {
  return std::string(class_name) + " is not in Kestrix's list " +
         "of standard VCL classes and is not in your list " +
         "of custom and third-party classes.  Do you want " + "to add it now?";
}

}  // namespace kx::catalog
