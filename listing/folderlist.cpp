// SPDX-License-Identifier: ISC
// folderlist: print every entry that a directory stream yields, one line per
// entry with the raw fields of its record, in the order the stream gives.

#include <cerrno>
#include <cstdio>

#include <dirent.h>

int
main(int argc, char *argv[])
{
	if (argc != 2) {
		fprintf(stderr, "args num error: %d\n,", argc);
		return 1;
	}

	DIR *dirp = opendir(argv[1]);
	if (dirp == nullptr) {
		perror("opendir");
		return 1;
	}

	// readdir yields no entry both at the end and on a read error; only
	// errno tells the two apart, so it is cleared before every call.
	// Each entry is printed as it comes and nothing is kept.
	struct dirent *dp;
	for (;;) {
		errno = 0;
		dp = readdir(dirp);
		if (dp == nullptr)
			break;
		if (printf("inode num = %lu offset = %ld reclen = %hu type = %u"
		    " file name = %s\n", dp->d_ino, dp->d_off, dp->d_reclen,
		    dp->d_type, dp->d_name) < 0) {
			// Report now: the next readdir clears errno.
			perror("write error");
			closedir(dirp);
			return 1;
		}
	}
	if (errno != 0) {
		// The lines listed go out before the message, so that a log of
		// both streams keeps their order; the read's error is kept.
		int err = errno;
		fflush(stdout);
		errno = err;
		perror("readdir");
		closedir(dirp);
		return 1;
	}

	int ret = closedir(dirp);
	if (ret == -1) {
		int err = errno;
		fflush(stdout);
		errno = err;
		perror("closedir");
		return 1;
	}

	// The last lines are still in the buffer: a full disk or a closed
	// descriptor shows only when they are written out.
	if (fflush(stdout) == EOF) {
		perror("write error");
		return 1;
	}
	return 0;
}
