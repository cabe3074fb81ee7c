#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# tests/as-shown on pages made for it, in fixtures/man: one clean page in
# each language, which it must pass, and a page for each fault it finds,
# which it must name.  They are rendered at 80 columns alone.

# zh_locale: whether man can show the Chinese pages here.
zh_locale() {
	LC_ALL=C locale -a | grep -Eqix 'zh_CN\.utf-?8'
}

# A run of the checker costs a run of man for each page and setting: with
# AS_SHOWN_WIDTHS set, the suite checks the pages narrowly or not at all,
# and leaves the checker's own cases to the runs that check them in full;
# without the locale, the cases skip, and so the checker does not run.
setup_file() {
	[ -z "${AS_SHOWN_WIDTHS:-}" ] && zh_locale || return 0
	local man=$BATS_FILE_TMPDIR/man page
	cp -R "$BATS_TEST_DIRNAME/fixtures/man" "$man"
	# Each Chinese page has an English one, which quotes no error text.
	for page in "$man"/zh_CN/man1/*.1; do
		[ -e "$man/man1/${page##*/}" ] || cp "$man/man1/clean.1" "$man/man1/${page##*/}"
	done
	cd "$man" || return
	status=0
	"$BATS_TEST_DIRNAME/as-shown" --widths=80-80 man1/clean.1 zh_CN/man1/clean.1 \
		>"$BATS_FILE_TMPDIR/clean" 2>&1 || status=$?
	echo "$status" >"$BATS_FILE_TMPDIR/clean.status"
	# fail.1 stops groff, so it comes last of all in the one run.
	set -- man1/clean.1 man1/inside.1
	for page in zh_CN/man1/*.1; do
		[ "$page" = zh_CN/man1/fail.1 ] || set -- "$@" "$page"
	done
	status=0
	"$BATS_TEST_DIRNAME/as-shown" --widths=80-80 "$@" zh_CN/man1/fail.1 \
		>"$BATS_FILE_TMPDIR/faults" 2>&1 || status=$?
	echo "$status" >"$BATS_FILE_TMPDIR/faults.status"
}

# ran NAME: skip unless the checker was run and could show the pages in
# Chinese; NAME's output is then in $out and its status in $status.
ran() {
	[ -z "${AS_SHOWN_WIDTHS:-}" ] || skip "AS_SHOWN_WIDTHS=$AS_SHOWN_WIDTHS"
	zh_locale || skip "no zh_CN.UTF-8 locale here, in which man shows the Chinese pages"
	out=$BATS_FILE_TMPDIR/$1
	status=$(cat "$out.status")
	[ "$status" -ne 77 ] || skip "$(tail -n 1 "$out")"
}

# said PATTERN...: the checker's output has a line matching each
# extended regular expression, read as bytes.
said() {
	local pattern
	for pattern; do
		LC_ALL=C grep -Eq -- "$pattern" "$out" ||
			{ cat "$out"; echo "--- no line matches: $pattern"; return 1; }
	done
}

@test "as-shown passes a clean page in each language, one with a line that starts with .." {
	ran clean
	[ "$status" -eq 0 ] || { cat "$out"; false; }
	said '^2 pages as man shows them at every width from 80 to 80 columns .*: no fault$'
}

@test "as-shown finds each fault of Chinese text: holes, early breaks, marks out of place, blanks, parentheses, lines too wide" {
	ran faults
	[ "$status" -eq 1 ] || { cat "$out"; false; }
	! grep -Eq '^(zh_CN/)?man1/clean.1' "$out" || { cat "$out"; false; }
	local at=' at 80 columns \(line length [0-9]+\), line [0-9]+'
	said "^zh_CN/man1/hole.1$at ends 1[0-9] columns short, before '中，': 一二三" \
		"^zh_CN/man1/early.1$at breaks early, before 'word': 中文$" \
		"^zh_CN/man1/opening.1$at"' ends in an opening mark: 中文“$' \
		"^zh_CN/man1/closing.1$at starts with a closing mark or punctuation: ，中文。$" \
		"^zh_CN/man1/blank.1$at, a blank beside Chinese punctuation: 中文 ，中文。$" \
		"^zh_CN/man1/paren.1$at, a half-width parenthesis in Chinese: 中文\(注\)中文。$" \
		"^zh_CN/man1/wide.1$at is wider than [0-9]+ columns: abcdefghijklmnopqrstuvwxyz" \
		"^zh_CN/man1/wide.1$at: warning .*break line$"
}

@test "as-shown finds quotations broken inside, left open or other than mandoc's, and error texts other than the English page's" {
	ran faults
	local at=' at 80 columns \(line length [0-9]+\)'
	said "^man1/inside.1$at, line [0-9]+ ends inside a quotation ‘...’: ‘one two" \
		"^man1/inside.1$at, line [0-9]+ ends inside brackets \[...\]: \[one two" \
		'^zh_CN/man1/quote.1: mandoc leaves 1 quotations or brackets open$' \
		"^zh_CN/man1/quote.1$at: 1 quotations or brackets open$" \
		"^zh_CN/man1/quote.1$at: the quotations differ from mandoc's:$" \
		'^zh_CN/man1/errtext.1 quotes the error texts No such file or directory ×1, Permission denied ×1, and its English page none$'
}

@test "as-shown finds man failing, a copy that man shows otherwise than the page, and a page that changes the next in one groff run" {
	ran faults
	said '^zh_CN/man1/fail.1 as lintian renders it: stopped here$' \
		'^zh_CN/man1/fail.1: man --warnings -l .*/zh_CN/man1/fail.1 exited 3:$' \
		"^zh_CN/man1/copy.1 at 80 columns in zh_CN.UTF-8: man shows it otherwise than its copy at 80 columns \(line length [0-9]+\):$" \
		"^groff -k -mzh -mdoc -Tutf8 on 15 pages in one run: near the text of zh_CN/man1/(leak|opening).1, '.*Generbl Commbnds Mbnubl"
}
