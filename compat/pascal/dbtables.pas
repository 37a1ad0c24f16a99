{ SPDX-License-Identifier: GPL-3.0-or-later }
{ Delphi's DBTables unit (the Borland Database Engine components), for
  checking generated units with Free Pascal.  Declares the classes of
  Delphi 3's DBTables with their Delphi names and signatures on top of Free
  Pascal's DB unit, which already provides what Delphi 2 and 3 moved to DB
  (TDataSet, TField and the field classes, TDataSource, TParams).  Delphi 1
  declared the field classes here; they are not repeated, so a unit that
  names them must use DB, as it must under Delphi 2 and 3.  Delphi 1 also
  declared TFieldDataLink here, which the data links of generated
  components use; it is the LCL's.  There is no database engine behind
  these classes: a dataset never opens. }
unit DBTables;

{$mode delphi}

interface

uses
  SysUtils, Classes, DB, DBCtrls;

type
  TFieldDataLink = DBCtrls.TFieldDataLink;

  TTableType = (ttDefault, ttParadox, ttDBase, ttASCII);
  TLockType = (ltReadLock, ltWriteLock);
  TBatchMode = (batAppend, batUpdate, batAppendUpdate, batDelete, batCopy);
  TTransIsolation = (tiDirtyRead, tiReadCommitted, tiRepeatableRead);
  TParamBindMode = (pbByName, pbByNumber);

  TDatabase = class;
  TBDEDataSet = class;
  TDBDataSet = class;
  TTable = class;
  TQuery = class;

  TPasswordEvent = procedure(Sender: TObject; var Continue: Boolean) of object;
  TLoginEvent = procedure(Database: TDatabase; LoginParams: TStrings) of object;

  TSession = class(TComponent)
  private
    FActive: Boolean;
    FKeepConnections: Boolean;
    FNetFileDir: string;
    FPrivateDir: string;
    FSessionName: string;
    FOnPassword: TPasswordEvent;
    FOnStartup: TNotifyEvent;
  public
    constructor Create(AOwner: TComponent); override;
    procedure AddAlias(const Name, Driver: string; List: TStrings);
    procedure AddPassword(const Password: string);
    procedure AddStandardAlias(const Name, Path, DefaultDriver: string);
    procedure Close;
    procedure CloseDatabase(Database: TDatabase);
    procedure DeleteAlias(const Name: string);
    procedure DropConnections;
    function FindDatabase(const DatabaseName: string): TDatabase;
    procedure GetAliasNames(List: TStrings);
    procedure GetAliasParams(const AliasName: string; List: TStrings);
    procedure GetDatabaseNames(List: TStrings);
    procedure GetDriverNames(List: TStrings);
    procedure GetDriverParams(const DriverName: string; List: TStrings);
    function GetPassword: Boolean;
    procedure GetStoredProcNames(const DatabaseName: string; List: TStrings);
    procedure GetTableNames(const DatabaseName, Pattern: string;
      Extensions, SystemTables: Boolean; List: TStrings);
    function IsAlias(const Name: string): Boolean;
    procedure Open;
    function OpenDatabase(const DatabaseName: string): TDatabase;
    procedure RemoveAllPasswords;
    procedure RemovePassword(const Password: string);
    procedure SaveConfigFile;
  published
    property Active: Boolean read FActive write FActive default False;
    property KeepConnections: Boolean read FKeepConnections write FKeepConnections default True;
    property NetFileDir: string read FNetFileDir write FNetFileDir;
    property PrivateDir: string read FPrivateDir write FPrivateDir;
    property SessionName: string read FSessionName write FSessionName;
    property OnPassword: TPasswordEvent read FOnPassword write FOnPassword;
    property OnStartup: TNotifyEvent read FOnStartup write FOnStartup;
  end;

  TDatabase = class(TComponent)
  private
    FAliasName: string;
    FConnected: Boolean;
    FDatabaseName: string;
    FDriverName: string;
    FKeepConnection: Boolean;
    FLoginPrompt: Boolean;
    FParams: TStrings;
    FSessionName: string;
    FTransIsolation: TTransIsolation;
    FOnLogin: TLoginEvent;
    procedure SetParams(Value: TStrings);
    function GetInTransaction: Boolean;
    function GetSession: TSession;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure ApplyUpdates(const DataSets: array of TDBDataSet);
    procedure Close;
    procedure CloseDataSets;
    procedure Commit;
    procedure Open;
    procedure Rollback;
    procedure StartTransaction;
    procedure ValidateName(const Name: string);
    property InTransaction: Boolean read GetInTransaction;
    property Session: TSession read GetSession;
  published
    property AliasName: string read FAliasName write FAliasName;
    property Connected: Boolean read FConnected write FConnected default False;
    property DatabaseName: string read FDatabaseName write FDatabaseName;
    property DriverName: string read FDriverName write FDriverName;
    property KeepConnection: Boolean read FKeepConnection write FKeepConnection default True;
    property LoginPrompt: Boolean read FLoginPrompt write FLoginPrompt default True;
    property Params: TStrings read FParams write SetParams;
    property SessionName: string read FSessionName write FSessionName;
    property TransIsolation: TTransIsolation read FTransIsolation write FTransIsolation
      default tiReadCommitted;
    property OnLogin: TLoginEvent read FOnLogin write FOnLogin;
  end;

  TDataSetUpdateObject = class(TComponent)
  protected
    function GetDataSet: TBDEDataSet; virtual; abstract;
    procedure SetDataSet(ADataSet: TBDEDataSet); virtual; abstract;
    procedure Apply(UpdateKind: TUpdateKind); virtual; abstract;
    property DataSet: TBDEDataSet read GetDataSet write SetDataSet;
  end;

  { The engine's dataset: the record access Free Pascal's TDataSet leaves
    abstract is answered here with "no records". }
  TBDEDataSet = class(TDataSet)
  private
    FCachedUpdates: Boolean;
    FUpdateObject: TDataSetUpdateObject;
    function GetUpdatesPending: Boolean;
  protected
    function GetRecord(Buffer: TRecordBuffer; GetMode: TGetMode;
      DoCheck: Boolean): TGetResult; override;
    procedure InternalClose; override;
    procedure InternalInitFieldDefs; override;
    procedure InternalOpen; override;
    function IsCursorOpen: Boolean; override;
  public
    procedure ApplyUpdates;
    procedure CancelUpdates;
    procedure CommitUpdates;
    procedure FetchAll;
    procedure RevertRecord;
    property CachedUpdates: Boolean read FCachedUpdates write FCachedUpdates;
    property UpdateObject: TDataSetUpdateObject read FUpdateObject write FUpdateObject;
    property UpdatesPending: Boolean read GetUpdatesPending;
  end;

  TDBDataSet = class(TBDEDataSet)
  private
    FDatabaseName: string;
    FSessionName: string;
    function GetDatabase: TDatabase;
    function GetDBSession: TSession;
  public
    procedure CloseDatabase(Database: TDatabase);
    function OpenDatabase: TDatabase;
    property Database: TDatabase read GetDatabase;
    property DBSession: TSession read GetDBSession;
  published
    property DatabaseName: string read FDatabaseName write FDatabaseName;
    property SessionName: string read FSessionName write FSessionName;
  end;

  TTable = class(TDBDataSet)
  private
    FExclusive: Boolean;
    FIndexFieldNames: string;
    FIndexName: string;
    FMasterFields: string;
    FMasterSource: TDataSource;
    FReadOnly: Boolean;
    FTableName: TFileName;
    FTableType: TTableType;
    FKeyExclusive: Boolean;
  public
    function BatchMove(ASource: TBDEDataSet; AMode: TBatchMode): Longint;
    procedure AddIndex(const Name, Fields: string; Options: TIndexOptions);
    procedure ApplyRange;
    procedure CancelRange;
    procedure CreateTable;
    procedure DeleteIndex(const Name: string);
    procedure DeleteTable;
    procedure EditKey;
    procedure EditRangeEnd;
    procedure EditRangeStart;
    procedure EmptyTable;
    function FindKey(const KeyValues: array of const): Boolean;
    procedure FindNearest(const KeyValues: array of const);
    procedure GetIndexNames(List: TStrings);
    procedure GotoCurrent(Table: TTable);
    function GotoKey: Boolean;
    procedure GotoNearest;
    procedure LockTable(LockType: TLockType);
    procedure RenameTable(const NewTableName: string);
    procedure SetKey;
    procedure SetRange(const StartValues, EndValues: array of const);
    procedure SetRangeEnd;
    procedure SetRangeStart;
    procedure UnlockTable(LockType: TLockType);
    property KeyExclusive: Boolean read FKeyExclusive write FKeyExclusive;
  published
    property Exclusive: Boolean read FExclusive write FExclusive default False;
    property IndexFieldNames: string read FIndexFieldNames write FIndexFieldNames;
    property IndexName: string read FIndexName write FIndexName;
    property MasterFields: string read FMasterFields write FMasterFields;
    property MasterSource: TDataSource read FMasterSource write FMasterSource;
    property ReadOnly: Boolean read FReadOnly write FReadOnly default False;
    property TableName: TFileName read FTableName write FTableName;
    property TableType: TTableType read FTableType write FTableType default ttDefault;
  end;

  TQuery = class(TDBDataSet)
  private
    FSQL: TStrings;
    FParams: TParams;
    FDataSource: TDataSource;
    FPrepared: Boolean;
    FRequestLive: Boolean;
    FUniDirectional: Boolean;
    FConstrained: Boolean;
    FParamCheck: Boolean;
    procedure SetSQL(Value: TStrings);
    procedure SetParamsList(Value: TParams);
    function GetParamsCount: Word;
    function GetRowsAffected: Integer;
    function GetText: string;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure ExecSQL;
    function ParamByName(const Value: string): TParam;
    procedure Prepare;
    procedure UnPrepare;
    property Prepared: Boolean read FPrepared write FPrepared;
    property ParamCount: Word read GetParamsCount;
    property RowsAffected: Integer read GetRowsAffected;
    property Text: string read GetText;
  published
    property Constrained: Boolean read FConstrained write FConstrained default False;
    property DataSource: TDataSource read FDataSource write FDataSource;
    property ParamCheck: Boolean read FParamCheck write FParamCheck default True;
    property Params: TParams read FParams write SetParamsList;
    property RequestLive: Boolean read FRequestLive write FRequestLive default False;
    property SQL: TStrings read FSQL write SetSQL;
    property UniDirectional: Boolean read FUniDirectional write FUniDirectional default False;
  end;

  TStoredProc = class(TDBDataSet)
  private
    FStoredProcName: string;
    FOverload: Word;
    FParams: TParams;
    FParamBindMode: TParamBindMode;
    FPrepared: Boolean;
    procedure SetParamsList(Value: TParams);
    function GetParamsCount: Word;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure CopyParams(Value: TParams);
    function DescriptionsAvailable: Boolean;
    procedure ExecProc;
    procedure GetResults;
    function ParamByName(const Value: string): TParam;
    procedure Prepare;
    procedure UnPrepare;
    property ParamCount: Word read GetParamsCount;
    property Prepared: Boolean read FPrepared write FPrepared;
  published
    property StoredProcName: string read FStoredProcName write FStoredProcName;
    property Overload: Word read FOverload write FOverload default 0;
    property Params: TParams read FParams write SetParamsList;
    property ParamBindMode: TParamBindMode read FParamBindMode write FParamBindMode
      default pbByName;
  end;

  TUpdateSQL = class(TDataSetUpdateObject)
  private
    FDataSet: TBDEDataSet;
    FSQLText: array[TUpdateKind] of TStrings;
    function GetSQL(UpdateKind: TUpdateKind): TStrings;
    procedure SetSQL(UpdateKind: TUpdateKind; Value: TStrings);
    function GetSQLIndex(Index: Integer): TStrings;
    procedure SetSQLIndex(Index: Integer; Value: TStrings);
  protected
    function GetDataSet: TBDEDataSet; override;
    procedure SetDataSet(ADataSet: TBDEDataSet); override;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure Apply(UpdateKind: TUpdateKind); override;
    procedure ExecSQL(UpdateKind: TUpdateKind);
    procedure SetParams(UpdateKind: TUpdateKind);
    property DataSet;
    property SQL[UpdateKind: TUpdateKind]: TStrings read GetSQL write SetSQL;
  published
    property ModifySQL: TStrings index 0 read GetSQLIndex write SetSQLIndex;
    property InsertSQL: TStrings index 1 read GetSQLIndex write SetSQLIndex;
    property DeleteSQL: TStrings index 2 read GetSQLIndex write SetSQLIndex;
  end;

  TBatchMove = class(TComponent)
  private
    FAbortOnKeyViol: Boolean;
    FAbortOnProblem: Boolean;
    FChangedTableName: TFileName;
    FDestination: TTable;
    FKeyViolTableName: TFileName;
    FMappings: TStrings;
    FMode: TBatchMode;
    FProblemTableName: TFileName;
    FRecordCount: Longint;
    FSource: TBDEDataSet;
    FTransliterate: Boolean;
    FChangedCount: Longint;
    FKeyViolCount: Longint;
    FMovedCount: Longint;
    FProblemCount: Longint;
    procedure SetMappings(Value: TStrings);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure Execute;
    property ChangedCount: Longint read FChangedCount;
    property KeyViolCount: Longint read FKeyViolCount;
    property MovedCount: Longint read FMovedCount;
    property ProblemCount: Longint read FProblemCount;
  published
    property AbortOnKeyViol: Boolean read FAbortOnKeyViol write FAbortOnKeyViol default True;
    property AbortOnProblem: Boolean read FAbortOnProblem write FAbortOnProblem default True;
    property ChangedTableName: TFileName read FChangedTableName write FChangedTableName;
    property Destination: TTable read FDestination write FDestination;
    property KeyViolTableName: TFileName read FKeyViolTableName write FKeyViolTableName;
    property Mappings: TStrings read FMappings write SetMappings;
    property Mode: TBatchMode read FMode write FMode default batAppend;
    property ProblemTableName: TFileName read FProblemTableName write FProblemTableName;
    property RecordCount: Longint read FRecordCount write FRecordCount default 0;
    property Source: TBDEDataSet read FSource write FSource;
    property Transliterate: Boolean read FTransliterate write FTransliterate default True;
  end;

  TBlobStream = class(TStream)
  private
    FField: TBlobField;
    FMode: TBlobStreamMode;
  public
    constructor Create(Field: TBlobField; Mode: TBlobStreamMode);
    function Read(var Buffer; Count: Longint): Longint; override;
    function Write(const Buffer; Count: Longint): Longint; override;
    function Seek(Offset: Longint; Origin: Word): Longint; override;
    procedure Truncate;
  end;

