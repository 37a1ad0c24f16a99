{ SPDX-License-Identifier: GPL-3.0-or-later }
{ Delphi 3's design-time unit DsgnIntf, for checking generated component
  units and property editor units with Free Pascal against the LCL.  The
  classes and routines carry Delphi 3's names and signatures.  Nothing here
  runs inside an IDE: registration is recorded nowhere and the value access
  methods do nothing, so that a unit that compiles here compiles because its
  text is right, not because this unit is lenient. }
unit DsgnIntf;

{$mode delphi}

interface

uses
  SysUtils, Classes, TypInfo, Graphics, Forms;

type
  { Delphi derives this from Forms.TDesigner, which the LCL does not have;
    the members an editor uses are declared here instead. }
  TFormDesigner = class(TObject)
  protected
    function GetForm: TCustomForm; virtual; abstract;
  public
    procedure Modified; virtual; abstract;
    function CreateMethod(const Name: string; TypeData: PTypeData): TMethod; virtual; abstract;
    function GetMethodName(const Method: TMethod): string; virtual; abstract;
    procedure GetMethods(TypeData: PTypeData; Proc: TGetStrProc); virtual; abstract;
    function GetPrivateDirectory: string; virtual; abstract;
    function MethodExists(const Name: string): Boolean; virtual; abstract;
    procedure RenameMethod(const CurName, NewName: string); virtual; abstract;
    procedure SelectComponent(Instance: TComponent); virtual; abstract;
    procedure ShowMethod(const Name: string); virtual; abstract;
    function UniqueName(const BaseName: string): string; virtual; abstract;
    procedure GetComponentNames(TypeData: PTypeData; Proc: TGetStrProc); virtual; abstract;
    function GetComponent(const Name: string): TComponent; virtual; abstract;
    function GetComponentName(Component: TComponent): string; virtual; abstract;
    property Form: TCustomForm read GetForm;
  end;

  TPropertyAttribute = (paValueList, paSubProperties, paDialog, paMultiSelect,
    paAutoUpdate, paSortList, paReadOnly);
  TPropertyAttributes = set of TPropertyAttribute;

  TPropertyEditor = class;

  { Delphi 3 edits components only; later versions widened this to
    TPersistent, and generated editors assign GetComponent to a TComponent. }
  TInstProp = record
    Instance: TComponent;
    PropInfo: PPropInfo;
  end;
  PInstPropList = ^TInstPropList;
  TInstPropList = array[0..1023] of TInstProp;

  TGetPropEditProc = procedure(Prop: TPropertyEditor) of object;

  TPropertyEditor = class
  private
    FDesigner: TFormDesigner;
    FPropList: PInstPropList;
    FPropCount: Integer;
    function GetPrivateDirectory: string;
  protected
    function GetPropInfo: PPropInfo;
    function GetFloatValue: Extended;
    function GetFloatValueAt(Index: Integer): Extended;
    function GetMethodValue: TMethod;
    function GetMethodValueAt(Index: Integer): TMethod;
    function GetOrdValue: Longint;
    function GetOrdValueAt(Index: Integer): Longint;
    function GetStrValue: string;
    function GetStrValueAt(Index: Integer): string;
    function GetVarValue: Variant;
    function GetVarValueAt(Index: Integer): Variant;
    procedure Modified;
    procedure SetFloatValue(Value: Extended);
    procedure SetMethodValue(const Value: TMethod);
    procedure SetOrdValue(Value: Longint);
    procedure SetStrValue(const Value: string);
    procedure SetVarValue(const Value: Variant);
  public
    constructor Create(ADesigner: TFormDesigner; APropCount: Integer);
    destructor Destroy; override;
    procedure Activate; virtual;
    function AllEqual: Boolean; virtual;
    procedure Edit; virtual;
    function GetAttributes: TPropertyAttributes; virtual;
    function GetComponent(Index: Integer): TComponent;
    function GetEditLimit: Integer; virtual;
    function GetName: string; virtual;
    procedure GetProperties(Proc: TGetPropEditProc); virtual;
    function GetPropType: PTypeInfo;
    function GetValue: string; virtual;
    procedure GetValues(Proc: TGetStrProc); virtual;
    procedure Initialize; virtual;
    procedure Revert;
    procedure SetValue(const Value: string); virtual;
    function ValueAvailable: Boolean;
    property Designer: TFormDesigner read FDesigner;
    property PrivateDirectory: string read GetPrivateDirectory;
    property PropCount: Integer read FPropCount;
    property Value: string read GetValue write SetValue;
  end;

  TPropertyEditorClass = class of TPropertyEditor;

  TOrdinalProperty = class(TPropertyEditor)
    function AllEqual: Boolean; override;
    function GetEditLimit: Integer; override;
  end;

  TIntegerProperty = class(TOrdinalProperty)
  public
    function GetValue: string; override;
    procedure SetValue(const Value: string); override;
  end;

  TCharProperty = class(TOrdinalProperty)
  public
    function GetValue: string; override;
    procedure SetValue(const Value: string); override;
  end;

  TEnumProperty = class(TOrdinalProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const Value: string); override;
  end;

  TFloatProperty = class(TPropertyEditor)
  public
    function AllEqual: Boolean; override;
    function GetValue: string; override;
    procedure SetValue(const Value: string); override;
  end;

  TStringProperty = class(TPropertyEditor)
  public
    function AllEqual: Boolean; override;
    function GetEditLimit: Integer; override;
    function GetValue: string; override;
    procedure SetValue(const Value: string); override;
  end;

  TNestedProperty = class(TPropertyEditor)
  public
    constructor Create(Parent: TPropertyEditor);
    destructor Destroy; override;
  end;

  TSetElementProperty = class(TNestedProperty)
  private
    FElement: Integer;
  public
    constructor Create(Parent: TPropertyEditor; AElement: Integer);
    function AllEqual: Boolean; override;
    function GetAttributes: TPropertyAttributes; override;
    function GetName: string; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const Value: string); override;
  end;

  TSetProperty = class(TOrdinalProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
    procedure GetProperties(Proc: TGetPropEditProc); override;
    function GetValue: string; override;
  end;

  TClassProperty = class(TPropertyEditor)
  public
    function GetAttributes: TPropertyAttributes; override;
    procedure GetProperties(Proc: TGetPropEditProc); override;
    function GetValue: string; override;
  end;

  TMethodProperty = class(TPropertyEditor)
  public
    function AllEqual: Boolean; override;
    procedure Edit; override;
    function GetAttributes: TPropertyAttributes; override;
    function GetEditLimit: Integer; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const AValue: string); override;
  end;

  TComponentProperty = class(TPropertyEditor)
  public
    function GetAttributes: TPropertyAttributes; override;
    function GetEditLimit: Integer; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const Value: string); override;
  end;

  TComponentNameProperty = class(TStringProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
    function GetEditLimit: Integer; override;
  end;

  TFontNameProperty = class(TStringProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
    procedure GetValues(Proc: TGetStrProc); override;
  end;

  TColorProperty = class(TIntegerProperty)
  public
    procedure Edit; override;
    function GetAttributes: TPropertyAttributes; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const Value: string); override;
  end;

  TCursorProperty = class(TIntegerProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const Value: string); override;
  end;

  TFontProperty = class(TClassProperty)
  public
    procedure Edit; override;
    function GetAttributes: TPropertyAttributes; override;
  end;

  TModalResultProperty = class(TIntegerProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const Value: string); override;
  end;

  TShortCutProperty = class(TOrdinalProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const Value: string); override;
  end;

  TMPFilenameProperty = class(TStringProperty)
  public
    procedure Edit; override;
    function GetAttributes: TPropertyAttributes; override;
  end;

  TTabOrderProperty = class(TIntegerProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
  end;

  TCaptionProperty = class(TStringProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
  end;

  TComponentEditor = class
  private
    FComponent: TComponent;
    FDesigner: TFormDesigner;
  public
    constructor Create(AComponent: TComponent; ADesigner: TFormDesigner); virtual;
    procedure Edit; virtual;
    procedure ExecuteVerb(Index: Integer); virtual;
    function GetVerb(Index: Integer): string; virtual;
    function GetVerbCount: Integer; virtual;
    procedure Copy; virtual;
    property Component: TComponent read FComponent;
    property Designer: TFormDesigner read FDesigner;
  end;

  TComponentEditorClass = class of TComponentEditor;

  TDefaultEditor = class(TComponentEditor)
  protected
    procedure EditProperty(PropertyEditor: TPropertyEditor;
      var Continue, FreeEditor: Boolean); virtual;
  public
    procedure Edit; override;
  end;

procedure RegisterPropertyEditor(PropertyType: PTypeInfo; ComponentClass: TClass;
  const PropertyName: string; EditorClass: TPropertyEditorClass);
procedure RegisterComponentEditor(ComponentClass: TComponentClass;
  ComponentEditor: TComponentEditorClass);
function GetComponentEditor(Component: TComponent;
  Designer: TFormDesigner): TComponentEditor;

implementation

uses
  Variants;

{ TPropertyEditor }

constructor TPropertyEditor.Create(ADesigner: TFormDesigner; APropCount: Integer);
begin
  inherited Create;
  FDesigner := ADesigner;
  FPropCount := APropCount;
  FPropList := nil;
end;

destructor TPropertyEditor.Destroy;
begin
  inherited Destroy;
end;

function TPropertyEditor.GetPrivateDirectory: string;
begin
  Result := '';
end;

function TPropertyEditor.GetPropInfo: PPropInfo;
begin
  Result := nil;
end;

function TPropertyEditor.GetFloatValue: Extended;
begin
  Result := GetFloatValueAt(0);
end;

function TPropertyEditor.GetFloatValueAt(Index: Integer): Extended;
begin
  Result := 0;
end;

function TPropertyEditor.GetMethodValue: TMethod;
begin
  Result := GetMethodValueAt(0);
end;

function TPropertyEditor.GetMethodValueAt(Index: Integer): TMethod;
begin
  Result.Code := nil;
  Result.Data := nil;
end;

function TPropertyEditor.GetOrdValue: Longint;
begin
  Result := GetOrdValueAt(0);
end;

function TPropertyEditor.GetOrdValueAt(Index: Integer): Longint;
begin
  Result := 0;
end;

function TPropertyEditor.GetStrValue: string;
begin
  Result := GetStrValueAt(0);
end;

function TPropertyEditor.GetStrValueAt(Index: Integer): string;
begin
  Result := '';
end;

function TPropertyEditor.GetVarValue: Variant;
begin
  Result := GetVarValueAt(0);
end;

function TPropertyEditor.GetVarValueAt(Index: Integer): Variant;
begin
  Result := Null;
end;

procedure TPropertyEditor.Modified;
begin
end;

procedure TPropertyEditor.SetFloatValue(Value: Extended);
begin
end;

procedure TPropertyEditor.SetMethodValue(const Value: TMethod);
begin
end;

procedure TPropertyEditor.SetOrdValue(Value: Longint);
begin
end;

procedure TPropertyEditor.SetStrValue(const Value: string);
begin
end;

procedure TPropertyEditor.SetVarValue(const Value: Variant);
begin
end;

procedure TPropertyEditor.Activate;
begin
end;

function TPropertyEditor.AllEqual: Boolean;
begin
  Result := FPropCount = 1;
end;

procedure TPropertyEditor.Edit;
begin
end;

function TPropertyEditor.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect];
end;

function TPropertyEditor.GetComponent(Index: Integer): TComponent;
begin
  if (FPropList <> nil) and (Index >= 0) and (Index < FPropCount) then
    Result := FPropList^[Index].Instance
  else
    Result := nil;
end;

function TPropertyEditor.GetEditLimit: Integer;
begin
  Result := 255;
end;

function TPropertyEditor.GetName: string;
begin
  Result := '';
end;

procedure TPropertyEditor.GetProperties(Proc: TGetPropEditProc);
begin
end;

function TPropertyEditor.GetPropType: PTypeInfo;
begin
  Result := nil;
end;

function TPropertyEditor.GetValue: string;
begin
  Result := '(unknown)';
end;

procedure TPropertyEditor.GetValues(Proc: TGetStrProc);
begin
end;

procedure TPropertyEditor.Initialize;
begin
end;

procedure TPropertyEditor.Revert;
begin
end;

procedure TPropertyEditor.SetValue(const Value: string);
begin
end;

function TPropertyEditor.ValueAvailable: Boolean;
begin
  Result := True;
end;

{ TOrdinalProperty }

function TOrdinalProperty.AllEqual: Boolean;
begin
  Result := inherited AllEqual;
end;

function TOrdinalProperty.GetEditLimit: Integer;
begin
  Result := 63;
end;

{ TIntegerProperty }

function TIntegerProperty.GetValue: string;
begin
  Result := IntToStr(GetOrdValue);
end;

procedure TIntegerProperty.SetValue(const Value: string);
begin
  SetOrdValue(StrToInt(Value));
end;

{ TCharProperty }

function TCharProperty.GetValue: string;
begin
  Result := Chr(GetOrdValue);
end;

procedure TCharProperty.SetValue(const Value: string);
begin
  if Length(Value) = 1 then
    SetOrdValue(Ord(Value[1]));
end;

{ TEnumProperty }

function TEnumProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList];
end;

function TEnumProperty.GetValue: string;
begin
  Result := IntToStr(GetOrdValue);
end;

procedure TEnumProperty.GetValues(Proc: TGetStrProc);
begin
end;

procedure TEnumProperty.SetValue(const Value: string);
begin
end;

{ TFloatProperty }

function TFloatProperty.AllEqual: Boolean;
begin
  Result := inherited AllEqual;
end;

function TFloatProperty.GetValue: string;
begin
  Result := FloatToStr(GetFloatValue);
end;

procedure TFloatProperty.SetValue(const Value: string);
begin
  SetFloatValue(StrToFloat(Value));
end;

{ TStringProperty }

function TStringProperty.AllEqual: Boolean;
begin
  Result := inherited AllEqual;
end;

function TStringProperty.GetEditLimit: Integer;
begin
  Result := 255;
end;

function TStringProperty.GetValue: string;
begin
  Result := GetStrValue;
end;

procedure TStringProperty.SetValue(const Value: string);
begin
  SetStrValue(Value);
end;

{ TNestedProperty }

constructor TNestedProperty.Create(Parent: TPropertyEditor);
begin
  inherited Create(Parent.Designer, Parent.PropCount);
end;

destructor TNestedProperty.Destroy;
begin
  inherited Destroy;
end;

{ TSetElementProperty }

constructor TSetElementProperty.Create(Parent: TPropertyEditor; AElement: Integer);
begin
  inherited Create(Parent);
  FElement := AElement;
end;

function TSetElementProperty.AllEqual: Boolean;
begin
  Result := inherited AllEqual;
end;

function TSetElementProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList];
end;

