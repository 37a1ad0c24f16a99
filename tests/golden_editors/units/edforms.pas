{ The forms the golden property editors edit their values in. }
unit Edforms;

interface

uses Classes, Forms;

type
  TIntForm = class(TForm)
  public
    Value : Integer;
  end;

  TFloatForm = class(TForm)
  public
    Value : Extended;
  end;

  TStrForm = class(TForm)
  public
    Value : String;
  end;

  TListForm = class(TForm)
  public
    Value : TStringList;
  end;

implementation

end.