var
  Session: TSession;

implementation

{ TSession }

constructor TSession.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FKeepConnections := True;
end;

procedure TSession.AddAlias(const Name, Driver: string; List: TStrings);
begin
end;

procedure TSession.AddPassword(const Password: string);
begin
end;

procedure TSession.AddStandardAlias(const Name, Path, DefaultDriver: string);
begin
end;

procedure TSession.Close;
begin
  FActive := False;
end;

procedure TSession.CloseDatabase(Database: TDatabase);
begin
end;

procedure TSession.DeleteAlias(const Name: string);
begin
end;

procedure TSession.DropConnections;
begin
end;

function TSession.FindDatabase(const DatabaseName: string): TDatabase;
begin
  Result := nil;
end;

procedure TSession.GetAliasNames(List: TStrings);
begin
  List.Clear;
end;

procedure TSession.GetAliasParams(const AliasName: string; List: TStrings);
begin
  List.Clear;
end;

procedure TSession.GetDatabaseNames(List: TStrings);
begin
  List.Clear;
end;

procedure TSession.GetDriverNames(List: TStrings);
begin
  List.Clear;
end;

procedure TSession.GetDriverParams(const DriverName: string; List: TStrings);
begin
  List.Clear;
end;

function TSession.GetPassword: Boolean;
begin
  Result := False;
