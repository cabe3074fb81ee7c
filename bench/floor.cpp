// SPDX-License-Identifier: ISC
// The floor for folderlist: the same lines, with the directory read by
// getdents64 into a large buffer and every line formatted by hand into a
// large output buffer, so that nothing but the kernel's work remains.
// Built with -DPRINTF_LINES it writes each line with printf instead, which
// tells printf's share of folderlist's time from the rest.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

struct linux_dirent64 {
	uint64_t d_ino;
	int64_t d_off;
	unsigned short d_reclen;
	unsigned char d_type;
	char d_name[];
};

static char in[1 << 20];
static char out[1 << 20];
static size_t used;

static void
flush()
{
	for (size_t done = 0; done < used;) {
		ssize_t n = write(1, out + done, used - done);
		if (n < 0) {
			perror("write");
			_exit(1);
		}
		done += n;
	}
	used = 0;
}

static void
put(const char *s, size_t n)
{
	memcpy(out + used, s, n);
	used += n;
}

[[maybe_unused]] static void
putu(uint64_t v)
{
	char digits[20];
	int i = sizeof digits;
	do
		digits[--i] = '0' + v % 10;
	while (v /= 10);
	put(digits + i, sizeof digits - i);
}

#define PUTS(s) put(s, sizeof(s) - 1)

int
main(int argc, char *argv[])
{
	if (argc != 2) {
		fprintf(stderr, "usage: floor directory\n");
		return 1;
	}
	int fd = open(argv[1], O_RDONLY | O_DIRECTORY);
	if (fd == -1) {
		perror("open");
		return 1;
	}
	for (;;) {
		long n = syscall(SYS_getdents64, fd, in, sizeof in);
		if (n == -1) {
			perror("getdents64");
			return 1;
		}
		if (n == 0)
			break;
		for (long pos = 0; pos < n;) {
			auto *d = reinterpret_cast<linux_dirent64 *>(in + pos);
			pos += d->d_reclen;
#ifdef PRINTF_LINES
			printf("inode num = %lu offset = %ld reclen = %hu type = %u"
			    " file name = %s\n", d->d_ino, d->d_off, d->d_reclen,
			    d->d_type, d->d_name);
#else
			if (used > sizeof out - 512)
				flush();
			PUTS("inode num = ");
			putu(d->d_ino);
			PUTS(" offset = ");
			if (d->d_off < 0) {
				PUTS("-");
				putu(-static_cast<uint64_t>(d->d_off));
			} else
				putu(d->d_off);
			PUTS(" reclen = ");
			putu(d->d_reclen);
			PUTS(" type = ");
			putu(d->d_type);
			PUTS(" file name = ");
			put(d->d_name, strlen(d->d_name));
			PUTS("\n");
#endif
		}
	}
	flush();
	close(fd);
	return fflush(stdout) == EOF;
}
