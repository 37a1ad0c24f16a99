{ SPDX-License-Identifier: GPL-3.0-or-later }
{ Delphi 1's WinProcs unit (in Delphi 2 and 3 an alias of Windows), for
  checking generated units with Free Pascal against the LCL.  A subset of the
  Windows API functions Delphi declared here, with the Win32 signatures of
  Delphi 2 and 3 (handles and message parameters as the LCL sizes them); each
  forwards to the LCL's own implementation in LCLIntf. }
unit WinProcs;

{$mode delphi}

interface

uses
  WinTypes;

{ Windows and messages }
function MessageBox(Wnd: HWND; Text, Caption: PChar; TextType: UINT): Integer;
function SendMessage(Wnd: HWND; Msg: UINT; WParam: WPARAM; LParam: LPARAM): LRESULT;
function PostMessage(Wnd: HWND; Msg: UINT; WParam: WPARAM; LParam: LPARAM): BOOL;
function InvalidateRect(Wnd: HWND; Rect: PRect; Erase: BOOL): BOOL;
function UpdateWindow(Wnd: HWND): BOOL;
function GetClientRect(Wnd: HWND; var Rect: TRect): BOOL;
function GetWindowRect(Wnd: HWND; var Rect: TRect): BOOL;
function ClientToScreen(Wnd: HWND; var Point: TPoint): BOOL;
function ScreenToClient(Wnd: HWND; var Point: TPoint): BOOL;
function WindowFromPoint(Point: TPoint): HWND;
function GetParent(Wnd: HWND): HWND;
function GetActiveWindow: HWND;
function GetFocus: HWND;
function SetFocus(Wnd: HWND): HWND;
function GetCapture: HWND;
function SetCapture(Wnd: HWND): HWND;
function ReleaseCapture: BOOL;
function IsWindow(Wnd: HWND): BOOL;
function IsWindowEnabled(Wnd: HWND): BOOL;
function IsWindowVisible(Wnd: HWND): BOOL;
function IsIconic(Wnd: HWND): BOOL;
function IsZoomed(Wnd: HWND): BOOL;
function EnableWindow(Wnd: HWND; Enable: BOOL): BOOL;
function ShowWindow(Wnd: HWND; CmdShow: Integer): BOOL;
function SetWindowPos(Wnd, WndInsertAfter: HWND; X, Y, CX, CY: Integer; Flags: UINT): BOOL;

{ Input and timing }
function GetKeyState(VirtKey: Integer): SHORT;
function GetCursorPos(var Point: TPoint): BOOL;
function SetCursorPos(X, Y: Integer): BOOL;
function SetCursor(Cursor: HCURSOR): HCURSOR;
function GetTickCount: DWORD;
function GetSystemMetrics(Index: Integer): Integer;
function GetSysColor(Index: Integer): DWORD;

{ Rectangles }
function SetRect(var Rect: TRect; Left, Top, Right, Bottom: Integer): BOOL;
function SetRectEmpty(var Rect: TRect): BOOL;
function CopyRect(var Dst: TRect; const Src: TRect): BOOL;
function OffsetRect(var Rect: TRect; DX, DY: Integer): BOOL;
function InflateRect(var Rect: TRect; DX, DY: Integer): BOOL;
function IntersectRect(var Dst: TRect; const Src1, Src2: TRect): BOOL;
function UnionRect(var Dst: TRect; const Src1, Src2: TRect): BOOL;
function IsRectEmpty(const Rect: TRect): BOOL;
function EqualRect(const Rect1, Rect2: TRect): BOOL;
function PtInRect(const Rect: TRect; Point: TPoint): BOOL;

{ Device contexts and drawing }
function GetDC(Wnd: HWND): HDC;
function ReleaseDC(Wnd: HWND; DC: HDC): Integer;
function CreateCompatibleDC(DC: HDC): HDC;
function DeleteDC(DC: HDC): BOOL;
function SaveDC(DC: HDC): Integer;
function RestoreDC(DC: HDC; SavedDC: Integer): BOOL;
function GetDeviceCaps(DC: HDC; Index: Integer): Integer;
function SelectObject(DC: HDC; Obj: HGDIOBJ): HGDIOBJ;
function DeleteObject(Obj: HGDIOBJ): BOOL;
function GetStockObject(Index: Integer): HGDIOBJ;
function CreatePen(Style, Width: Integer; Color: COLORREF): HPEN;
function CreateSolidBrush(Color: COLORREF): HBRUSH;
function CreateCompatibleBitmap(DC: HDC; Width, Height: Integer): HBITMAP;
function SetBkMode(DC: HDC; BkMode: Integer): Integer;
function SetBkColor(DC: HDC; Color: COLORREF): COLORREF;
function SetTextColor(DC: HDC; Color: COLORREF): COLORREF;
function TextOut(DC: HDC; X, Y: Integer; Str: PChar; Count: Integer): BOOL;
function DrawText(DC: HDC; Str: PChar; Count: Integer; var Rect: TRect; Format: UINT): Integer;
function MoveToEx(DC: HDC; X, Y: Integer; OldPoint: PPoint): BOOL;
function LineTo(DC: HDC; X, Y: Integer): BOOL;
function Rectangle(DC: HDC; X1, Y1, X2, Y2: Integer): BOOL;
function RoundRect(DC: HDC; X1, Y1, X2, Y2, X3, Y3: Integer): BOOL;
function Ellipse(DC: HDC; X1, Y1, X2, Y2: Integer): BOOL;
function FillRect(DC: HDC; const Rect: TRect; Brush: HBRUSH): Integer;
function FrameRect(DC: HDC; const Rect: TRect; Brush: HBRUSH): Integer;
function DrawFocusRect(DC: HDC; const Rect: TRect): BOOL;
function BitBlt(DestDC: HDC; X, Y, Width, Height: Integer; SrcDC: HDC;
  XSrc, YSrc: Integer; Rop: DWORD): BOOL;
function RGB(R, G, B: Byte): COLORREF;
function GetRValue(RGB: DWORD): Byte;
function GetGValue(RGB: DWORD): Byte;
function GetBValue(RGB: DWORD): Byte;

implementation

uses
  LCLIntf;

function MessageBox(Wnd: HWND; Text, Caption: PChar; TextType: UINT): Integer;
begin
  Result := LCLIntf.MessageBox(Wnd, Text, Caption, TextType);
end;

function SendMessage(Wnd: HWND; Msg: UINT; WParam: WPARAM; LParam: LPARAM): LRESULT;
begin
  Result := LCLIntf.SendMessage(Wnd, Msg, WParam, LParam);
end;

function PostMessage(Wnd: HWND; Msg: UINT; WParam: WPARAM; LParam: LPARAM): BOOL;
begin
  Result := LCLIntf.PostMessage(Wnd, Msg, WParam, LParam);
end;

function InvalidateRect(Wnd: HWND; Rect: PRect; Erase: BOOL): BOOL;
begin
  Result := LCLIntf.InvalidateRect(Wnd, Rect, Erase);
end;

function UpdateWindow(Wnd: HWND): BOOL;
begin
  Result := LCLIntf.UpdateWindow(Wnd);
end;

function GetClientRect(Wnd: HWND; var Rect: TRect): BOOL;
begin
  Result := LCLIntf.GetClientRect(Wnd, Rect);
end;

function GetWindowRect(Wnd: HWND; var Rect: TRect): BOOL;
begin
  Result := LCLIntf.GetWindowRect(Wnd, Rect) <> 0;
end;

function ClientToScreen(Wnd: HWND; var Point: TPoint): BOOL;
begin
  Result := LCLIntf.ClientToScreen(Wnd, Point);
end;

function ScreenToClient(Wnd: HWND; var Point: TPoint): BOOL;
begin
  Result := LCLIntf.ScreenToClient(Wnd, Point) <> 0;
end;

function WindowFromPoint(Point: TPoint): HWND;
begin
  Result := LCLIntf.WindowFromPoint(Point);
end;

function GetParent(Wnd: HWND): HWND;
begin
  Result := LCLIntf.GetParent(Wnd);
end;

function GetActiveWindow: HWND;
begin
  Result := LCLIntf.GetActiveWindow;
end;

function GetFocus: HWND;
begin
  Result := LCLIntf.GetFocus;
end;

function SetFocus(Wnd: HWND): HWND;
begin
  Result := LCLIntf.SetFocus(Wnd);
end;

function GetCapture: HWND;
begin
  Result := LCLIntf.GetCapture;
end;

function SetCapture(Wnd: HWND): HWND;
begin
  Result := LCLIntf.SetCapture(Wnd);
end;

function ReleaseCapture: BOOL;
begin
  Result := LCLIntf.ReleaseCapture;
end;

function IsWindow(Wnd: HWND): BOOL;
begin
  Result := LCLIntf.IsWindow(Wnd);
end;

function IsWindowEnabled(Wnd: HWND): BOOL;
begin
  Result := LCLIntf.IsWindowEnabled(Wnd);
end;

function IsWindowVisible(Wnd: HWND): BOOL;
begin
  Result := LCLIntf.IsWindowVisible(Wnd);
end;

function IsIconic(Wnd: HWND): BOOL;
begin
  Result := LCLIntf.IsIconic(Wnd);
end;

function IsZoomed(Wnd: HWND): BOOL;
begin
  Result := LCLIntf.IsZoomed(Wnd);
end;

function EnableWindow(Wnd: HWND; Enable: BOOL): BOOL;
begin
  Result := LCLIntf.EnableWindow(Wnd, Enable);
end;

function ShowWindow(Wnd: HWND; CmdShow: Integer): BOOL;
begin
  Result := LCLIntf.ShowWindow(Wnd, CmdShow);
end;

function SetWindowPos(Wnd, WndInsertAfter: HWND; X, Y, CX, CY: Integer; Flags: UINT): BOOL;
begin
  Result := LCLIntf.SetWindowPos(Wnd, WndInsertAfter, X, Y, CX, CY, Flags);
end;

function GetKeyState(VirtKey: Integer): SHORT;
begin
  Result := LCLIntf.GetKeyState(VirtKey);
end;

function GetCursorPos(var Point: TPoint): BOOL;
begin
  Result := LCLIntf.GetCursorPos(Point);
end;

function SetCursorPos(X, Y: Integer): BOOL;
begin
  Result := LCLIntf.SetCursorPos(X, Y);
end;

function SetCursor(Cursor: HCURSOR): HCURSOR;
begin
  Result := LCLIntf.SetCursor(Cursor);
end;

function GetTickCount: DWORD;
begin
  Result := LCLIntf.GetTickCount;
end;

function GetSystemMetrics(Index: Integer): Integer;
begin
  Result := LCLIntf.GetSystemMetrics(Index);
end;

function GetSysColor(Index: Integer): DWORD;
begin
  Result := LCLIntf.GetSysColor(Index);
end;

function SetRect(var Rect: TRect; Left, Top, Right, Bottom: Integer): BOOL;
begin
  Result := LCLIntf.SetRect(Rect, Left, Top, Right, Bottom);
end;

function SetRectEmpty(var Rect: TRect): BOOL;
begin
  Result := LCLIntf.SetRectEmpty(Rect);
end;

function CopyRect(var Dst: TRect; const Src: TRect): BOOL;
begin
  Result := LCLIntf.CopyRect(Dst, Src);
end;

function OffsetRect(var Rect: TRect; DX, DY: Integer): BOOL;
begin
  Result := LCLIntf.OffsetRect(Rect, DX, DY);
end;

function InflateRect(var Rect: TRect; DX, DY: Integer): BOOL;
begin
  Result := LCLIntf.InflateRect(Rect, DX, DY);
end;

function IntersectRect(var Dst: TRect; const Src1, Src2: TRect): BOOL;
begin
  Result := LCLIntf.IntersectRect(Dst, Src1, Src2);
end;

function UnionRect(var Dst: TRect; const Src1, Src2: TRect): BOOL;
begin
  Result := LCLIntf.UnionRect(Dst, Src1, Src2);
end;

function IsRectEmpty(const Rect: TRect): BOOL;
begin
  Result := LCLIntf.IsRectEmpty(Rect);
end;

function EqualRect(const Rect1, Rect2: TRect): BOOL;
begin
  Result := LCLIntf.EqualRect(Rect1, Rect2);
end;

function PtInRect(const Rect: TRect; Point: TPoint): BOOL;
begin
  Result := LCLIntf.PtInRect(Rect, Point);
end;

function GetDC(Wnd: HWND): HDC;
begin
  Result := LCLIntf.GetDC(Wnd);
end;

function ReleaseDC(Wnd: HWND; DC: HDC): Integer;
begin
  Result := LCLIntf.ReleaseDC(Wnd, DC);
end;

function CreateCompatibleDC(DC: HDC): HDC;
begin
  Result := LCLIntf.CreateCompatibleDC(DC);
end;

function DeleteDC(DC: HDC): BOOL;
begin
  Result := LCLIntf.DeleteDC(DC);
end;

function SaveDC(DC: HDC): Integer;
begin
  Result := LCLIntf.SaveDC(DC);
end;

function RestoreDC(DC: HDC; SavedDC: Integer): BOOL;
begin
  Result := LCLIntf.RestoreDC(DC, SavedDC);
end;

function GetDeviceCaps(DC: HDC; Index: Integer): Integer;
begin
  Result := LCLIntf.GetDeviceCaps(DC, Index);
end;

function SelectObject(DC: HDC; Obj: HGDIOBJ): HGDIOBJ;
begin
  Result := LCLIntf.SelectObject(DC, Obj);
end;

function DeleteObject(Obj: HGDIOBJ): BOOL;
begin
  Result := LCLIntf.DeleteObject(Obj);
end;

function GetStockObject(Index: Integer): HGDIOBJ;
begin
  Result := LCLIntf.GetStockObject(Index);
end;

function CreatePen(Style, Width: Integer; Color: COLORREF): HPEN;
begin
  Result := LCLIntf.CreatePen(Style, Width, Color);
end;

function CreateSolidBrush(Color: COLORREF): HBRUSH;
begin
  Result := LCLIntf.CreateSolidBrush(Color);
end;

function CreateCompatibleBitmap(DC: HDC; Width, Height: Integer): HBITMAP;
begin
  Result := LCLIntf.CreateCompatibleBitmap(DC, Width, Height);
end;

function SetBkMode(DC: HDC; BkMode: Integer): Integer;
begin
  Result := LCLIntf.SetBkMode(DC, BkMode);
end;

function SetBkColor(DC: HDC; Color: COLORREF): COLORREF;
begin
  Result := LCLIntf.SetBkColor(DC, Color);
end;

function SetTextColor(DC: HDC; Color: COLORREF): COLORREF;
begin
  Result := LCLIntf.SetTextColor(DC, Color);
end;

function TextOut(DC: HDC; X, Y: Integer; Str: PChar; Count: Integer): BOOL;
begin
  Result := LCLIntf.TextOut(DC, X, Y, Str, Count);
end;

function DrawText(DC: HDC; Str: PChar; Count: Integer; var Rect: TRect; Format: UINT): Integer;
begin
  Result := LCLIntf.DrawText(DC, Str, Count, Rect, Format);
end;

function MoveToEx(DC: HDC; X, Y: Integer; OldPoint: PPoint): BOOL;
begin
  Result := LCLIntf.MoveToEx(DC, X, Y, OldPoint);
end;

function LineTo(DC: HDC; X, Y: Integer): BOOL;
begin
  Result := LCLIntf.LineTo(DC, X, Y);
end;

function Rectangle(DC: HDC; X1, Y1, X2, Y2: Integer): BOOL;
begin
  Result := LCLIntf.Rectangle(DC, X1, Y1, X2, Y2);
end;

function RoundRect(DC: HDC; X1, Y1, X2, Y2, X3, Y3: Integer): BOOL;
begin
  Result := LCLIntf.RoundRect(DC, X1, Y1, X2, Y2, X3, Y3);
end;

function Ellipse(DC: HDC; X1, Y1, X2, Y2: Integer): BOOL;
begin
  Result := LCLIntf.Ellipse(DC, X1, Y1, X2, Y2);
end;

function FillRect(DC: HDC; const Rect: TRect; Brush: HBRUSH): Integer;
begin
  Result := Ord(LCLIntf.FillRect(DC, Rect, Brush));
end;

function FrameRect(DC: HDC; const Rect: TRect; Brush: HBRUSH): Integer;
begin
  Result := LCLIntf.FrameRect(DC, Rect, Brush);
end;

function DrawFocusRect(DC: HDC; const Rect: TRect): BOOL;
begin
  Result := LCLIntf.DrawFocusRect(DC, Rect);
end;

function BitBlt(DestDC: HDC; X, Y, Width, Height: Integer; SrcDC: HDC;
  XSrc, YSrc: Integer; Rop: DWORD): BOOL;
begin
  Result := LCLIntf.BitBlt(DestDC, X, Y, Width, Height, SrcDC, XSrc, YSrc, Rop);
end;

function RGB(R, G, B: Byte): COLORREF;
begin
  Result := LCLIntf.RGB(R, G, B);
end;

function GetRValue(RGB: DWORD): Byte;
begin
  Result := LCLIntf.GetRValue(RGB);
end;

function GetGValue(RGB: DWORD): Byte;
begin
  Result := LCLIntf.GetGValue(RGB);
end;

function GetBValue(RGB: DWORD): Byte;
begin
  Result := LCLIntf.GetBValue(RGB);
end;

end.
