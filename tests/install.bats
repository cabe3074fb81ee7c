#!/usr/bin/env bats
# What is installed, and what the installed programs need at run time.

load helpers

programs='folderlist folderrelist placeshow placeswitch permset foldermake folderdrop'

@test "cmake --install puts every program in bin" {
	cmake --install "$BIN" --prefix "$T" >/dev/null
	for prog in $programs; do
		[ -x "$T/bin/$prog" ] || { echo "no $T/bin/$prog"; false; }
	done
	[ "$(ls "$T/bin" | wc -l)" -eq 7 ]
}

@test "every program needs libc alone" {
	[ -n "$SANITIZED" ] && skip "sanitizer runtimes are linked in"
	for prog in $programs; do
		needed=$(readelf -d "$BIN/$prog" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
		[ "$needed" = libc.so.6 ] || { echo "$prog needs: $needed"; false; }
	done
}
