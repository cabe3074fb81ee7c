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
	LC_ALL=C grep -o '{d_ino=[^}]*}' "$R/trace" | while IFS= read -r rec; do
		[[ $rec =~ $re ]]
		printf 'inode num = %s offset = %s reclen = %s type = %d file name = %b\n' \
			"${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}" \
			"${BASH_REMATCH[4]}" "${BASH_REMATCH[5]}"
	done
}

# page_script: the script of fscalls(7) that takes the entry lines apart,
# as a reader sees it on the rendered page, in $R/entries.
page_script() {
	mandoc -T ascii "$BATS_TEST_DIRNAME/../fscalls.7" | LC_ALL=C awk '
		/^ *#!\/bin\/sh$/ { on = 1; indent = index($0, "#") }
		on && /^ *$/ { exit }
		on { print substr($0, indent) }' >"$R/entries"
	LC_ALL=C grep -q folderlist "$R/entries"
}

@test "every entry is printed with the fields the kernel gave, names unchanged" {
	mkdir "$T/d" "$T/d/sub" "$T/empty" "$T/many"
	touch "$T/many/"{1..300}
	cd "$T/d"
	# The longest name a file system allows needs a record of over 255 bytes.
	touch plain ' both ends ' 'a=b' $'tab\there' 'x file name = y' '%s%n' \
		$'\xff\xfe not utf-8' .hidden "$(printf 'x%.0s' {1..255})" \
		$'new\n* file name = z'
	ln -s plain link
	for dir in "$T/d:14" "$T/empty:2" "$T/many:302"; do
		kernel_view "${dir%:*}" >"$R/want.out"
		[ "$(LC_ALL=C grep -c '^inode num = ' "$R/want.out")" -eq "${dir#*:}" ]
		: >"$R/want.err"
		capture "$BIN/folderlist" "${dir%:*}"
		expect_files 0
	done
	# fscalls(7)'s script gives each name whole, and the rest of a name
	# after a newline as an entry of empty fields, never the names that
	# a pattern in it would match here.
	page_script
	kernel_view "$T/d" | LC_ALL=C sed -e 's/^inode num = \([0-9]*\) .* type = \([0-9]*\) file name = /inode \1, type \2: [/' \
		-e 's/^\* file name = z$/inode , type : [z/' -e 's/$/]/' >"$R/want.out"
	for sh in dash bash; do
		for locale in C C.UTF-8; do
			PATH=$BIN:$PATH LC_ALL=$locale capture "$sh" "$R/entries" "$T/d"
			expect_files 0 || { echo "$sh in $locale"; false; }
		done
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
	# fscalls(7)'s script ends with folderlist's failure, not its loop's.
	page_script
	PATH=$BIN:$PATH capture sh "$R/entries" "$T/file"
	expect 1 '' $'opendir: Not a directory\n'
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
