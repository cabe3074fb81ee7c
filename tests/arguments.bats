#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# The count complaint: the count in decimal, a newline and a lone comma.

load helpers

@test "a wrong argument count is refused with the count and nothing done" {
	cd "$T"
	for prog in folderlist folderrelist placeswitch foldermake folderdrop; do
		capture "$BIN/$prog"
		expect 1 '' $'args num error: 1\n,'
		capture "$BIN/$prog" made extra
		expect 1 '' $'args num error: 3\n,'
	done
	capture "$BIN/permset" made
	expect 1 '' $'args num error: 2\n,'
	capture "$BIN/permset" made 755 extra
	expect 1 '' $'args num error: 4\n,'
	capture "$BIN/permset"
	expect 1 '' $'args num error: 1\n,'
	[ -z "$(ls -A "$T")" ] || { ls -A "$T"; false; }
}