end;

procedure TSession.GetStoredProcNames(const DatabaseName: string; List: TStrings);
begin
  List.Clear;
end;

procedure TSession.GetTableNames(const DatabaseName, Pattern: string;
  Extensions, SystemTables: Boolean; List: TStrings);
begin
  List.Clear;
end;

function TSession.IsAlias(const Name: string): Boolean;
begin
  Result := False;
end;

procedure TSession.Open;
begin
  FActive := True;
end;

function TSession.OpenDatabase(const DatabaseName: string): TDatabase;
begin
  Result := nil;
end;

procedure TSession.RemoveAllPasswords;
begin
end;

procedure TSession.RemovePassword(const Password: string);
begin
end;

procedure TSession.SaveConfigFile;
begin
end;

{ TDatabase }

constructor TDatabase.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FParams := TStringList.Create;
  FKeepConnection := True;
  FLoginPrompt := True;
  FTransIsolation := tiReadCommitted;
end;

destructor TDatabase.Destroy;
begin
  FParams.Free;
  inherited Destroy;
end;

procedure TDatabase.SetParams(Value: TStrings);
begin
  FParams.Assign(Value);
end;

function TDatabase.GetInTransaction: Boolean;
begin
  Result := False;
end;

function TDatabase.GetSession: TSession;
begin
  Result := DBTables.Session;
