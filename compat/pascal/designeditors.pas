{ SPDX-License-Identifier: GPL-3.0-or-later }
{ RAD Studio's unit DesignEditors: the property editor and component editor
  base classes, for checking units generated for today's Delphi with Free
  Pascal against the LCL.  Members carry the signatures of RAD Studio's
  documentation (GetComponent gives a TPersistent, ordinal values are
  NativeInt); the value access methods do nothing. }
unit DesignEditors;

{$mode delphi}

interface

uses
  SysUtils, Classes, TypInfo, DesignIntf;

type
  TPropertyEditor = class(TBasePropertyEditor)
  private
    FDesigner: IDesigner;
    FPropCount: Integer;
  protected
    procedure Initialize; override;
    procedure SetPropEntry(Index: Integer; AInstance: TPersistent;
      APropInfo: PPropInfo); override;
    function GetPropInfo: PPropInfo; virtual;
    function GetFloatValue: Extended;
    function GetFloatValueAt(Index: Integer): Extended;
    function GetInt64Value: Int64;
    function GetMethodValue: TMethod;
    function GetOrdValue: NativeInt; virtual;
    function GetOrdValueAt(Index: Integer): NativeInt;
    function GetStrValue: string;
    function GetStrValueAt(Index: Integer): string;
    function GetVarValue: Variant;
    procedure SetFloatValue(Value: Extended);
    procedure SetInt64Value(Value: Int64);
    procedure SetMethodValue(const Value: TMethod);
    procedure SetOrdValue(Value: NativeInt);
    procedure SetStrValue(const Value: string);
    procedure SetVarValue(const Value: Variant);
  public
    constructor Create(const ADesigner: IDesigner; APropCount: Integer); override;
    procedure Activate; virtual;
    function AllEqual: Boolean; virtual;
    function AutoFill: Boolean; virtual;
    procedure Edit; virtual;
    function GetAttributes: TPropertyAttributes; virtual;
    function GetComponent(Index: Integer): TPersistent;
    function GetEditLimit: Integer; virtual;
    function GetName: string; virtual;
    function GetPropType: PTypeInfo;
    function GetValue: string; virtual;
    procedure GetValues(Proc: TGetStrProc); virtual;
    procedure Modified;
    procedure Revert;
    procedure SetValue(const Value: string); virtual;
    function ValueAvailable: Boolean;
    property Designer: IDesigner read FDesigner;
    property PropCount: Integer read FPropCount;
    property Value: string read GetValue write SetValue;
  end;

  TOrdinalProperty = class(TPropertyEditor)
  public
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

  TBoolProperty = class(TEnumProperty)
  public
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

  TClassProperty = class(TPropertyEditor)
  public
    function GetAttributes: TPropertyAttributes; override;
    function GetValue: string; override;
  end;

  TComponentProperty = class(TPropertyEditor)
  public
    function AllEqual: Boolean; override;
    function GetAttributes: TPropertyAttributes; override;
    function GetEditLimit: Integer; override;
    function GetValue: string; override;
    procedure GetValues(Proc: TGetStrProc); override;
    procedure SetValue(const Value: string); override;
  end;

  TComponentEditor = class(TBaseComponentEditor)
  private
    FComponent: TComponent;
    FDesigner: IDesigner;
  public
    constructor Create(AComponent: TComponent; ADesigner: IDesigner); override;
    procedure Edit; virtual;
    procedure ExecuteVerb(Index: Integer); virtual;
    function GetVerb(Index: Integer): string; virtual;
    function GetVerbCount: Integer; virtual;
    property Component: TComponent read FComponent;
    property Designer: IDesigner read FDesigner;
  end;

  TDefaultEditor = class(TComponentEditor)
  end;

implementation

uses
  Variants;

constructor TPropertyEditor.Create(const ADesigner: IDesigner; APropCount: Integer);
begin
  inherited Create(ADesigner, APropCount);
  FDesigner := ADesigner;
  FPropCount := APropCount;
end;

procedure TPropertyEditor.Initialize;
begin
end;

procedure TPropertyEditor.SetPropEntry(Index: Integer; AInstance: TPersistent;
  APropInfo: PPropInfo);
begin
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

function TPropertyEditor.GetInt64Value: Int64;
begin
  Result := 0;
end;

function TPropertyEditor.GetMethodValue: TMethod;
begin
  Result.Code := nil;
  Result.Data := nil;
end;

function TPropertyEditor.GetOrdValue: NativeInt;
begin
  Result := GetOrdValueAt(0);
end;

function TPropertyEditor.GetOrdValueAt(Index: Integer): NativeInt;
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
  Result := Null;
end;

procedure TPropertyEditor.SetFloatValue(Value: Extended);
begin
end;

procedure TPropertyEditor.SetInt64Value(Value: Int64);
begin
end;

procedure TPropertyEditor.SetMethodValue(const Value: TMethod);
begin
end;

procedure TPropertyEditor.SetOrdValue(Value: NativeInt);
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

function TPropertyEditor.AutoFill: Boolean;
begin
  Result := True;
end;

procedure TPropertyEditor.Edit;
begin
end;

function TPropertyEditor.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paRevertable];
end;

function TPropertyEditor.GetComponent(Index: Integer): TPersistent;
begin
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

procedure TPropertyEditor.Modified;
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

function TOrdinalProperty.AllEqual: Boolean;
begin
  Result := True;
end;

function TOrdinalProperty.GetEditLimit: Integer;
begin
  Result := 63;
end;

function TIntegerProperty.GetValue: string;
begin
  Result := IntToStr(GetOrdValue);
end;

procedure TIntegerProperty.SetValue(const Value: string);
begin
  SetOrdValue(StrToInt(Value));
end;

function TCharProperty.GetValue: string;
begin
  Result := Chr(GetOrdValue);
end;

procedure TCharProperty.SetValue(const Value: string);
begin
  if Value <> '' then SetOrdValue(Ord(Value[1]));
end;

function TEnumProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList, paRevertable];
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

function TBoolProperty.GetValue: string;
begin
  Result := BoolToStr(GetOrdValue <> 0, True);
end;

procedure TBoolProperty.GetValues(Proc: TGetStrProc);
begin
  Proc('False');
  Proc('True');
end;

procedure TBoolProperty.SetValue(const Value: string);
begin
  SetOrdValue(Ord(SameText(Value, 'True')));
end;

function TFloatProperty.AllEqual: Boolean;
begin
  Result := True;
end;

function TFloatProperty.GetValue: string;
begin
  Result := FloatToStr(GetFloatValue);
end;

procedure TFloatProperty.SetValue(const Value: string);
begin
  SetFloatValue(StrToFloat(Value));
end;

function TStringProperty.AllEqual: Boolean;
begin
  Result := True;
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

function TClassProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paSubProperties, paReadOnly, paVolatileSubProperties];
end;

function TClassProperty.GetValue: string;
begin
  Result := '';
end;

function TComponentProperty.AllEqual: Boolean;
begin
  Result := True;
end;

function TComponentProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList, paRevertable];
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

constructor TComponentEditor.Create(AComponent: TComponent; ADesigner: IDesigner);
begin
  inherited Create(AComponent, ADesigner);
  FComponent := AComponent;
  FDesigner := ADesigner;
end;

procedure TComponentEditor.Edit;
begin
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

end.
