// SPDX-License-Identifier: ISC
// foldermake: create one directory, mode 0777 less the umask.

#include <cstdio>

#include <sys/stat.h>

int
main(int argc, char *argv[])
{
	if (argc != 2) {
		fprintf(stderr, "args num error: %d\n,", argc);
		return 1;
	}

	// Only the last component is made; a missing parent is an error.
	int ret = mkdir(argv[1], 0777);
	if (ret == -1) {
		perror("mkdir");
		return 1;
	}
	return 0;
}
