#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# foldermake: one directory, mode 0777 less the umask.

load helpers

@test "the new directory's mode is 777 less the umask" {
	for mask in 0:777 022:755 077:700; do
		dir=$T/m${mask%:*}
		# shellcheck disable=SC2016 # expanded by the inner shell
		capture sh -c 'umask "$1" && exec "$2" "$3"' sh "${mask%:*}" "$BIN/foldermake" "$dir"
		expect 0 '' ''
		[ "$(LC_ALL=C stat -c %F:%a "$dir")" = "directory:${mask#*:}" ]
	done
}

@test "an existing path is refused and left as it was" {
	mkdir "$T/dir"
	touch "$T/dir/kept"
	echo data >"$T/file"
	capture "$BIN/foldermake" "$T/dir"
	expect 1 '' $'mkdir: File exists\n'
	[ -e "$T/dir/kept" ]
	capture "$BIN/foldermake" "$T/file"
	expect 1 '' $'mkdir: File exists\n'
	[ "$(cat "$T/file")" = data ]
}

@test "a missing or closed parent is refused and nothing is made" {
	capture "$BIN/foldermake" "$T/no/such"
	expect 1 '' $'mkdir: No such file or directory\n'
	[ ! -e "$T/no" ]
	mkdir -m 555 "$T/shut"
	unprivileged foldermake "$T/shut/new"
	expect 1 '' $'mkdir: Permission denied\n'
	[ ! -e "$T/shut/new" ]
}
