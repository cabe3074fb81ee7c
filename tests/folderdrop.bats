#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# folderdrop: one empty directory removed.

load helpers

@test "an empty directory is removed, and a second removal fails" {
	mkdir "$T/empty"
	capture "$BIN/folderdrop" "$T/empty"
	expect 0 '' ''
	[ ! -e "$T/empty" ]
	capture "$BIN/folderdrop" "$T/empty"
	expect 1 '' $'rmdir: No such file or directory\n'
}

@test "what is not an empty directory is refused and kept" {
	mkdir "$T/full"
	echo data >"$T/full/kept"
	capture "$BIN/folderdrop" "$T/full"
	expect 1 '' $'rmdir: Directory not empty\n'
	[ "$(cat "$T/full/kept")" = data ]
	capture "$BIN/folderdrop" "$T/full/kept"
	expect 1 '' $'rmdir: Not a directory\n'
	[ "$(cat "$T/full/kept")" = data ]
}

@test "a directory in a parent that may not be written is kept" {
	mkdir -p "$T/shut/empty"
	chmod 555 "$T/shut"
	unprivileged folderdrop "$T/shut/empty"
	expect 1 '' $'rmdir: Permission denied\n'
	[ -d "$T/shut/empty" ]
	# In a sticky directory, as /tmp is, only the owner of the parent or
	# of the directory may remove it; only root can make another's.
	[ "$(id -u)" -eq 0 ] || return 0
	mkdir -m 1777 "$T/sticky"
	mkdir "$T/sticky/roots"
	unprivileged folderdrop "$T/sticky/roots"
	expect 1 '' $'rmdir: Operation not permitted\n'
	[ -d "$T/sticky/roots" ]
}
