int a = 0, b = 123, c = 0x1F, d = 0XabCDef, e = 017, f = 09;
double g = 0.9, h = 1e5, i = 1.5e-3, j = 2.0f, k = .5, l = 1.0L;
long m = 10UL, n = 10LL, o = 10LLL, p = 0x1FUL, q = 017L;
bad = 0x; bad = 0xg; bad = 1e; bad = 1e+; bad = 1ff; bad = 10uu;
bad = 0x1.5; bad = 12x; bad = 1_000; bad = 0178; bad = 1.5u;
range = 1..2; spread = ...; member = s.x + .25e2;
x = 1+2-3*4/5;