function TSetElementProperty.GetName: string;
begin
  Result := IntToStr(FElement);
end;

function TSetElementProperty.GetValue: string;
begin
  Result := 'False';
end;

procedure TSetElementProperty.GetValues(Proc: TGetStrProc);
begin
  Proc('False');
  Proc('True');
end;

procedure TSetElementProperty.SetValue(const Value: string);
begin
end;

{ TSetProperty }

function TSetProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paSubProperties, paReadOnly];
end;

procedure TSetProperty.GetProperties(Proc: TGetPropEditProc);
begin
end;

function TSetProperty.GetValue: string;
begin
  Result := '[]';
end;

{ TClassProperty }

function TClassProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paSubProperties, paReadOnly];
end;

procedure TClassProperty.GetProperties(Proc: TGetPropEditProc);
begin
end;

function TClassProperty.GetValue: string;
begin
  Result := '';
end;

{ TMethodProperty }

function TMethodProperty.AllEqual: Boolean;
begin
  Result := inherited AllEqual;
end;

procedure TMethodProperty.Edit;
begin
end;

function TMethodProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList];
end;

function TMethodProperty.GetEditLimit: Integer;
begin
  Result := 63;
end;

function TMethodProperty.GetValue: string;
begin
  Result := '';
end;

procedure TMethodProperty.GetValues(Proc: TGetStrProc);
begin
end;

