#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# What is installed, and what the installed programs need at run time.

load helpers

programs='folderlist folderrelist placeshow placeswitch permset foldermake folderdrop'

@test "cmake --install puts every program in bin and its page in man1" {
	cmake --install "$BIN" --prefix "$T" >/dev/null
	for prog in $programs; do
		[ -x "$T/bin/$prog" ] || { echo "no $T/bin/$prog"; false; }
		[ -f "$T/share/man/man1/$prog.1" ] || { echo "no $prog.1"; false; }
	done
	[ "$(ls "$T/bin" "$T/share/man/man1" | grep -c .)" -eq 16 ]
}

@test "every manual page is free of mandoc warnings" {
	cmake --install "$BIN" --prefix "$T" >/dev/null
	mandoc -T lint -W warning "$T"/share/man/man1/*.1
}

@test "every program needs libc alone" {
	[ -n "$SANITIZED" ] && skip "sanitizer runtimes are linked in"
	for prog in $programs; do
		needed=$(readelf -d "$BIN/$prog" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
		[ "$needed" = libc.so.6 ] || { echo "$prog needs: $needed"; false; }
	done
}
