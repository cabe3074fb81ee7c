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
	LC_ALL=C awk '/^\.Bd -literal/ { on = 1 } on { print } /^\.Ed$/ { on = 0 }' "$1"
}

@test "every page, English and Chinese, lints clean and reads right as man, lintian, mandoc and groff show it" {
	build_tree
	cmake --install "$tree" "${config[@]}" --prefix "$T" >/dev/null
	man=$T/share/man
	mandoc -T lint -W warning "$man"/man[17]/* "$man"/zh_CN/man[17]/*
	for page in "$man"/zh_CN/man[17]/*; do
		english=$man/${page#"$man"/zh_CN/}
		diff <(literal "$english") <(literal "$page") ||
			{ echo "$page: its displays are not the English page's"; false; }
	done
	# AS_SHOWN_WIDTHS narrows the widths to check, FROM-TO, or with none
	# leaves them to another run of the suite; as-shown's last line names them.
	[ "${AS_SHOWN_WIDTHS:-}" != none ] || skip "AS_SHOWN_WIDTHS=none: the pages show as checked where it is unset"
	status=0
	"$BATS_TEST_DIRNAME/as-shown" ${AS_SHOWN_WIDTHS:+"--widths=$AS_SHOWN_WIDTHS"} \
		"$man"/man[17]/* "$man"/zh_CN/man[17]/* >"$R/shown" || status=$?
	[ "$status" -ne 77 ] || skip "$(tail -n 1 "$R/shown")"
	[ "$status" -eq 0 ] || { cat "$R/shown"; false; }
	echo "# $(tail -n 1 "$R/shown")" >&3
}

@test "the Chinese pages translate every paragraph of the English ones, in the glossary's terms; the English quote error texts" {
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
		stats=$(LC_ALL=C msgfmt --statistics -o /dev/null "$R/own" 2>&1)
		if [[ $stats == *fuzzy* || $stats == *untranslated* ]]; then
			echo "${po##*/} lags its English pages ($stats):"
			msgattrib --only-fuzzy --no-obsolete "$R/own"
			msgattrib --untranslated --no-obsolete "$R/own"
			false
		fi
		# A paragraph left in English: a translation that is its source,
		# but for one of macros alone, and for what po4a keeps as it is
		# (no-wrap: titles, headings, tags, displays) but a description.
		msgattrib --no-obsolete "$R/own" | perl -CSD -e '
			local $/ = "";
			my $bad;
			while (<>) {
				next if /^#,.*\bno-wrap\b/m && !/^#\. type: Nd$/m;
				my ($id, $str) = map { join "", /"(.*)"/g } /^msgid ((?:".*"\n)+)msgstr ((?:".*"\n)+)/m;
				next if !defined $id || $id eq "" || $id =~ /^(?:E<[^>]*>|[\s,.;:])*$/;
				print "left as it is: $id\n" and $bad = 1 if $str eq $id;
			}
			exit($bad // 0);
		' || { echo "${po##*/} leaves these paragraphs in English"; false; }
	done
	# No translation says what the glossary says not to: its own term is
	# taken out first, so that a term holding an avoided word passes.  The
	# script's own separators are Chinese, hence -Mutf8.
	perl -CSD -Mutf8 -e '
		my (@rows, $text, $bad);
		open my $glossary, "<", shift or die "$!\n";
		while (<$glossary>) {
			my @cells = map { s/^\s+|\s+$//gr } split /\|/;
			next if @cells < 4 || $cells[3] eq "" || $cells[3] =~ /^-+$|^不用$/;
			push @rows, [[split /[；、]/, $cells[2]], [split /、/, $cells[3]]];
		}
		@rows or die "the glossary has no row that sets a word aside\n";
		local $/;
		$text = <>;
		for my $msgstr ($text =~ /^msgstr ((?:".*"\n)+)/mg) {
			$msgstr =~ s/"\n"//g;
			for my $row (@rows) {
				my $rest = $msgstr;
				$rest =~ s/\Q$_\E//g for @{$row->[0]};
				for (grep { index($rest, $_) >= 0 } @{$row->[1]}) {
					print "\"$_\" against the glossary in $msgstr";
					$bad = 1;
				}
			}
		}
		exit $bad // 0;
	' "$BATS_TEST_DIRNAME/../po/zh_CN.glossary.md" "$BATS_TEST_DIRNAME"/../po/zh_CN.po
	# Every English page quotes error texts, as perror writes them, which
	# tests/as-shown holds each Chinese page to.
	cd "$BATS_TEST_DIRNAME/.."
	for page in */*.1 fscalls.7; do
		LC_ALL=C.UTF-8 mandoc -T utf8 -O width=1000 "$page" >"$R/page"
		LC_ALL=C perl -CSD -MErrno -e '
			$! = Errno->can($_)->(), $text{"$!"} = 1 for keys %!;
			local $/;
			exit !grep { $text{$_} } <> =~ /\x{201C}([^\x{201C}\x{201D}]*)\x{201D}/g;
		' "$R/page" || { echo "$page quotes no error text"; false; }
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
