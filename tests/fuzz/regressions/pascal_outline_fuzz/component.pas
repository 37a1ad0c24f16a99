{ SPDX-License-Identifier: GPL-3.0-or-later }
unit U;
interface
type
  TA = class(TB)
  published
    property A: Integer read FA write FA default 0;
  end;
procedure Register;
implementation
procedure Register;
begin
  RegisterComponents('P', [TA]);
end;
end.
