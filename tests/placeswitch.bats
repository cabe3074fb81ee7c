#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# placeswitch: the working directory before and after changing it.

load helpers

# lines BEFORE AFTER: the two lines of a successful switch
lines() {
	printf '切换前当前工作目录是: %s\n切换后的工作目录是: %s\n' "$1" "$2"
}

@test "the after line is the platform's absolute path of the target" {
	mkdir -p "$T/a/b"
	ln -s a/b "$T/link"
	cd "$T/a"
	capture "$BIN/placeswitch" .
	expect 0 "$(lines "$T/a" "$T/a")"$'\n' ''
	capture "$BIN/placeswitch" ..
	expect 0 "$(lines "$T/a" "$T")"$'\n' ''
	capture "$BIN/placeswitch" ../link
	expect 0 "$(lines "$T/a" "$T/a/b")"$'\n' ''
	cd /
	capture "$BIN/placeswitch" ..
	expect 0 "$(lines / /)"$'\n' ''
}

@test "a target that cannot be entered is a chdir failure after the before line" {
	touch "$T/file"
	mkdir -m 000 "$T/closed"
	cd "$T"
	before="切换前当前工作目录是: $T"$'\n'
	capture "$BIN/placeswitch" missing
	expect 1 "$before" $'chdir: No such file or directory\n'
	capture "$BIN/placeswitch" file
	expect 1 "$before" $'chdir: Not a directory\n'
	unprivileged placeswitch closed
	expect 1 "$before" $'chdir: Permission denied\n'
	# In a log of both streams the line comes before the failure.
	capture_both "$BIN/placeswitch" missing
	expect 1 "$before"$'chdir: No such file or directory\n' ''
}

@test "a path of 1023 bytes is shown; one of 1024, before or after, is a getcwd failure" {
	fits=$(path_of 1023)
	over=${fits}e
	mkdir -p "$fits" "$over"
	cd "$fits"
	capture "$BIN/placeswitch" /
	expect 0 "$(lines "$fits" /)"$'\n' ''
	cd "$over"
	capture "$BIN/placeswitch" /
	expect 1 '' $'getcwd: Numerical result out of range\n'
	cd /
	capture "$BIN/placeswitch" "$fits"
	expect 0 "$(lines / "$fits")"$'\n' ''
	capture "$BIN/placeswitch" "$over"
	expect 1 $'切换前当前工作目录是: /\n' $'getcwd: Numerical result out of range\n'
	capture_both "$BIN/placeswitch" "$over"
	expect 1 $'切换前当前工作目录是: /\ngetcwd: Numerical result out of range\n' ''
}

@test "a removed working directory is a getcwd failure" {
	mkdir "$T/gone"
	cd "$T/gone"
	rmdir "$T/gone"
	capture "$BIN/placeswitch" /
	expect 1 '' $'getcwd: No such file or directory\n'
}

@test "output that cannot be written is a write error, not success" {
	capture_err "$BIN/placeswitch" / >/dev/full
	expect_err 1 $'write error: No space left on device\n'
	capture_err line_buffered "$BIN/placeswitch" / >/dev/full
	expect_err 1 $'write error: No space left on device\n'
}
