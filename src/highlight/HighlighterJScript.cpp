// The JavaScript highlighter.
// Tested by tests/highlight/HighlighterCatalogueTest.cpp and tests/highlight/GoldenTest.cpp
#include "highlight/HighlighterJScript.h"

#include "highlight/HighlighterWordTable.h"

namespace vantrel {

namespace {

constexpr std::string_view kReserved[] = {
    "if", "do", "in", "case", "NaN", "char", "catch", "break", "callee", "for", "else", "var", "new",
    "final", "false", "int", "package", "long", "void", "delete", "byte", "enum", "class", "float",
    "this", "while", "goto", "double", "null", "with", "try", "public", "boolean", "true", "default",
    "debugger", "const", "native", "static", "start", "finally", "super", "short", "interface",
    "switch", "throw", "abstract", "typeof", "import", "extends", "private", "return", "export",
    "continue", "function", "throws", "instanceof", "protected", "transient", "implements",
    "prototype", "synchronized", "constructor"};

constexpr std::string_view kNonReserved[] = {
    "E", "back", "big", "abs", "go", "Area", "PI", "All", "all", "LN10", "LN2", "call", "Embed",
    "ceil", "Date", "bold", "name", "find", "log", "java", "Image", "tan", "min", "hash", "atan2",
    "atan", "href", "cos", "click", "acos", "max", "LOG10E", "LOG2E", "checked", "clear", "eval",
    "src", "home", "self", "Math", "sin", "sub", "asin", "Frame", "left", "align", "Hidden", "UTC",
    "exp", "match", "Link", "link", "body", "Radio", "tags", "join", "embeds", "blink", "fixed",
    "slice", "escape", "Global", "open", "charAt", "top", "URL", "caller", "Form", "form", "hspace",
    "blur", "pageX", "pow", "close", "search", "images", "Float", "pageY", "reload", "Object",
    "watch", "alert", "sup", "domain", "index", "concat", "isNaN", "small", "height", "cookie",
    "closed", "parse", "Anchor", "anchor", "Null", "replace", "value", "Layer", "action", "getDate",
    "getDay", "border", "host", "frames", "right", "Array", "next", "Packages", "logon", "color",
    "Boolean", "Select", "select", "taint", "focus", "width", "screen", "filename", "links",
    "method", "random", "vspace", "length", "title", "type", "appName", "floor", "event", "reset",
    "Reset", "port", "Text", "text", "Applet", "stop", "target", "Checkbox", "encoding", "forms",
    "round", "sort", "bgColor", "italics", "Number", "opener", "selected", "sqrt", "SQRT2",
    "parent", "setDate", "menubar", "write", "RegExp", "fgColor", "split", "javaEnabled",
    "indexOf", "print", "anchors", "confirm", "pathname", "charCodeAt", "Plugin", "getTime",
    "refresh", "scroll", "layers", "input", "getYear", "style", "strike", "valueOf", "moveBy",
    "zIndex", "Undefined", "undefined", "netscape", "toolbar", "Submit", "submit", "unescape",
    "forward", "bottom", "display", "String", "Window", "window", "Location", "location",
    "complete", "applets", "Option", "lowsrc", "moveTo", "unwatch", "setTime", "isFinite",
    "Button", "reverse", "appCodeName", "setYear", "referrer", "elements", "Textarea", "hostname",
    "document", "background", "prompt", "plugins", "current", "untaint", "substr", "status",
    "FileUpload", "writeln", "platform", "getMonth", "Function", "parseInt", "SQRT1_2", "MimeType",
    "Infinity", "scrollBy", "getUTCDate", "getUTCDay", "taintEnabled", "Navigator", "navigator",
    "defaultChecked", "options", "suffixes", "linkColor", "resizeBy", "fromCharCode", "userAgent",
    "alinkColor", "locationbar", "handleEvent", "getSeconds", "parseFloat", "getHours",
    "fontsize", "History", "history", "setMonth", "protocol", "scrollTo", "Password", "toSource",
    "lastModified", "resizeTo", "innerHeight", "fontcolor", "Arguments", "arguments",
    "setUTCDate", "scrollbars", "personalbar", "statusbar", "toString", "enabledPlugin",
    "setSeconds", "innerWidth", "pageXOffset", "previous", "setHours", "mimeTypes", "pageYOffset",
    "MIN_VALUE", "lastIndexOf", "substring", "selectedIndex", "defaultValue", "MAX_VALUE",
    "vlinkColor", "description", "getFullYear", "getMinutes", "appVersion", "toLowerCase",
    "outerHeight", "visibility", "toUpperCase", "clearInterval", "defaultSelected",
    "clearTimeout", "outerWidth", "setFullYear", "setMinutes", "setInterval", "routeEvent",
    "getUTCMonth", "getElementById", "setTimeout", "releaseEvents", "getUTCSeconds",
    "getUTCHours", "setUTCMonth", "toGMTString", "getMilliseconds", "toUTCString",
    "setUTCSeconds", "defaultStatus", "captureEvents", "setUTCHours", "toLocaleString",
    "getUTCFullYear", "getUTCMinutes", "setMilliseconds", "setUTCFullYear", "setUTCMinutes",
    "getTimezoneOffset", "getUTCMilliseconds", "NEGATIVE_INFINITY", "setUTCMilliseconds",
    "POSITIVE_INFINITY"};

constexpr std::string_view kEvents[] = {
    "onLoad", "onClick", "onChange", "onBlur", "onAbort", "onDblClick", "onFocus",
    "onSelect", "onUnload", "onReset", "onError", "onKeyUp", "onSubmit", "onKeyDown",
    "onMouseUp", "onKeyPress", "onMouseMove", "onMouseOut", "onMouseDown", "onMouseOver"};

// Case is significant: lower-case letters one above their capitals.
constexpr TIdentifierValues kValues = [] {
  TIdentifierValues values = MakeIdentifierValues(1);
  values['$'] = 0;
  return values;
}();

const TNumberRule kNumberRule{MakeCharSet(".0123456789ABCDEFabcdefXx"), /*StopBeforeDoubleDot=*/true,
                              /*MinusOnlyAfterExponent=*/false, /*HexOnlyAfterPrefix=*/true};

const TKeywordCompareTable& Words() {
  static const TKeywordCompareTable table =
      BuildWordTable(kValues, /*caseSensitive=*/true,
                     {{kReserved, jstkKey}, {kNonReserved, jstkNonReservedKey}, {kEvents, jstkEvent}});
  return table;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

TJScriptHighlighter::TJScriptHighlighter()
    : TKitHighlighter({.LanguageName = "JavaScript",
                       .DefaultFilter = "Javascript Files (*.js)|*.js",
                       .EndKind = jstkNull,
                       .SpaceKind = jstkSpace,
                       .Defaults = {.Comment = jstkComment,
                                    .Identifier = jstkIdentifier,
                                    .Keyword = jstkKey,
                                    .String = jstkString,
                                    .Whitespace = jstkSpace,
                                    .Symbol = jstkSymbol},
                       .Ranges = {jsrNormal, jsrComment},
                       .InitialRange = jsrNormal},
                      {
                          {jstkComment, "CommentAttri", "Comment", fsItalic},
                          {jstkIdentifier, "IdentifierAttri", "Identifier"},
                          {jstkKey, "KeyAttri", "Reserved Word", fsBold},
                          {jstkNonReservedKey, "NonReservedKeyAttri", "Non-reserved Keyword"},
                          {jstkEvent, "EventAttri", "Event"},
                          {jstkNumber, "NumberAttri", "Number"},
                          {jstkSpace, "SpaceAttri", "Space"},
                          {jstkString, "StringAttri", "String"},
                          {jstkSymbol, "SymbolAttri", "Symbol"},
                      }) {
  Words();  // build the shared table now, not in the middle of a scan
}

bool TJScriptHighlighter::IsKeyword(std::string_view word) const {
  return FindWord(Words(), kValues, word) != nullptr;
}

void TJScriptHighlighter::CommentBody() {
  tokenKind_ = jstkComment;
  if (SkipBlockCommentBody()) range_ = jsrNormal;
}

void TJScriptHighlighter::NextToken() {
  tokenPos_ = run_;
  if (range_ == jsrComment) {
    if (!LineEndAtContinuation()) CommentBody();
    return;
  }
  if (ScanBlankOrLineEnd()) return;
  const char c = line_[run_];
  if (kValues[uint8_t(c)] >= 0 && !IsDigit(c)) {
    const unsigned hash = ScanHashedIdentifier(kValues);
    const TKeywordCompareEntry* entry = Words().Find(hash, line_ + tokenPos_, run_ - tokenPos_);
    tokenKind_ = entry ? entry->Kind : jstkIdentifier;
  } else if (IsDigit(c)) {
    tokenKind_ = jstkNumber;
    ScanNumber(kNumberRule);
  } else if (c == '"' || c == '\'') {
    tokenKind_ = jstkString;
    ++run_;
    SkipEscapedQuoted(c);  // strings end with their line
  } else if (c == '/' && line_[run_ + 1] == '*') {
    run_ += 2;
    range_ = jsrComment;
    CommentBody();
  } else if (c == '/' && line_[run_ + 1] == '/') {
    tokenKind_ = jstkComment;
    SkipToLineEnd();
  } else if (c == '/') {
    ScanSymbol("=", jstkSymbol);
  } else {
    ScanCharacter(jstkSymbol);
  }
}

}  // namespace vantrel
