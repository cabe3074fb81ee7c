// SPDX-License-Identifier: ISC
// folderdrop: remove one empty directory.

#include <cstdio>

#include <unistd.h>

int
main(int argc, char *argv[])
{
	if (argc != 2) {
		fprintf(stderr, "args num error: %d\n,", argc);
		return 1;
	}

	int ret = rmdir(argv[1]);
	if (ret == -1) {
		perror("rmdir");
		return 1;
	}
	return 0;
}