procedure TMethodProperty.SetValue(const AValue: string);
begin
end;

{ TComponentProperty }

function TComponentProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList];
end;

function TComponentProperty.GetEditLimit: Integer;
begin
  Result := 127;
end;

function TComponentProperty.GetValue: string;
begin
  Result := '';
end;

procedure TComponentProperty.GetValues(Proc: TGetStrProc);
begin
end;

procedure TComponentProperty.SetValue(const Value: string);
begin
end;

{ TComponentNameProperty }

function TComponentNameProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [];
end;

function TComponentNameProperty.GetEditLimit: Integer;
begin
  Result := 63;
end;

{ TFontNameProperty }

function TFontNameProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList];
end;

procedure TFontNameProperty.GetValues(Proc: TGetStrProc);
begin
end;

{ TColorProperty }

procedure TColorProperty.Edit;
begin
end;

function TColorProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paDialog, paValueList];
end;

function TColorProperty.GetValue: string;
begin
  Result := ColorToString(TColor(GetOrdValue));
end;

procedure TColorProperty.GetValues(Proc: TGetStrProc);
begin
  GetColorValues(Proc);
end;

procedure TColorProperty.SetValue(const Value: string);
begin
  SetOrdValue(StringToColor(Value));
end;

{ TCursorProperty }

function TCursorProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList];
end;

function TCursorProperty.GetValue: string;
begin
  Result := IntToStr(GetOrdValue);
end;

procedure TCursorProperty.GetValues(Proc: TGetStrProc);
begin
end;

procedure TCursorProperty.SetValue(const Value: string);
begin
end;

{ TFontProperty }

procedure TFontProperty.Edit;
begin
end;

function TFontProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paSubProperties, paDialog, paReadOnly];
end;

{ TModalResultProperty }

function TModalResultProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList];
end;

function TModalResultProperty.GetValue: string;
begin
  Result := IntToStr(GetOrdValue);
end;

procedure TModalResultProperty.GetValues(Proc: TGetStrProc);
begin
end;

procedure TModalResultProperty.SetValue(const Value: string);
begin
end;

{ TShortCutProperty }

function TShortCutProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList];
end;

function TShortCutProperty.GetValue: string;
begin
  Result := '';
end;

procedure TShortCutProperty.GetValues(Proc: TGetStrProc);
begin
end;

procedure TShortCutProperty.SetValue(const Value: string);
begin
end;

{ TMPFilenameProperty }

procedure TMPFilenameProperty.Edit;
begin
end;

function TMPFilenameProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paDialog];
end;

{ TTabOrderProperty }

function TTabOrderProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [];
end;

{ TCaptionProperty }

function TCaptionProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paAutoUpdate];
end;

{ TComponentEditor }

constructor TComponentEditor.Create(AComponent: TComponent; ADesigner: TFormDesigner);
begin
  inherited Create;
  FComponent := AComponent;
  FDesigner := ADesigner;
end;

procedure TComponentEditor.Edit;
begin
  if GetVerbCount > 0 then
    ExecuteVerb(0);
end;

procedure TComponentEditor.ExecuteVerb(Index: Integer);
begin
end;

function TComponentEditor.GetVerb(Index: Integer): string;
begin
  Result := '';
end;

function TComponentEditor.GetVerbCount: Integer;
begin
  Result := 0;
end;

procedure TComponentEditor.Copy;
begin
end;

{ TDefaultEditor }

procedure TDefaultEditor.EditProperty(PropertyEditor: TPropertyEditor;
  var Continue, FreeEditor: Boolean);
begin
end;

procedure TDefaultEditor.Edit;
begin
end;

{ Registration: there is no Object Inspector to register with. }

procedure RegisterPropertyEditor(PropertyType: PTypeInfo; ComponentClass: TClass;
  const PropertyName: string; EditorClass: TPropertyEditorClass);
begin
end;

procedure RegisterComponentEditor(ComponentClass: TComponentClass;
  ComponentEditor: TComponentEditorClass);
begin
end;

function GetComponentEditor(Component: TComponent;
  Designer: TFormDesigner): TComponentEditor;
begin
  Result := TDefaultEditor.Create(Component, Designer);
end;

end.
