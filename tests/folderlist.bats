#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# folderlist: one line per entry, in the stream's order, with raw fields.

load helpers

# The entry lines that the kernel's own records call for, decoded by strace
# from the getdents64 buffers of another reader (ls -f): an independent view
# of every field, names included byte for byte.
kernel_view() {
	strace -qq -v -X raw -xx -e trace=getdents64 -o "$R/trace" ls -f "$1" >/dev/null
	local re='d_ino=([0-9]+), d_off=(-?[0-9]+), d_reclen=([0-9]+), d_type=([0-9a-fx]+), d_name="(.*)"'
	grep -o '{d_ino=[^}]*}' "$R/trace" | while IFS= read -r rec; do
		[[ $rec =~ $re ]]
		printf 'inode num = %s offset = %s reclen = %s type = %d file name = %b\n' \
			"${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}" \
			"${BASH_REMATCH[4]}" "${BASH_REMATCH[5]}"
	done
}

@test "every entry is printed with the fields the kernel gave, names unchanged" {
	mkdir "$T/d" "$T/d/sub" "$T/empty"
	cd "$T/d"
	# The longest name a file system allows needs a record of over 255 bytes.
	touch plain 'with blank' $'new\nline' '%s%n' $'\xff\xfe not utf-8' .hidden \
		"$(printf 'x%.0s' {1..255})"
	ln -s plain link
	for dir in "$T/d:11" "$T/empty:2"; do
		kernel_view "${dir%:*}" >"$R/want.out"
		[ "$(grep -c '^inode num = ' "$R/want.out")" -eq "${dir#*:}" ]
		: >"$R/want.err"
		capture "$BIN/folderlist" "${dir%:*}"
		expect_files 0
	done
}

@test "unopenable paths are reported by opendir with nothing listed" {
	touch "$T/file"
	mkdir -m 000 "$T/closed"
	capture "$BIN/folderlist" "$T/missing"
	expect 1 '' $'opendir: No such file or directory\n'
	capture "$BIN/folderlist" "$T/file"
	expect 1 '' $'opendir: Not a directory\n'
	unprivileged folderlist "$T/closed"
	expect 1 '' $'opendir: Permission denied\n'
}

@test "a directory removed while it is the working directory lists nothing" {
	mkdir "$T/gone"
	cd "$T/gone"
	rmdir "$T/gone"
	capture "$BIN/folderlist" .
	expect 0 '' ''
}

@test "a read error ends the listing with a readdir report, lines kept" {
	mkdir "$T/d"
	touch "$T/d/a"
	traced -e inject=getdents64:error=EIO:when=1 -- "$BIN/folderlist" "$T/d"
	expect 1 '' $'readdir: Input/output error\n'
	# The second read, which would have found the end, fails instead.
	"$BIN/folderlist" "$T/d" >"$R/want.out"
	printf 'readdir: Input/output error\n' >"$R/want.err"
	traced -e inject=getdents64:error=EIO:when=2 -- "$BIN/folderlist" "$T/d"
	expect_files 1
	# In a log of both streams the entries come before the failure.
	want_both
	capture=capture_both traced -e inject=getdents64:error=EIO:when=2 -- "$BIN/folderlist" "$T/d"
	expect_files 1
}

@test "a close error is reported by closedir after the listing" {
	mkdir "$T/d"
	"$BIN/folderlist" "$T/d" >"$R/want.out"
	printf 'closedir: Input/output error\n' >"$R/want.err"
	traced -P "$T/d" -e inject=close:error=EIO -- "$BIN/folderlist" "$T/d"
	expect_files 1
	want_both
	capture=capture_both traced -P "$T/d" -e inject=close:error=EIO -- "$BIN/folderlist" "$T/d"
	expect_files 1
}

@test "output that cannot be written is a write error, not success" {
	mkdir "$T/d" "$T/big"
	touch "$T/big/"{1..300}
	capture_err "$BIN/folderlist" "$T/d" >/dev/full
	expect_err 1 $'write error: No space left on device\n'
	# Fails while listing, not only at the end.
	capture_err "$BIN/folderlist" "$T/big" >/dev/full
	expect_err 1 $'write error: No space left on device\n'
	closed_stdout "$BIN/folderlist" "$T/d"
	expect_err 1 $'write error: Bad file descriptor\n'
	# On a terminal every line is written at once, and a failed write
	# leaves nothing for the final flush to fail on.
	capture_err line_buffered "$BIN/folderlist" "$T/big" >/dev/full
	expect_err 1 $'write error: No space left on device\n'
	# One write fails and the later ones would succeed: the listing stops
	# there, and what was written before it is a true start of the listing.
	"$BIN/folderlist" "$T/big" >"$R/full"
	traced -e inject=write:error=ENOSPC:when=3 -- "$BIN/folderlist" "$T/big"
	expect_start_of "$R/full" 1 $'write error: No space left on device\n'
}
