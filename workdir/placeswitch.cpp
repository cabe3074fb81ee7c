// SPDX-License-Identifier: ISC
// placeswitch: print the working directory, change it to the directory
// named on the command line, and print it again.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

int
main(int argc, char *argv[])
{
	if (argc != 2) {
		fprintf(stderr, "args num error: %d\n,", argc);
		return 1;
	}

	// Both queries share the buffer; a path needs its NUL to fit, so
	// 1023 bytes is the longest working directory shown.
	char path[1024];
	memset(path, 0, sizeof path);
	char *ret = getcwd(path, sizeof path);
	if (ret == nullptr) {
		perror("getcwd");
		return 1;
	}
	printf("切换前当前工作目录是: %s\n", path);

	// From here on a failure follows a line still in the buffer: it goes
	// out first, so that a log of both streams keeps their order, and the
	// call's own error is kept for the message.
	int ret2 = chdir(argv[1]);
	if (ret2 == -1) {
		int err = errno;
		fflush(stdout);
		errno = err;
		perror("chdir");
		return 1;
	}

	char *ret3 = getcwd(path, sizeof path);
	if (ret3 == nullptr) {
		int err = errno;
		fflush(stdout);
		errno = err;
		perror("getcwd");
		return 1;
	}
	printf("切换后的工作目录是: %s\n", path);

	if (fflush(stdout) == EOF || ferror(stdout)) {
		perror("write error");
		return 1;
	}
	return 0;
}
