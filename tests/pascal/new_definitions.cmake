# SPDX-License-Identifier: GPL-3.0-or-later
# Every parent of the parent selection's List view, as File > New builds its definition (no
# form), generates a unit that must compile. new_definition_units writes the units into the
# build tree; one check per class compiles its unit.
#
# Included by tests/pascal/CMakeLists.txt once fpc and the LCL were found.

add_executable(kx_new_definition_units "${CMAKE_CURRENT_LIST_DIR}/new_definition_units.cpp")
target_link_libraries(kx_new_definition_units PRIVATE kx_generate)

# Exactly the List view, in its order: the generator refuses any other list.
set(kx_new_classes
    TAnimate TBatchMove TBevel TBitBtn TButton TCheckBox TCheckListBox TClientSocket TColorDialog
    TComboBox TCommonDialog TComponent TCoolBar TCustomCheckBox TCustomComboBox
    TCustomContentProducer TCustomControl TCustomDBGrid TCustomEdit TCustomGrid TCustomGroupBox
    TCustomImageList TCustomLabel TCustomListBox TCustomListView TCustomMaskEdit TCustomMemo
    TCustomOutline TCustomPageProducer TCustomPanel TCustomRadioGroup TCustomRichEdit
    TCustomServerSocket TCustomSocket TCustomTabControl TCustomTreeView TCustomUpDown TDataBase
    TDataSetTableProducer TDataSource TDBCheckBox TDBComboBox TDBCtrlGrid TDBEdit TDBGrid TDBImage
    TDBListBox TDBLookupCombo TDBLookupComboBox TDBLookupList TDBLookupListBox TDBMemo TDBNavigator
    TDBRadioGroup TDBRichEdit TDBText TDdeClientConv TDdeClientItem TDdeServerConv TDdeServerItem
    TDirectoryListBox TDrawGrid TDriveComboBox TDSTableProducer TEdit TFileListBox TFilterComboBox
    TFindDialog TFontDialog TGraphicControl TGroupBox THeader THeaderControl THotkey TImage
    TImageList TLabel TListBox TListView TMaskEdit TMediaPlayer TMemo TNewThread TNotebook
    TOleContainer TOpenDialog TOpenPictureDialog TOutline TPageControl TPageProducer TPaintBox
    TPanel TPrintDialog TPrinterSetupDialog TProgressBar TQuery TQueryTableProducer TRadioButton
    TRadioGroup TReplaceDialog TReport TResourceFlag TRichEdit TRzBusinessComponent TSaveDialog
    TSavePictureDialog TScrollBar TScrollBox TServerSocket TShape TSharingThread TSpeedButton
    TSplitter TStatusBar TStoredProc TStringGrid TTabbedNotebook TTabControl TTable TTabSet TTimer
    TToolBar TTrackBar TTreeView TUpdateSQL TUpDown
)

# Parents the LCL cannot compile a descendant of, each with the errors that say why (matched
# against "message | source line"). Nothing here may stand for an error of our output.
#
# A unit Delphi had and the LCL has not: the compiler stops at the uses clause.
function(kx_new_gap_unit unit)
  foreach(class IN LISTS ARGN)
    set(kx_new_gap_${class} "Can't find unit ${unit} used by" PARENT_SCOPE)
  endforeach()
endfunction()
kx_new_gap_unit(Ddeman TDdeClientConv TDdeClientItem TDdeServerConv TDdeServerItem)
kx_new_gap_unit(Dblookup TDBLookupCombo TDBLookupList)  # Delphi 1.0's lookup controls
kx_new_gap_unit(Dbweb TDataSetTableProducer TDSTableProducer TQueryTableProducer)
kx_new_gap_unit(Httpapp TCustomContentProducer TCustomPageProducer TPageProducer)
kx_new_gap_unit(Mask TCustomMaskEdit TMaskEdit)  # the LCL's mask edits are in MaskEdit
kx_new_gap_unit(Mplayer TMediaPlayer)
kx_new_gap_unit(Report TReport)
kx_new_gap_unit(Scktcomp TClientSocket TCustomServerSocket TCustomSocket TServerSocket)
kx_new_gap_unit(Tabnotbk TTabbedNotebook)
kx_new_gap_unit(tabs TTabSet)
kx_new_gap_unit(Toctrl TOleContainer)
# The business rule component belongs to its vendor's library, which is neither Delphi's
# nor the LCL's.
kx_new_gap_unit(Rzbizcmp TRzBusinessComponent)

