{ SPDX-License-Identifier: GPL-3.0-or-later }
{ RAD Studio's unit VCLEditors: the property editors of VCL types (colours,
  cursors, fonts), for checking units generated for today's Delphi with Free
  Pascal against the LCL.  Declarations as RAD Studio documents them; the
  bodies do nothing. }
unit VCLEditors;

{$mode delphi}

interface

uses
  SysUtils, Classes, DesignIntf, DesignEditors;

type
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

  TFontNameProperty = class(TStringProperty)
  public
    function GetAttributes: TPropertyAttributes; override;
    procedure GetValues(Proc: TGetStrProc); override;
  end;

  TFontProperty = class(TClassProperty)
  public
    procedure Edit; override;
    function GetAttributes: TPropertyAttributes; override;
  end;

implementation

procedure TColorProperty.Edit;
begin
end;

function TColorProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paDialog, paValueList, paRevertable];
end;

function TColorProperty.GetValue: string;
begin
  Result := IntToStr(GetOrdValue);
end;

procedure TColorProperty.GetValues(Proc: TGetStrProc);
begin
end;

procedure TColorProperty.SetValue(const Value: string);
begin
end;

function TCursorProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList, paRevertable];
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

function TFontNameProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paValueList, paSortList, paRevertable];
end;

procedure TFontNameProperty.GetValues(Proc: TGetStrProc);
begin
end;

procedure TFontProperty.Edit;
begin
end;

function TFontProperty.GetAttributes: TPropertyAttributes;
begin
  Result := [paMultiSelect, paSubProperties, paDialog, paReadOnly];
end;

end.
