{ SPDX-License-Identifier: GPL-3.0-or-later }
{ Free Pascal's own conversions between binary and text forms (the Classes unit), run by
  the oracle tests and the benchmark to compare Kestrix's conversion with.

    form_oracle to-text FORM OUT        binary form, with or without the resource header,
                                        to text; on failure what was written so far
                                        still goes to OUT, the message to stderr, exit 3
    form_oracle to-resource TEXT OUT    text form to a binary form with the resource header
    form_oracle to-stream TEXT OUT      text form to a bare TPF0 stream
    form_oracle bench PASSES FORM...    converts the forms PASSES times in this process;
                                        prints "timed FORM" for each form that converts
                                        whole (only those are timed), then
                                        "passes=P forms=F ms=T" }
program form_oracle;

{$mode objfpc}{$H+}

uses
  Classes, SysUtils;

const
  ExitUsage = 2;
  ExitConversionFailed = 3;

procedure BinaryToText(Input, Output: TStream);
var
  First: Byte;
begin
  First := 0;
  Input.Position := 0;
  Input.Read(First, 1);
  Input.Position := 0;
  if First = $FF then
    ObjectResourceToText(Input, Output)
  else
    ObjectBinaryToText(Input, Output);
end;

procedure Convert(const Mode, InName, OutName: string);
var
  Input: TMemoryStream;
  Output: TMemoryStream;
  Failed: Boolean;
begin
  Input := TMemoryStream.Create;
  Output := TMemoryStream.Create;
  Failed := False;
  try
    Input.LoadFromFile(InName);
    try
      if Mode = 'to-text' then
        BinaryToText(Input, Output)
      else if Mode = 'to-resource' then
        ObjectTextToResource(Input, Output)
      else
        ObjectTextToBinary(Input, Output);
    except
      on E: Exception do
      begin
        WriteLn(StdErr, E.ClassName, ': ', E.Message);
        Failed := True;
      end;
    end;
    Output.SaveToFile(OutName);
  finally
    Input.Free;
    Output.Free;
  end;
  if Failed then
    Halt(ExitConversionFailed);
end;

procedure Bench(Passes: Integer; FirstFile: Integer);
var
  Forms: array of TMemoryStream;
  Output: TMemoryStream;
  Count, I, Pass: Integer;
  Start, Elapsed: QWord;
  Form: TMemoryStream;
  Whole: Boolean;
begin
  Count := 0;
  SetLength(Forms, ParamCount - FirstFile + 1);
  Output := TMemoryStream.Create;
  for I := FirstFile to ParamCount do
  begin
    Form := TMemoryStream.Create;
    Form.LoadFromFile(ParamStr(I));
    Output.Clear;
    try
      BinaryToText(Form, Output);
      Whole := True;
    except
      Whole := False;
    end;
    if Whole then
    begin
      Forms[Count] := Form;
      Inc(Count);
      WriteLn('timed ', ParamStr(I));
    end
    else
      Form.Free;
  end;
  Start := GetTickCount64;
  for Pass := 1 to Passes do
    for I := 0 to Count - 1 do
    begin
      Output.Clear;
      BinaryToText(Forms[I], Output);
    end;
  Elapsed := GetTickCount64 - Start;
  WriteLn('passes=', Passes, ' forms=', Count, ' ms=', Elapsed);
  for I := 0 to Count - 1 do
    Forms[I].Free;
  Output.Free;
end;

var
  Mode: string;
begin
  Mode := ParamStr(1);
  if (Mode = 'bench') and (ParamCount >= 3) then
    Bench(StrToInt(ParamStr(2)), 3)
  else if ((Mode = 'to-text') or (Mode = 'to-resource') or (Mode = 'to-stream'))
      and (ParamCount = 3) then
    Convert(Mode, ParamStr(2), ParamStr(3))
  else
  begin
    WriteLn(StdErr, 'usage: form_oracle to-text|to-resource|to-stream IN OUT');
    WriteLn(StdErr, '       form_oracle bench PASSES FORM...');
    Halt(ExitUsage);
  end;
end.
