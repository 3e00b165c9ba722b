; A small routine: copies a zero-terminated string.
        .model small
        .code
strcpy  proc near
        push    si              ; keep the caller's registers
        push    di
        MOV     si, [bp+4]
        Mov     di, [bp+6]
next:   lodsb
        stosb
        test    al, al
        jnz     next
        mov     ax, 0FFFFh      # all ones
        mov     bx, 1010b
        cmp     cx, 10
        jle     short done      // a C-style comment
        db      'it''s', 0, "quoted"
        db      "unterminated
done:   pop     di
        pop     si
        ret
strcpy  endp
        fld1
        f2xm1
        fstp    st(1)
        end