end;

procedure TDatabase.ApplyUpdates(const DataSets: array of TDBDataSet);
begin
end;

procedure TDatabase.Close;
begin
  FConnected := False;
end;

procedure TDatabase.CloseDataSets;
begin
end;

procedure TDatabase.Commit;
begin
end;

procedure TDatabase.Open;
begin
  DatabaseError('No database engine');
end;

procedure TDatabase.Rollback;
begin
end;

procedure TDatabase.StartTransaction;
begin
end;

procedure TDatabase.ValidateName(const Name: string);
begin
end;

{ TBDEDataSet }

function TBDEDataSet.GetUpdatesPending: Boolean;
begin
  Result := False;
end;

function TBDEDataSet.GetRecord(Buffer: TRecordBuffer; GetMode: TGetMode;
  DoCheck: Boolean): TGetResult;
begin
  Result := grEOF;
end;

procedure TBDEDataSet.InternalClose;
begin
end;

procedure TBDEDataSet.InternalInitFieldDefs;
begin
end;

procedure TBDEDataSet.InternalOpen;
begin
  DatabaseError('No database engine', Self);
end;

function TBDEDataSet.IsCursorOpen: Boolean;
begin
  Result := False;
end;

procedure TBDEDataSet.ApplyUpdates;
begin
end;

