// SPDX-License-Identifier: ISC
// permset: set the permission bits of a path from an octal number.

#include <cctype>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

int
main(int argc, char *argv[])
{
	if (argc != 3) {
		fprintf(stderr, "args num error: %d\n,", argc);
		return 1;
	}

	// "%o" gives no defined value for text without an octal digit or for
	// one wider than mode_t, and a minus sign wraps a value round to a
	// huge number with every special bit set: refuse those before
	// converting.  Leading zeros add no bits; 32 bits hold at most 11
	// octal digits, the first of them no more than 3.
	const char *s = argv[2];
	while (isspace((unsigned char)*s))
		s++;
	bool negative = *s == '-';
	if (*s == '-' || *s == '+')
		s++;
	size_t digits = strspn(s, "01234567");
	s += strspn(s, "0");
	size_t significant = strspn(s, "01234567");
	if (digits == 0 || (negative && significant > 0) || significant > 11 ||
	    (significant == 11 && *s > '3')) {
		fprintf(stderr, "invalid mode: %s\n", argv[2]);
		return 1;
	}

	mode_t mode;
	sscanf(argv[2], "%o", &mode);

	// The platform keeps the permission and special bits of mode.
	int ret = chmod(argv[1], mode);
	if (ret == -1) {
		perror("chmod");
		return 1;
	}
	return 0;
}
