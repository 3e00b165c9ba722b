x = $y @ z \ w ` v;
char* s = "café"; // café
été = 1;
nul;