procedure TBDEDataSet.CancelUpdates;
begin
end;

procedure TBDEDataSet.CommitUpdates;
begin
end;

procedure TBDEDataSet.FetchAll;
begin
end;

procedure TBDEDataSet.RevertRecord;
begin
end;

{ TDBDataSet }

function TDBDataSet.GetDatabase: TDatabase;
begin
  Result := nil;
end;

function TDBDataSet.GetDBSession: TSession;
begin
  Result := DBTables.Session;
end;

procedure TDBDataSet.CloseDatabase(Database: TDatabase);
begin
end;

function TDBDataSet.OpenDatabase: TDatabase;
begin
  Result := nil;
end;

{ TTable }

function TTable.BatchMove(ASource: TBDEDataSet; AMode: TBatchMode): Longint;
begin
  Result := 0;
end;

procedure TTable.AddIndex(const Name, Fields: string; Options: TIndexOptions);
begin
end;

procedure TTable.ApplyRange;
begin
end;

procedure TTable.CancelRange;
begin
end;

procedure TTable.CreateTable;
begin
end;

procedure TTable.DeleteIndex(const Name: string);
begin
end;

procedure TTable.DeleteTable;
begin
end;

procedure TTable.EditKey;
begin
end;

procedure TTable.EditRangeEnd;
begin
end;

procedure TTable.EditRangeStart;
begin
end;

procedure TTable.EmptyTable;
begin
end;

function TTable.FindKey(const KeyValues: array of const): Boolean;
begin
  Result := False;
end;

procedure TTable.FindNearest(const KeyValues: array of const);
begin
end;

procedure TTable.GetIndexNames(List: TStrings);
begin
  List.Clear;
end;

procedure TTable.GotoCurrent(Table: TTable);
begin
end;

function TTable.GotoKey: Boolean;
begin
  Result := False;
end;

procedure TTable.GotoNearest;
begin
end;

procedure TTable.LockTable(LockType: TLockType);
begin
end;

procedure TTable.RenameTable(const NewTableName: string);
begin
end;

procedure TTable.SetKey;
begin
end;

procedure TTable.SetRange(const StartValues, EndValues: array of const);
begin
end;

procedure TTable.SetRangeEnd;
begin
end;

procedure TTable.SetRangeStart;
begin
end;

procedure TTable.UnlockTable(LockType: TLockType);
begin
end;

{ TQuery }

constructor TQuery.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FSQL := TStringList.Create;
  FParams := TParams.Create(Self);
  FParamCheck := True;
end;

destructor TQuery.Destroy;
begin
  FParams.Free;
  FSQL.Free;
  inherited Destroy;
end;

procedure TQuery.SetSQL(Value: TStrings);
begin
  FSQL.Assign(Value);
end;

procedure TQuery.SetParamsList(Value: TParams);
begin
  FParams.Assign(Value);
end;

function TQuery.GetParamsCount: Word;
begin
  Result := FParams.Count;
end;

function TQuery.GetRowsAffected: Integer;
begin
  Result := -1;
end;

function TQuery.GetText: string;
begin
  Result := FSQL.Text;
end;

