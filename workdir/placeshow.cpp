// SPDX-License-Identifier: ISC
// placeshow: print the absolute path of the current working directory.

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

int
main()
{
	// No limit on the length: libc allocates a buffer that fits.
	char *path = getcwd(nullptr, 0);
	if (path == nullptr) {
		perror("getcwd");
		return 1;
	}

	printf("当前工作目录是：%s\n", path);
	free(path);

	if (fflush(stdout) == EOF || ferror(stdout)) {
		perror("write error");
		return 1;
	}
	return 0;
}
