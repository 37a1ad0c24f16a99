{ SPDX-License-Identifier: GPL-3.0-or-later }
{ RAD Studio's design-time interface unit DesignIntf (Delphi 6 and later),
  for checking units generated for today's Delphi with Free Pascal against the
  LCL.  The declarations follow RAD Studio's documentation; only those a
  property editor or a registration unit reaches are here.  Nothing runs
  inside an IDE: registration is recorded nowhere, so that a unit that
  compiles here compiles because its text is right. }
unit DesignIntf;

{$mode delphi}

interface

uses
  SysUtils, Classes, TypInfo;

type
  TPropertyAttribute = (paValueList, paSubProperties, paDialog, paMultiSelect,
    paAutoUpdate, paSortList, paReadOnly, paRevertable, paFullWidthName,
    paVolatileSubProperties, paVCL, paNotNestable, paDisplayReadOnly,
    paCustomDropDown, paValueEditable);
  TPropertyAttributes = set of TPropertyAttribute;

  { The form designer as a property editor sees it.  RAD Studio builds it
    from a chain of versioned interfaces; the members are the same. }
  IDesigner = interface
    ['{93F3FCBC-968E-45A9-9641-609E8FB3AC60}']
    function GetRoot: TComponent;
    procedure Modified;
    function CreateMethod(const Name: string; TypeData: PTypeData): TMethod;
    function GetMethodName(const Method: TMethod): string;
    procedure GetMethods(TypeData: PTypeData; Proc: TGetStrProc);
    function MethodExists(const Name: string): Boolean;
    procedure RenameMethod(const CurName, NewName: string);
    procedure SelectComponent(Instance: TPersistent);
    procedure ShowMethod(const Name: string);
    function UniqueName(const BaseName: string): string;
    procedure GetComponentNames(TypeData: PTypeData; Proc: TGetStrProc);
    function GetComponent(const Name: string): TComponent;
    function GetComponentName(Component: TComponent): string;
    property Root: TComponent read GetRoot;
  end;

  TBasePropertyEditor = class(TInterfacedObject)
  protected
    procedure Initialize; virtual; abstract;
    procedure SetPropEntry(Index: Integer; AInstance: TPersistent;
      APropInfo: PPropInfo); virtual; abstract;
  public
    constructor Create(const ADesigner: IDesigner; APropCount: Integer); virtual;
  end;
  TPropertyEditorClass = class of TBasePropertyEditor;

  TBaseComponentEditor = class(TInterfacedObject)
  public
    constructor Create(AComponent: TComponent; ADesigner: IDesigner); virtual;
  end;
  TComponentEditorClass = class of TBaseComponentEditor;

procedure RegisterPropertyEditor(PropertyType: PTypeInfo; ComponentClass: TClass;
  const PropertyName: string; EditorClass: TPropertyEditorClass);
procedure RegisterComponentEditor(ComponentClass: TComponentClass;
  ComponentEditor: TComponentEditorClass);

implementation

constructor TBasePropertyEditor.Create(const ADesigner: IDesigner; APropCount: Integer);
begin
  inherited Create;
end;

constructor TBaseComponentEditor.Create(AComponent: TComponent; ADesigner: IDesigner);
begin
  inherited Create;
end;

procedure RegisterPropertyEditor(PropertyType: PTypeInfo; ComponentClass: TClass;
  const PropertyName: string; EditorClass: TPropertyEditorClass);
begin
end;

procedure RegisterComponentEditor(ComponentClass: TComponentClass;
  ComponentEditor: TComponentEditorClass);
begin
end;

end.