procedure TQuery.ExecSQL;
begin
  DatabaseError('No database engine', Self);
end;

function TQuery.ParamByName(const Value: string): TParam;
begin
  Result := FParams.ParamByName(Value);
end;

procedure TQuery.Prepare;
begin
  FPrepared := True;
end;

procedure TQuery.UnPrepare;
begin
  FPrepared := False;
end;

{ TStoredProc }

constructor TStoredProc.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FParams := TParams.Create(Self);
end;

destructor TStoredProc.Destroy;
begin
  FParams.Free;
  inherited Destroy;
end;

procedure TStoredProc.SetParamsList(Value: TParams);
begin
  FParams.Assign(Value);
end;

function TStoredProc.GetParamsCount: Word;
begin
  Result := FParams.Count;
end;

procedure TStoredProc.CopyParams(Value: TParams);
begin
  Value.Assign(FParams);
end;

function TStoredProc.DescriptionsAvailable: Boolean;
begin
  Result := False;
end;

procedure TStoredProc.ExecProc;
begin
  DatabaseError('No database engine', Self);
end;

procedure TStoredProc.GetResults;
begin
end;

function TStoredProc.ParamByName(const Value: string): TParam;
begin
  Result := FParams.ParamByName(Value);
end;

procedure TStoredProc.Prepare;
begin
  FPrepared := True;
end;

procedure TStoredProc.UnPrepare;
begin
  FPrepared := False;
end;

{ TUpdateSQL }

constructor TUpdateSQL.Create(AOwner: TComponent);
var
  Kind: TUpdateKind;
begin
  inherited Create(AOwner);
  for Kind := Low(TUpdateKind) to High(TUpdateKind) do
    FSQLText[Kind] := TStringList.Create;
end;

destructor TUpdateSQL.Destroy;
var
  Kind: TUpdateKind;
begin
  for Kind := Low(TUpdateKind) to High(TUpdateKind) do
    FSQLText[Kind].Free;
  inherited Destroy;
end;

function TUpdateSQL.GetSQL(UpdateKind: TUpdateKind): TStrings;
begin
  Result := FSQLText[UpdateKind];
end;

procedure TUpdateSQL.SetSQL(UpdateKind: TUpdateKind; Value: TStrings);
begin
  FSQLText[UpdateKind].Assign(Value);
end;

function TUpdateSQL.GetSQLIndex(Index: Integer): TStrings;
begin
  Result := FSQLText[TUpdateKind(Index)];
end;

procedure TUpdateSQL.SetSQLIndex(Index: Integer; Value: TStrings);
begin
  FSQLText[TUpdateKind(Index)].Assign(Value);
end;

function TUpdateSQL.GetDataSet: TBDEDataSet;
begin
  Result := FDataSet;
end;

procedure TUpdateSQL.SetDataSet(ADataSet: TBDEDataSet);
begin
  FDataSet := ADataSet;
end;

procedure TUpdateSQL.Apply(UpdateKind: TUpdateKind);
begin
  SetParams(UpdateKind);
  ExecSQL(UpdateKind);
end;

procedure TUpdateSQL.ExecSQL(UpdateKind: TUpdateKind);
begin
end;

procedure TUpdateSQL.SetParams(UpdateKind: TUpdateKind);
begin
end;

{ TBatchMove }

constructor TBatchMove.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FMappings := TStringList.Create;
  FAbortOnKeyViol := True;
  FAbortOnProblem := True;
  FTransliterate := True;
end;

destructor TBatchMove.Destroy;
begin
  FMappings.Free;
  inherited Destroy;
end;

procedure TBatchMove.SetMappings(Value: TStrings);
begin
  FMappings.Assign(Value);
end;

procedure TBatchMove.Execute;
begin
  DatabaseError('No database engine');
end;

{ TBlobStream }

constructor TBlobStream.Create(Field: TBlobField; Mode: TBlobStreamMode);
begin
  inherited Create;
  FField := Field;
  FMode := Mode;
end;

function TBlobStream.Read(var Buffer; Count: Longint): Longint;
begin
  Result := 0;
end;

function TBlobStream.Write(const Buffer; Count: Longint): Longint;
begin
  Result := 0;
end;

function TBlobStream.Seek(Offset: Longint; Origin: Word): Longint;
begin
  Result := 0;
end;

procedure TBlobStream.Truncate;
begin
end;

initialization
  Session := TSession.Create(nil);
finalization
  FreeAndNil(Session);
end.
