{ SPDX-License-Identifier: GPL-3.0-or-later }
{ The property editors the button definition names, as today's Delphi writes
  them, so that its registration unit compiles. }
unit SndEdit;

interface

uses System.Classes, DesignIntf, DesignEditors;

type
  TSoundFileProperty = class(TStringProperty)
  public
    function GetAttributes : TPropertyAttributes; override;
  end;

  TGlyphProperty = class(TClassProperty)
  end;

  TSecretProperty = class(TStringProperty)
  end;

implementation

function TSoundFileProperty.GetAttributes : TPropertyAttributes;
begin
     Result := [paDialog];
end;

end.
