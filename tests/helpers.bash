# SPDX-License-Identifier: ISC
# Shared by the suites: a scratch folder per test for fixtures ($T), one
# for what a run wrote ($R), and byte-exact checks of a run's exit status
# and of both its output streams.

# The programs: BIN, made absolute, since the cases change directory.
# Where EMULATOR is set (qemu-s390x -L /usr/s390x-linux-gnu, say), they
# are built for another architecture: BIN then names scripts that run them
# through it, and BUILT where they are.
BIN=$(realpath -m "${BIN:-$BATS_TEST_DIRNAME/../build}")
BUILT=$BIN

# programs: the names of the programs, one a line; each has its page beside
# its source.
programs() {
	local page
	for page in "$(dirname "${BASH_SOURCE[0]}")"/../*/*.1; do
		basename "$page" .1
	done
}

# emulated DIR: in DIR, a script for each program that runs it through
# EMULATOR.
emulated() {
	local prog path
	mkdir "$1"
	for prog in $(programs); do
		path=${BUILT//\\/\\\\}/$prog
		# In perl, which unlike a shell says nothing when started in a
		# working directory that has been removed.
		cat >"$1/$prog" <<-PERL
			#!/usr/bin/perl
			exec split(' ', q'$EMULATOR'), q'${path//\'/\\\'}', @ARGV or die "\$0: \$!\\n";
		PERL
		chmod 755 "$1/$prog"
	done
}

setup() {
	R=$BATS_TEST_TMPDIR
	# The wrappers are written once, for the first of the file's cases.
	if [ -n "${EMULATOR:-}" ]; then
		BIN=$BATS_FILE_TMPDIR/emulated
		[ -d "$BIN" ] || emulated "$BIN"
	fi
	T=$(realpath "$(mktemp -d)")
	chmod 755 "$T"	# the unprivileged runs need to reach their fixtures
	# A root whose TMPDIR is shut to others (libpam-tmpdir makes it 0700)
	# keeps the fixtures in /tmp, where nobody can reach them.
	if [ "$(id -u)" -eq 0 ] && ! as_nobody test -x "$T"; then
		rmdir "$T"
		T=$(realpath "$(mktemp -d -p /tmp)")
		chmod 755 "$T"
	fi
}

teardown() {
	chmod -R u+rwx "$T"	# fixtures shut even to their owner
	rm -rf "$T"
}

# build_tree: skip the test unless BIN is in a build tree; the suite also
# runs against the installed programs, as Debian's as-installed tests run
# it.  $tree is the build tree: BIN itself, or BIN's parent when BIN is a
# configuration's directory of a multi-config build, whose name $config
# then passes to cmake --install.
# shellcheck disable=SC2034 # for the cases
build_tree() {
	tree=$BUILT config=()
	if [ ! -f "$tree/CMakeCache.txt" ]; then
		tree=$(dirname "$BUILT") config=(--config "$(basename "$BUILT")")
		[ -f "$tree/CMakeCache.txt" ] ||
			skip "needs a build tree, and $BUILT holds installed programs"
	fi
}

# native REASON: skip the case where the programs run under an emulator,
# which a native tool cannot see through, for REASON.
native() {
	[ -z "${EMULATOR:-}" ] || skip "under ${EMULATOR%% *}, $1"
}

# capture CMD...: run CMD with its standard output in $R/out and its
# standard error in $R/err, keeping every byte; the exit status in $status.
capture() {
	status=0
	"$@" >"$R/out" 2>"$R/err" || status=$?
}

# capture_both CMD...: as capture, with both streams in $R/out in the order
# they were written, as in a log kept with 2>&1; $R/err is left empty.
capture_both() {
	status=0
	"$@" >"$R/out" 2>&1 || status=$?
	: >"$R/err"
}

# want_both: the wanted streams, $R/want.out and $R/want.err, as one log in
# which the message comes after the lines, for a case run by capture_both.
want_both() {
	cat "$R/want.err" >>"$R/want.out"
	: >"$R/want.err"
}

# capture_err CMD...: as capture, but standard output is left where the
# caller put it (/dev/full, closed) and only standard error is kept.
capture_err() {
	status=0
	"$@" 2>"$R/err" || status=$?
}

# same WANT GOT STREAM: file GOT holds exactly the bytes of WANT; if not,
# show how STREAM differs.
same() {
	cmp -s "$1" "$2" || { echo "$3 differs:"; diff "$1" "$2"; return 1; }
}

# expect_err STATUS ERR: the exit status and standard error of capture_err.
expect_err() {
	printf '%s' "$2" >"$R/want.err"
	[ "$status" -eq "$1" ] || { echo "exit status $status, wanted $1"; return 1; }
	same "$R/want.err" "$R/err" stderr
}

# expect STATUS OUT ERR: the last capture's exit status and the exact bytes
# written to standard output and standard error.
expect() {
	printf '%s' "$2" >"$R/want.out"
	printf '%s' "$3" >"$R/want.err"
	expect_files "$1"
}

# expect_files STATUS: as expect, with the wanted bytes already written to
# $R/want.out and $R/want.err.
expect_files() {
	local bad=0
	[ "$status" -eq "$1" ] || { echo "exit status $status, wanted $1"; bad=1; }
	same "$R/want.out" "$R/out" stdout || bad=1
	same "$R/want.err" "$R/err" stderr || bad=1
	return $bad
}

# expect_start_of FULL STATUS ERR: as expect, but standard output need only
# be a start of file FULL, neither empty nor the whole of it.
expect_start_of() {
	local size
	size=$(stat -c %s "$R/out")
	if [ "$size" -eq 0 ] || [ "$size" -ge "$(stat -c %s "$1")" ]; then
		echo "stdout holds $size bytes of $(stat -c %s "$1")"
		return 1
	fi
	head -c "$size" "$1" >"$R/want.out"
	printf '%s' "$3" >"$R/want.err"
	expect_files "$2"
}

# as_nobody CMD...: run CMD as the user nobody.
as_nobody() {
	setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
}

# unprivileged PROG ARGS...: run one of the programs as nobody when the suite
# runs as root, who passes every permission check; fixtures are shut to
# their owner too, so that a plain user's run sees the same.  The binary
# itself is copied out, since the build tree may be closed to nobody, and
# run through the emulator where there is one.
unprivileged() {
	local prog=$1 run
	shift
	install -D -m 755 "$BUILT/$prog" "$T/bin/$prog"
	run=("$T/bin/$prog")
	# shellcheck disable=SC2206 # the emulator's words
	[ -z "${EMULATOR:-}" ] || run=($EMULATOR "$T/bin/$prog")
	if [ "$(id -u)" -eq 0 ]; then
		# Where nobody cannot even reach the program, every refusal it
		# met would be that one.
		as_nobody test -x "$T/bin/$prog" ||
			skip "nobody cannot reach $T/bin/$prog"
		capture as_nobody "${run[@]}" "$@"
	else
		capture "${run[@]}" "$@"
	fi
}

# traced STRACE-OPTIONS... -- PROG ARGS...: run under strace to inject a
# fault, through capture or, when set, $capture.  LeakSanitizer cannot work
# under a tracer, so it is turned off; PROG may be stdbuf, as in
# line_buffered.
traced() {
	native "strace would trace the emulator's own calls, not the program's"
	ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0 \
		"${capture:-capture}" strace -o /dev/null "$@"
}

# closed_stdout CMD...: as capture_err, with standard output closed and
# nothing preloaded: a preloaded library (faketime's) may open a file of
# its own, which would take the free descriptor 1.
closed_stdout() {
	capture_err env -u LD_PRELOAD "$@" >&-
}

# line_buffered CMD...: run CMD with standard output line-buffered, as on a
# terminal.  stdbuf preloads its library, which the sanitizer runtime would
# otherwise refuse to follow.
line_buffered() {
	native "stdbuf would preload a library of this machine's into the program"
	ASAN_OPTIONS=verify_asan_link_order=0 stdbuf -oL "$@"
}

# enter_long_dir BYTES: make a chain of directories whose absolute path is
# longer than BYTES and enter it a step at a time (a path over 4096 bytes
# cannot be named whole); $PWD is then that path.
enter_long_dir() {
	local part LC_ALL=C	# ${#...} counts bytes, not a locale's characters
	part=$(printf 'd%.0s' {1..200})
	cd "$T" || return
	while [ ${#PWD} -le "$1" ]; do
		mkdir "$part"
		cd "$part" || return
	done
}

# path_of BYTES: print a directory path under $T of exactly BYTES bytes
# (BYTES well over 256 and under 4096), in components of 200 bytes and a
# last one of at most 255.
path_of() {
	local path=$T LC_ALL=C	# ${#...} counts bytes, not a locale's characters
	while [ $(($1 - ${#path})) -gt 256 ]; do
		path+=/$(printf 'd%.0s' {1..200})
	done
	path+=/$(printf 'e%.0s' $(seq $(($1 - ${#path} - 1))))
	echo "$path"
}
