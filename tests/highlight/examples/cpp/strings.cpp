const char* a = "plain";
const char* b = "with \"escaped\" quotes and \\ backslash";
const char* c = "continued \
over two lines";
const char* d = "three \

lines with an empty one";
const char* e = "unterminated;
char f = 'a', g = '\'', h = '"', i = '\\';
char j = 'unterminated;
char k = '\
next = 1;
