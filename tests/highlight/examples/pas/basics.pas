unit Shapes;
{$MODE DELPHI}
interface
(* An old-style
   comment over lines *)
type
  TShape = class
  private
    FArea: Double;
  public
    property Area: Double read FArea write FArea default 0; { brace
      comment }
    function Read(Index: Integer): string; overload; stdcall;
  end;
implementation
function TShape.Read(Index: Integer): string;
begin
  Result := 'it''s' + #13#10 + #$1F; // tail
  FArea := $FF + 1.5e-3 + 10 + 1..5;
  asm
    MOV EAX, 1 { in asm }
    (* still asm *) PUSH EBX
  end;
end;
exports Read index 1 name 'Read';
end.
