#include <stdio.h>
  #  define SPACED 1
#define A 1 // trailing comment
#define MAX(a, b) \
  ((a) > (b) ? \
   (a) : (b))
int after = MAX(1, 2);
#define B /* comment in a directive */ 2
#define C /* comment over
   lines */ 3 \
   + 4
#define D /* closes */
#if defined(X) && !defined(Y) /* trailing
*/
x = a # b;
#define E \
// comment line in a macro
#endif
