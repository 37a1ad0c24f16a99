{ The property editors the button definition names, so that its unit compiles. }
unit SndEdit;

interface

uses Classes, DsgnIntf;

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
