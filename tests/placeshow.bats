#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# placeshow: the working directory as the platform gives it.

load helpers

@test "from the root directory it shows / and ignores arguments" {
	cd /
	capture "$BIN/placeshow"
	expect 0 $'当前工作目录是：/\n' ''
	capture "$BIN/placeshow" any words at all
	expect 0 $'当前工作目录是：/\n' ''
}

@test "a directory reached through a symbolic link shows its real path" {
	mkdir "$T/real"
	ln -s real "$T/link"
	cd "$T/link"
	capture "$BIN/placeshow"
	expect 0 "当前工作目录是：$(realpath "$T/real")"$'\n' ''
}

@test "a path longer than any fixed limit is shown whole" {
	native "qemu-user gives no working directory longer than the kernel's 4096 bytes"
	enter_long_dir 5000
	capture "$BIN/placeshow"
	expect 0 "当前工作目录是：$PWD"$'\n' ''
}

@test "a removed working directory is a getcwd failure" {
	mkdir "$T/gone"
	cd "$T/gone"
	rmdir "$T/gone"
	capture "$BIN/placeshow"
	expect 1 '' $'getcwd: No such file or directory\n'
}

@test "output that cannot be written is a write error, not success" {
	capture_err "$BIN/placeshow" >/dev/full
	expect_err 1 $'write error: No space left on device\n'
	# On a terminal the failed write empties the buffer, so the final
	# flush succeeds and only the stream's error flag tells.
	capture_err line_buffered "$BIN/placeshow" >/dev/full
	expect_err 1 $'write error: No space left on device\n'
	# A line longer than the output buffer fails while it is written.
	enter_long_dir 5000
	capture_err "$BIN/placeshow" >/dev/full
	expect_err 1 $'write error: No space left on device\n'
}
