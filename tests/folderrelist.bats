#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# folderrelist: the listing, a separator, then the first entry once more.

load helpers

sep='----------------------------'

@test "the listing is followed by the separator and a copy of its first line" {
	mkdir "$T/d" "$T/d/sub"
	touch "$T/d/a" "$T/d/b" "$T/d/$(printf 'x%.0s' {1..255})"
	"$BIN/folderlist" "$T/d" >"$R/list"
	[ "$(LC_ALL=C wc -l <"$R/list")" -eq 6 ]
	{ cat "$R/list"; echo "$sep"; head -n 1 "$R/list"; } >"$R/want.out"
	: >"$R/want.err"
	capture "$BIN/folderrelist" "$T/d"
	expect_files 0
}

@test "a stream with no entries gives the separator alone" {
	mkdir "$T/gone"
	cd "$T/gone"
	rmdir "$T/gone"
	capture "$BIN/folderrelist" .
	expect 0 "$sep"$'\n' ''
}

@test "an unopenable path writes no separator" {
	touch "$T/file"
	capture "$BIN/folderrelist" "$T/file"
	expect 1 '' $'opendir: Not a directory\n'
}

@test "read errors are reported by readdir, in the listing and after the rewind" {
	mkdir "$T/d"
	traced -e inject=getdents64:error=EIO:when=2 -- "$BIN/folderrelist" "$T/d"
	"$BIN/folderlist" "$T/d" >"$R/want.out"
	printf 'readdir: Input/output error\n' >"$R/want.err"
	expect_files 1
	# Reads 1 and 2 make the listing; read 3 is the one after the rewind.
	traced -e inject=getdents64:error=EIO:when=3 -- "$BIN/folderrelist" "$T/d"
	echo "$sep" >>"$R/want.out"
	expect_files 1
	# In a log of both streams the failure comes after the separator.
	want_both
	capture=capture_both traced -e inject=getdents64:error=EIO:when=3 -- "$BIN/folderrelist" "$T/d"
	expect_files 1
}

@test "a close error is reported by closedir after all the lines" {
	mkdir "$T/d"
	traced -P "$T/d" -e inject=close:error=EIO -- "$BIN/folderrelist" "$T/d"
	"$BIN/folderlist" "$T/d" >"$R/list"
	{ cat "$R/list"; echo "$sep"; head -n 1 "$R/list"; } >"$R/want.out"
	printf 'closedir: Input/output error\n' >"$R/want.err"
	expect_files 1
	want_both
	capture=capture_both traced -P "$T/d" -e inject=close:error=EIO -- "$BIN/folderrelist" "$T/d"
	expect_files 1
}

@test "output that cannot be written is a write error, not success" {
	mkdir "$T/d" "$T/big"
	touch "$T/big/"{1..300}
	for dir in "$T/d" "$T/big"; do
		capture_err "$BIN/folderrelist" "$dir" >/dev/full
		expect_err 1 $'write error: No space left on device\n'
	done
	closed_stdout "$BIN/folderrelist" "$T/d"
	expect_err 1 $'write error: Bad file descriptor\n'
	for dir in "$T/d" "$T/big"; do
		capture_err line_buffered "$BIN/folderrelist" "$dir" >/dev/full
		expect_err 1 $'write error: No space left on device\n'
	done
	# On a terminal each line is a write of its own.  When the separator's
	# alone fails, nothing follows it; when only the line after the rewind
	# fails, only the stream's error flag tells.
	"$BIN/folderlist" "$T/d" >"$R/want.out"
	printf 'write error: No space left on device\n' >"$R/want.err"
	traced -e inject=write:error=ENOSPC:when=3 -- stdbuf -oL "$BIN/folderrelist" "$T/d"
	expect_files 1
	echo "$sep" >>"$R/want.out"
	traced -e inject=write:error=ENOSPC:when=4 -- stdbuf -oL "$BIN/folderrelist" "$T/d"
	expect_files 1
	# One write fails mid-listing and the later ones would succeed.
	"$BIN/folderrelist" "$T/big" >"$R/full"
	traced -e inject=write:error=ENOSPC:when=3 -- "$BIN/folderrelist" "$T/big"
	expect_start_of "$R/full" 1 $'write error: No space left on device\n'
}
