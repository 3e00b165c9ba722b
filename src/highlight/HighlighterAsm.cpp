// The x86 assembler highlighter.
// Tested by tests/highlight/HighlighterAsmTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterAsm.h"

#include "highlight/HighlighterHashEntries.h"

namespace vantrel {

namespace {

constexpr std::string_view kMnemonics =
    "aaa,aad,aam,adc,add,and,arpl,bound,bsf,bsr,bswap,bt,btc,btr,bts,call,cbw,cdq,clc,cld,"
    "cli,clts,cmc,cmp,cmps,cmpsb,cmpsd,cmpsw,cmpxchg,cwd,cwde,daa,das,dec,div,emms,enter,"
    "f2xm1,fabs,fadd,faddp,fbld,fbstp,fchs,fclex,fcmovb,fcmovbe,fcmove,fcmovnb,fcmovnbe,"
    "fcmovne,fcmovnu,fcmovu,fcom,fcomi,fcomip,fcomp,fcompp,fcos,fdecstp,fdiv,fdivp,fdivr,"
    "fdivrp,femms,ffree,fiadd,ficom,ficomp,fidiv,fidivr,fild,fimul,fincstp,finit,fist,fistp,"
    "fisub,fisubr,fld,fld1,fldcw,fldenv,fldl2e,fldl2t,fldlg2,fldln2,fldpi,fldz,fmul,fmulp,"
    "fnclex,fninit,fnop,fnsave,fnstcw,fnstenv,fnstsw,fpatan,fprem1,fptan,frndint,frstor,"
    "fsave,fscale,fsin,fsincos,fsqrt,fst,fstcw,fstenv,fstp,fstsw,fsub,fsubp,fsubr,fsubrp,"
    "ftst,fucom,fucomi,fucomip,fucomp,fucompp,fwait,fxch,fxtract,fyl2xp1,hlt,idiv,imul,in,"
    "inc,ins,insb,insd,insw,int,into,invd,invlpg,iret,iretd,iretw,ja,jae,jb,jbe,jc,jcxz,je,"
    "jecxz,jg,jge,jl,jle,jmp,jna,jnae,jnb,jnbe,jnc,jne,jng,jnge,jnl,jnle,jno,jnp,jns,jnz,jo,"
    "jp,jpe,jpo,js,jz,lahf,lar,lds,lea,leave,les,lfs,lgdt,lgs,lidt,lldt,lmsw,lock,lods,"
    "lodsb,lodsd,lodsw,loop,loope,loopne,loopnz,loopz,lsl,lss,ltr,mov,movd,movq,movs,movsb,"
    "movsd,movsw,movsx,movzx,mul,neg,nop,not,or,out,outs,outsb,outsd,outsw,packssdw,"
    "packsswb,packuswb,paddb,paddd,paddsb,paddsw,paddusb,paddusw,paddw,pand,pandn,pavgusb,"
    "pcmpeqb,pcmpeqd,pcmpeqw,pcmpgtb,pcmpgtd,pcmpgtw,pf2id,pfacc,pfadd,pfcmpeq,pfcmpge,"
    "pfcmpgt,pfmax,pfmin,pfmul,pfrcp,pfrcpit1,pfrcpit2,pfrsqit1,pfrsqrt,pfsub,pfsubr,pi2fd,"
    "pmaddwd,pmulhrw,pmulhw,pmullw,pop,popa,popad,popaw,popf,popfd,popfw,por,prefetch,"
    "prefetchw,pslld,psllq,psllw,psrad,psraw,psrld,psrlq,psrlw,psubb,psubd,psubsb,psubsw,"
    "psubusb,psubusw,psubw,punpckhbw,punpckhdq,punpckhwd,punpcklbw,punpckldq,punpcklwd,push,"
    "pusha,pushad,pushaw,pushf,pushfd,pushfw,pxor,rcl,rcr,rep,repe,repne,repnz,repz,ret,rol,"
    "ror,sahf,sal,sar,sbb,scas,scasb,scasd,scasw,seta,setae,setb,setbe,setc,sete,setg,setge,"
    "setl,setle,setna,setnae,setnb,setnbe,setnc,setne,setng,setnge,setnl,setnle,setno,setnp,"
    "setns,setnz,seto,setp,setpo,sets,setz,sgdt,shl,shld,shr,shrd,sidt,sldt,smsw,stc,std,"
    "sti,stos,stosb,stosd,stosw,str,sub,test,verr,verw,wait,wbinvd,xadd,xchg,xlat,xlatb,xor";

constexpr int kHashMask = 1023;

// Hash values: letters 1..26 in either case, digits 27..36, `_` 0.
constexpr std::array<int8_t, 256> MakeAsmValues() {
  std::array<int8_t, 256> t{};
  for (auto& v : t) v = -1;
  for (int c = 'a'; c <= 'z'; ++c) t[size_t(c)] = t[size_t(c - 'a' + 'A')] = int8_t(c - 'a' + 1);
  for (int c = '0'; c <= '9'; ++c) t[size_t(c)] = int8_t(c - '0' + 27);
  t['_'] = 0;
  return t;
}
constexpr std::array<int8_t, 256> kValues = MakeAsmValues();

bool IsIdentChar(char c) { return kValues[uint8_t(c)] >= 0; }

// Hash and length of the identifier at text; -1 length when text does not
// start with an identifier character.
unsigned AsmHash(const char* text, int& length) {
  unsigned hash = 0;
  length = 0;
  while (IsIdentChar(text[length])) {
    hash = (hash * 7 + unsigned(kValues[uint8_t(text[length])])) & kHashMask;
    ++length;
  }
  return hash;
}

const THashEntryList& Mnemonics() {
  static const THashEntryList& list = *[] {
    auto* chains = new THashEntryList;  // process-wide, never freed
    THighlighterCharSet identChars;
    for (int c = 0; c < 256; ++c)
      if (IsIdentChar(char(c))) identChars.set(size_t(c));
    EnumerateKeywords(atkKey, kMnemonics, identChars, [chains](std::string_view word, int kind) {
      std::string text(word);
      int length;
      unsigned hash = AsmHash(text.c_str(), length);
      chains->Put(int(hash), std::make_unique<THashEntry>(std::move(text), kind));
    });
    return chains;
  }();
  return list;
}

const TNumberRule kNumberRule{MakeCharSet(".0123456789ABCDEFHabcdefh")};

}  // namespace

TAsmHighlighter::TAsmHighlighter()
    : TKitHighlighter({.LanguageName = "x86 Assembly",
                       .DefaultFilter = "x86 Assembly Files (*.asm)|*.asm",
                       .EndKind = atkNull,
                       .SpaceKind = atkSpace,
                       .Defaults = {atkComment, atkIdentifier, atkKey, atkString, atkSpace, atkSymbol}},
                      {
                          {atkComment, "CommentAttri", "Comment", fsItalic},
                          {atkIdentifier, "IdentifierAttri", "Identifier"},
                          {atkKey, "KeyAttri", "Reserved Word", fsBold},
                          {atkNumber, "NumberAttri", "Number"},
                          {atkSpace, "SpaceAttri", "Space"},
                          {atkString, "StringAttri", "String"},
                          {atkSymbol, "SymbolAttri", "Symbol"},
                      }) {
  Mnemonics();  // build the shared chains now, not in the middle of a scan
}

bool TAsmHighlighter::IsKeyword(std::string_view word) const {
  std::string text(word);
  int length;
  unsigned hash = AsmHash(text.c_str(), length);
  return length > 0 && size_t(length) == word.size() &&
         Mnemonics().Lookup(int(hash), text.c_str(), length, atkIdentifier) == atkKey;
}

void TAsmHighlighter::NextToken() {
  tokenPos_ = run_;
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  switch (c) {
    case ';':
    case '#':
      tokenKind_ = atkComment;
      SkipToLineEnd();
      return;
    case '/':
      if (line_[run_ + 1] == '/') {
        tokenKind_ = atkComment;
        SkipToLineEnd();
      } else {
        ScanSymbol("", atkSymbol);
      }
      return;
    case '"':
    case '\'':
      tokenKind_ = atkString;
      ++run_;
      SkipToQuote(c);
      return;
    case '<':
      ScanSymbol("=>", atkSymbol);
      return;
    case '>':
      ScanSymbol("=", atkSymbol);
      return;
    default:
      break;
  }
  if (c >= '0' && c <= '9') {
    tokenKind_ = atkNumber;
    ScanNumber(kNumberRule);
  } else if (IsIdentChar(c)) {
    IdentProc();
  } else {
    ScanCharacter(atkSymbol);
  }
}

void TAsmHighlighter::IdentProc() {
  int length;
  unsigned hash = AsmHash(line_ + run_, length);
  tokenKind_ = Mnemonics().Lookup(int(hash), line_ + run_, length, atkIdentifier);
  run_ += length;
}

}  // namespace vantrel
