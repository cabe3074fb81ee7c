#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# permset: a path's permission bits from an octal number.

load helpers

@test "octal modes are applied, special bits and all" {
	touch "$T/f"
	while read -r given want; do
		chmod 0 "$T/f"
		capture "$BIN/permset" "$T/f" "$given"
		expect 0 '' '' || { echo "mode $given"; false; }
		[ "$(stat -c %a "$T/f")" = "$want" ] || { echo "mode $given gave $(stat -c %a "$T/f")"; false; }
	done <<-'MODES'
		644 644
		755 755
		600 600
		4755 4755
		2711 2711
		1777 1777
		0640 640
		+711 711
		755abc 755
		7558 755
		-0 0
		100644 644
		00000000000000000000751 751
		37777777777 7777
	MODES
	capture "$BIN/permset" "$T/f" $'\t 640'
	expect 0 '' ''
	[ "$(stat -c %a "$T/f")" = 640 ]
	# A symbolic link is followed: its target takes the bits, and the link
	# keeps its own.
	ln -s f "$T/link"
	capture "$BIN/permset" "$T/link" 604
	expect 0 '' ''
	[ "$(stat -c %a "$T/f"):$(stat -c %a "$T/link")" = 604:777 ]
}

@test "a mode with no defined value is refused and nothing changes" {
	touch "$T/f"
	chmod 640 "$T/f"
	for given in '' abc ' ' + - ' -' 9 x755 -1 -755 40000000000 777777777777 \
		1000000000000000000000000; do
		capture "$BIN/permset" "$T/f" "$given"
		expect 1 '' "invalid mode: $given"$'\n'
		[ "$(stat -c %a "$T/f")" = 640 ]
	done
}

@test "a missing path is a chmod failure" {
	capture "$BIN/permset" "$T/missing" 644
	expect 1 '' $'chmod: No such file or directory\n'
}

@test "a file of another owner is a chmod failure and keeps its bits" {
	[ "$(id -u)" -eq 0 ] || skip "only root can make a file of another owner"
	touch "$T/f"
	chmod 640 "$T/f"
	unprivileged permset "$T/f" 777
	expect 1 '' $'chmod: Operation not permitted\n'
	[ "$(stat -c %a "$T/f")" = 640 ]
}