# A class Delphi declared in a unit the LCL has, but which the LCL's unit lacks: the class is
# unknown, and so the first member that needs it fails (an inherited method overridden or an
# inherited event published).
# (No ";" in a regex: it would split the CMake list; "." stands for it.)
set(kx_new_unknown_members
    "(overridden: \"(Loaded|constructor Create\\(TComponent\\)).\"|\\| +property On(Click|Change|KeyDown).$)")
function(kx_new_gap_class)
  foreach(class IN LISTS ARGN)
    set(kx_new_gap_${class}
        "Identifier not found \"${class}\""
        "class type expected, but got \"<erroneous type>\""
        ${kx_new_unknown_members}
        PARENT_SCOPE)
  endforeach()
endfunction()
kx_new_gap_class(TAnimate THotkey TCustomRichEdit TRichEdit)  # ComCtrls
kx_new_gap_class(TCustomImageList)  # Controls; the LCL's is in ImgList
kx_new_gap_class(TPrintDialog TPrinterSetupDialog)  # Dialogs; the LCL's are in PrintersDlgs
kx_new_gap_class(TDBCtrlGrid TDBRichEdit)  # DBCtrls
kx_new_gap_class(TDirectoryListBox TDriveComboBox)  # FileCtrl
kx_new_gap_class(THeader)  # ExtCtrls; Delphi 1.0's header
kx_new_gap_class(TCustomOutline)  # Outline: Free Pascal finds Free Vision's unit of that name
# whose TOutline is an old-style object.
set(kx_new_gap_TOutline
    "The mix of different kind of objects \\(class, object, interface, etc\\) isn't allowed"
    ${kx_new_unknown_members})

# A member Delphi's class had and the LCL's has not.
# The LCL's TDBGrid has no OnDrawDataCell (it offers OnDrawColumnCell).
set(kx_new_gap_TCustomDBGrid "\\| +property OnDrawDataCell.$")
set(kx_new_gap_TDBGrid "\\| +property OnDrawDataCell.$")
# The LCL's TDBImage is a graphic control, which takes no focus: no OnEnter.
set(kx_new_gap_TDBImage "\\| +property OnEnter.$")
# The LCL's group boxes and radio groups are not custom controls with a Paint method.
foreach(class TCustomGroupBox TGroupBox TCustomRadioGroup TRadioGroup TDBRadioGroup)
  set(kx_new_gap_${class}
      "There is no method in an ancestor class to be overridden: \"Paint.\" \\| +procedure Paint. override.$")
endforeach()
# The LCL's TCustomImageList.Change is not virtual.
set(kx_new_gap_TImageList
    "There is no method in an ancestor class to be overridden: \"Change.\" \\| +procedure Change. override.$")

set(kx_new_dir "${CMAKE_CURRENT_BINARY_DIR}/new_definitions")
add_test(NAME new_definition_units
         COMMAND kx_new_definition_units "${kx_new_dir}" ${kx_new_classes})
set_tests_properties(new_definition_units PROPERTIES
  LABELS pascal FIXTURES_SETUP kx_new_definitions)

foreach(class IN LISTS kx_new_classes)
  string(TOLOWER "${class}" lower)
  string(SUBSTRING "${lower}" 1 -1 stem)
  set(expect "")
  if(DEFINED kx_new_gap_${class})
    set(expect EXPECT_ERRORS ${kx_new_gap_${class}})
  endif()
  kx_add_pascal_check(NAME pascal_new_${stem} SOURCE "${kx_new_dir}/kxn${stem}.pas" ${expect})
  set_tests_properties(pascal_new_${stem} PROPERTIES
    FIXTURES_REQUIRED "kx_pascal_compat;kx_new_definitions")
endforeach()
