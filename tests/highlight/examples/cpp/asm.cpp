void one_line() {
  __asm mov eax, 1
  _asm int 3
  int after = 0;
}

void block() {
  __asm {
    mov eax, dword ptr [ebx] // load
    /* a comment
       inside the block */ add eax, 4
    ret
  }
  int after = 1;
}

void brace_below() {
  asm
  {
    nop
  } done();
}

void gnu() {
  asm volatile ("nop" : : : "memory");
  asm("pause");
  { __asm nop }
}
