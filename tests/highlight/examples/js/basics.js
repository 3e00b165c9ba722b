/* A block comment
   that spans lines */
// line comment
function greet(name, onClick) {
  var count = 0x1F + 017 + 1.5e3 + .5 + 1..toString();
  if (name == null) return "anon\"ymous" + 'it\'s' + "ends\\";
  document.getElementById("x").onLoad = onClick; /* short */ count /= 2;
  var r = a / b; NaN; nan; Print; print; $el = 0xG;
  "unterminated
  return count;
}
