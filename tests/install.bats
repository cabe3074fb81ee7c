#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# What is installed, and what the installed programs need at run time.

# shellcheck disable=SC2154 # tree and config come from build_tree
load helpers

@test "cmake --install puts every program in bin, its page in man1 and fscalls.7 in man7" {
	build_tree
	cmake --install "$tree" "${config[@]}" --prefix "$T" >/dev/null
	count=0
	for prog in $(programs); do
		[ -x "$T/bin/$prog" ] || { echo "no $T/bin/$prog"; false; }
		[ -f "$T/share/man/man1/$prog.1" ] || { echo "no $prog.1"; false; }
		count=$((count + 1))
	done
	set -- "$T"/bin/* "$T"/share/man/man1/* "$T"/share/man/man7/*
	[ "$count" -eq 7 ] && [ $# -eq 15 ] && [ -f "$T/share/man/man7/fscalls.7" ]
}

@test "every manual page is free of mandoc warnings" {
	build_tree
	cmake --install "$tree" "${config[@]}" --prefix "$T" >/dev/null
	mandoc -T lint -W warning "$T"/share/man/man1/*.1 "$T"/share/man/man7/*.7
}

@test "the version is the same in CMake, the changelog and every page" {
	build_tree
	top=$BATS_TEST_DIRNAME/..
	version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")
	[ -n "$version" ]
	changelog=$(sed -n '1s/^fscalls (\(.*\)) .*/\1/p' "$top/debian/changelog")
	[ "$changelog" = "$version" ] ||
		{ echo "changelog $changelog, CMake $version"; false; }
	for page in "$top"/*/*.1 "$top"/fscalls.7; do
		grep -qx "\.Os fscalls $version" "$page" ||
			{ echo "$page: $(grep '^\.Os' "$page")"; false; }
	done
}

@test "every program needs libc alone, and at most its loader" {
	grep -qs '^CMAKE_CXX_FLAGS:.*-fsanitize=' "$BIN/CMakeCache.txt" "$BIN/../CMakeCache.txt" &&
		skip "sanitizer runtimes are linked in"
	for prog in $(programs); do
		# On arm64 and riscv64 the stack protector's guard comes from the
		# dynamic loader, which libc6 ships with libc.
		loader=$(LC_ALL=C readelf -l "$BIN/$prog" | sed -n 's|.*interpreter: .*/\(.*\)]$|\1|p')
		needed=$(LC_ALL=C readelf -d "$BIN/$prog" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' |
			grep -vxF "$loader" || true)
		[ "$needed" = libc.so.6 ] || { echo "$prog needs: $needed"; false; }
	done
}
