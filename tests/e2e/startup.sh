#!/usr/bin/env bash
# Start-up: options answered without a display; the main window appears with
# its title.
source "$(dirname "$0")/lib.sh"

version=$(DISPLAY= "$VANTREL_BIN" --version)
[[ "$version" == "Vantrel Editor "* ]] || fail "--version printed '$version'"
DISPLAY= "$VANTREL_BIN" --help | grep -q -- "--version" || fail "--help does not list the options"
if DISPLAY= "$VANTREL_BIN" --no-such-option 2>/dev/null; then fail "an unknown option was accepted"; fi

start_app
[[ "$(window_title)" == *"Vantrel Editor"* ]] || fail "title is '$(window_title)'"
stop_app
echo "startup ok"
