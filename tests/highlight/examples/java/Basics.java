package demo;

/**
 * Documentation over lines.
 */
public class Basics {
  /* plain
     comment */
  private static final long BIG = 0x7FFFL + 10 - 3;
  /**/ int x = 1; // trailing
  public String name() {
    char c = '\'';
    String s = "tab\t\"quoted\"";
    double d = 1.5e-3 + n-1;
    Object Null = null; @Override #
    return s + "ends\\" + d;
  }
}
