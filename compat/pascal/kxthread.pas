{ SPDX-License-Identifier: GPL-3.0-or-later }
{ The thread components that Kestrix offers as parent classes.  Unlike the
  other units beside it, this one is Kestrix's own, not Delphi's: a thread
  component is dropped on a form like any other component, and its Start
  method runs its Execute method in a new thread.  Generated units override
  Start, Execute, Terminate and (for TSharingThread) SetResourceFlag and call
  the inherited versions, so those are virtual here. }
unit KXThread;

{$mode delphi}

interface

uses
  SysUtils, Classes;

type
  { A flag that the sharing threads using one resource have in common. }
  TResourceFlag = class(TComponent)
  end;

  TNewThread = class(TComponent)
  private
    FWorker : TThread;
    FStopRequested : Boolean;
    FOnTerminate : TNotifyEvent;
    procedure WorkerDone;
  protected
    { Runs in the new thread; the inherited version does nothing. }
    procedure Execute(Sender : TObject); virtual;
    { Runs in the main thread once Execute has returned; fires OnTerminate. }
    procedure Terminate(Sender : TObject); virtual;
    { Calls Method in the main thread and waits for it to return. }
    procedure Synchronize(Method : TThreadMethod);
  public
    destructor Destroy; override;
    { Starts a new thread that calls Execute; does nothing while one runs. }
    procedure Start; virtual;
    { Set to ask a running Execute to return; Execute polls it. }
    property StopRequested : Boolean read FStopRequested write FStopRequested;
  published
    property OnTerminate : TNotifyEvent read FOnTerminate write FOnTerminate;
  end;

  TSharingThread = class(TNewThread)
  private
    FResourceFlag : TResourceFlag;
  protected
    procedure SetResourceFlag(Value : TResourceFlag); virtual;
    procedure Notification(AComponent : TComponent; Operation : TOperation); override;
  published
    property ResourceFlag : TResourceFlag read FResourceFlag write SetResourceFlag;
  end;

implementation

type
  TKXWorker = class(TThread)
  private
    FOwner : TNewThread;
  protected
    procedure Execute; override;
  public
    constructor Create(AOwner : TNewThread);
  end;

constructor TKXWorker.Create(AOwner : TNewThread);
begin
  FOwner := AOwner;
  inherited Create(False);
end;

procedure TKXWorker.Execute;
begin
  try
    FOwner.Execute(FOwner);
  finally
    Synchronize(FOwner.WorkerDone);
  end;
end;

{ TNewThread }

destructor TNewThread.Destroy;
begin
  if FWorker <> nil then
  begin
    FStopRequested := True;
    FWorker.WaitFor;
    FreeAndNil(FWorker);
  end;
  inherited Destroy;
end;

procedure TNewThread.Start;
begin
  if (FWorker <> nil) and not FWorker.Finished then
    Exit;
  FreeAndNil(FWorker);
  FStopRequested := False;
  FWorker := TKXWorker.Create(Self);
end;

procedure TNewThread.Execute(Sender : TObject);
begin
end;

procedure TNewThread.Terminate(Sender : TObject);
begin
  if Assigned(FOnTerminate) then
    FOnTerminate(Sender);
end;

procedure TNewThread.Synchronize(Method : TThreadMethod);
begin
  if (FWorker <> nil) and (TThread.CurrentThread = FWorker) then
    TThread.Synchronize(FWorker, Method)
  else
    Method;
end;

procedure TNewThread.WorkerDone;
begin
  Terminate(Self);
end;

{ TSharingThread }

procedure TSharingThread.SetResourceFlag(Value : TResourceFlag);
begin
  if FResourceFlag = Value then
    Exit;
  if FResourceFlag <> nil then
    FResourceFlag.RemoveFreeNotification(Self);
  FResourceFlag := Value;
  if FResourceFlag <> nil then
    FResourceFlag.FreeNotification(Self);
end;

procedure TSharingThread.Notification(AComponent : TComponent; Operation : TOperation);
begin
  inherited Notification(AComponent, Operation);
  if (Operation = opRemove) and (AComponent = FResourceFlag) then
    FResourceFlag := nil;
end;

end.
