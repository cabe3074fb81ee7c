#!/usr/bin/env bats
# SPDX-License-Identifier: ISC
# What is installed, and what the installed programs need at run time.

# shellcheck disable=SC2154 # tree and config come from build_tree
load helpers

@test "cmake --install puts every program in bin, its pages in man1 and zh_CN/man1, fscalls.7 in man7" {
	build_tree
	cmake --install "$tree" "${config[@]}" --prefix "$T" >/dev/null
	count=0
	for prog in $(programs); do
		[ -x "$T/bin/$prog" ] || { echo "no $T/bin/$prog"; false; }
		for dir in man1 zh_CN/man1; do
			[ -f "$T/share/man/$dir/$prog.1" ] || { echo "no $dir/$prog.1"; false; }
		done
		count=$((count + 1))
	done
	set -- "$T"/bin/* "$T"/share/man/man[17]/* "$T"/share/man/zh_CN/man[17]/*
	[ "$count" -eq 7 ] && [ $# -eq 23 ] && [ -f "$T/share/man/man7/fscalls.7" ] &&
		[ -f "$T/share/man/zh_CN/man7/fscalls.7" ]
}

# literal FILE: the literal displays of page FILE.
literal() {
	awk '/^\.Bd -literal/ { on = 1 } on { print } /^\.Ed$/ { on = 0 }' "$1"
}

@test "every page, English and Chinese, lints clean and shows the error texts it quotes whole" {
	build_tree
	cmake --install "$tree" "${config[@]}" --prefix "$T" >/dev/null
	man=$T/share/man
	mandoc -T lint -W warning "$man"/man[17]/* "$man"/zh_CN/man[17]/*
	# The texts of every error number, as perror writes them.
	LC_ALL=C perl -e 'for (1 .. 133) { $! = $_; print "$!\n" }' >"$R/texts"
	for page in "$man"/man[17]/* "$man"/zh_CN/man[17]/*; do
		english=${page/\/zh_CN\///}
		[ "$page" = "$english" ] || diff <(literal "$english") <(literal "$page") ||
			{ echo "$page: its displays are not the English page's"; false; }
		# Chinese punctuation closes a quotation with Do and Dc.
		sed -n -e 's/^\.Dq \(\\&\)\{0,1\}\(.*[^ ,.:;]\)\( [,.:;]\)*$/\2/p' \
			-e 's/^\.\(.* \)\{0,1\}Do \(\\&\)\{0,1\}\(.*\) Dc .*/\3/p' "$page" |
			grep -xF -f "$R/texts" | sort | uniq -c >"$R/quoted"
		[ -s "$R/quoted" ] || { echo "$page quotes no error text"; false; }
		LC_ALL=C.UTF-8 mandoc -T utf8 -O width=1000 "$page" >"$R/mandoc"
		# man's pipeline fails under a preloaded library such as faketime's.
		LC_ALL=C.UTF-8 MANWIDTH=1000 env -u LD_PRELOAD man -l "$page" 2>/dev/null >"$R/man"
		# Outside a Chinese locale groff breaks Chinese only where the page
		# lets it, and lintian warns of a line it cannot break.
		LC_ALL=C.UTF-8 MANWIDTH=80 env -u LD_PRELOAD man --warnings -l "$page" 2>&1 >/dev/null |
			grep 'break line' && { echo "man cannot break a line of $page"; false; }
		for shown in "$R/mandoc" "$R/man"; do
			# Chinese punctuation takes no blank on either side, which
			# a macro line gives unless the page joins the lines.
			if [ "$page" != "$english" ] &&
				grep -E ' (，|。|；|：|、|）)|(，|。|；|：|、|（) +[^ ]' "$shown"; then
				echo "${shown##*/} puts a blank beside a punctuation mark in $page"
				false
			fi
			tr -s ' \n' '  ' <"$shown" >"$R/shown"
			# Each quotation shows its text whole, as often as the page
			# quotes it, between the quotation marks that .Dq makes.
			while read -r times text; do
				quoted=$'\xe2\x80\x9c'$text$'\xe2\x80\x9d'	# “TEXT”, in UTF-8
				[ "$(grep -oF "$quoted" "$R/shown" | wc -l)" -ge "$times" ] ||
					{ echo "${shown##*/} shows $quoted whole fewer than $times times in $page"; false; }
			done <"$R/quoted"
		done
	done
}

@test "the Chinese pages translate every paragraph of the English ones" {
	build_tree
	# po4a runs msgmerge on paths it does not quote: relative ones, with
	# no blank, whatever TMPDIR holds.
	mkdir "$T/src"
	(cd "$BATS_TEST_DIRNAME/.." && cp --parents -- */*.1 fscalls.7 po/*.po "$T/src")
	cd "$T"
	mkdir new
	po4a --no-translations --srcdir src --destdir new "$tree/po4a.cfg" >/dev/null
	for po in new/po/*.po; do
		# Dates and versions stay the English page's.
		msggrep --invert-match -X -e '^type: \(Dd\|Os\)$' "$po" >"$R/own"
		msgattrib --only-fuzzy --no-obsolete "$R/own" >"$R/behind"
		msgattrib --untranslated --no-obsolete "$R/own" >>"$R/behind"
		if grep -q '^msgid "[^"]' "$R/behind"; then
			echo "${po##*/} lacks or has fuzzy translations of:"
			grep -A1 '^msgid' "$R/behind"
			false
		fi
	done
}

@test "the version is the same in CMake, the changelog and every page" {
	build_tree
	top=$BATS_TEST_DIRNAME/..
	version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")
	[ -n "$version" ]
	changelog=$(sed -n '1s/^fscalls (\(.*\)) .*/\1/p' "$top/debian/changelog")
	[ "$changelog" = "$version" ] ||
		{ echo "changelog $changelog, CMake $version"; false; }
	for page in "$top"/*/*.1 "$top"/fscalls.7; do
		grep -qx "\.Os fscalls $version" "$page" ||
			{ echo "$page: $(grep '^\.Os' "$page")"; false; }
	done
}

@test "every program needs libc alone, and at most its loader" {
	grep -qs '^CMAKE_CXX_FLAGS:.*-fsanitize=' "$BUILT/CMakeCache.txt" "$BUILT/../CMakeCache.txt" &&
		skip "sanitizer runtimes are linked in"
	for prog in $(programs); do
		# On arm64 and riscv64 the stack protector's guard comes from the
		# dynamic loader, which libc6 ships with libc.
		loader=$(LC_ALL=C readelf -l "$BUILT/$prog" | sed -n 's|.*interpreter: .*/\(.*\)]$|\1|p')
		needed=$(LC_ALL=C readelf -d "$BUILT/$prog" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' |
			grep -vxF "$loader" || true)
		[ "$needed" = libc.so.6 ] || { echo "$prog needs: $needed"; false; }
	done
}
