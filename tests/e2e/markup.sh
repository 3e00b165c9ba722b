#!/usr/bin/env bash
# Markup languages from the file name, each with the colours the main window
# gives its highlighter on screen: HTML, XML (and .plist), CSS and PHP.
source "$(dirname "$0")/lib.sh"

cat >"$E2E_TMP/page.html" <<'HTML'
<!-- navigation -->
<p class="note">Fish &amp; chips</p>
HTML
cat >"$E2E_TMP/data.xml" <<'XML'
<!-- catalogue -->
<book id="first-book-of-the-catalogue">Text</book>
XML
cat >"$E2E_TMP/site.css" <<'CSS'
/* site styles for every page */
h1 { color: #f00; margin: 12px; font-family: "DejaVu Sans Mono, monospace"; }
CSS
cat >"$E2E_TMP/page.php" <<'PHP'
// entry point of the whole site
$greeting_name = "World and everyone in it" . strlen($name) + 42;
PHP
cp "$E2E_TMP/data.xml" "$E2E_TMP/Info.plist"

# file, Syntax item, class, colours that must be on screen
expect_language_rows markup \
  "page.html HTML1 THTMLHighlighter 000080 800000 008000" \
  "data.xml XML2 TXMLHighlighter 8A0808 008080 FF0000 008000" \
  "Info.plist XML2 TXMLHighlighter 8A0808" \
  "site.css CSS1 TCssHighlighter 008000 FF0000" \
  "page.php PHP1 TPHPHighlighter 008000 FF0000 008080"
echo "markup ok"
