/* A block comment
   spread over lines, with "quotes" and 'ticks'
   and // slashes inside */
int x; /* open
   * still open

*/ int y; // line comment /* not a block */
/*/ not closed by its own slash
*/
a = b /c/ d; /**/ e /*x*/ /= 2;
"/* not a comment */"; // "not a string"
