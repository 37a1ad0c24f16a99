{ SPDX-License-Identifier: GPL-3.0-or-later }
unit Comp;
{$mode objfpc}{$H+}
interface
{$ifdef fpc}{$H+}{$endif}
uses Classes;
type
  TComp = class;
  TItem = class
    FOwner: TComp;
  end;
  { The component }
  TComp = class(TComponent)
  private
    const N = 2;
    type TR = record A: Integer; end;
  private
    FX: Integer;
    FItems: TList;
    procedure SetX(const AValue: Integer);
    function GetItem(AIndex: Integer): TItem;
  public
    property Item[AIndex: Integer]: TItem read GetItem; default;
  published
    property X: Integer read FX write SetX default 1;
    property Tag read GetTag write SetTag;
  end;
  TSub = class(TComp)
  end;
procedure Register;
implementation
procedure TComp.SetX(const AValue: Integer);
begin
  if AValue = Value then Exit;
  FX := AValue;
end;
function TComp.GetItem(AIndex: Integer): TItem;
begin
  Result := TItem(FItems[AIndex]);
end;
procedure Register;
begin
  RegisterComponents('Samples', [TComp, TSub]);
end;
{$I more.inc}
initialization
  RegisterClass(TComp);
finalization
end.
