// SPDX-License-Identifier: GPL-2.0-or-later
// A file system for the end-to-end tests: the files of a folder, except
// that every read of one of them waits, as on a network share whose server
// stopped answering or a disk that is spinning up. SLOW-NAME "." makes the
// listing of the folder itself wait instead.
//
// Usage: lumarin-slowfs FOLDER SLOW-NAME SECONDS MOUNTPOINT [FUSE OPTIONS]

#define FUSE_USE_VERSION 31
#include <fuse.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::string folder;
std::string slowName;
unsigned slowSeconds = 0;

std::string source(const char *path)
{
    return folder + path;
}

// A killed reader's request is interrupted, as a network file system lets
// a killed process go; otherwise the kernel would keep the process until
// the read is answered, whatever the process did.
void *init(fuse_conn_info *, fuse_config *config)
{
    config->intr = 1;
    return nullptr;
}

int getattr(const char *path, struct stat *status, fuse_file_info *)
{
    return lstat(source(path).c_str(), status) == 0 ? 0 : -errno;
}

int readdir(const char *path, void *buffer, fuse_fill_dir_t fill, off_t, fuse_file_info *, fuse_readdir_flags)
{
    if (slowName == "." && std::string(path) == "/" && sleep(slowSeconds) != 0)
        return -EINTR;
    DIR *dir = opendir(source(path).c_str());
    if (!dir)
        return -errno;
    while (const dirent *entry = ::readdir(dir))
        fill(buffer, entry->d_name, nullptr, 0, fuse_fill_dir_flags(0));
    closedir(dir);
    return 0;
}

int open(const char *path, fuse_file_info *file)
{
    const int fd = ::open(source(path).c_str(), O_RDONLY);
    if (fd < 0)
        return -errno;
    file->fh = std::uint64_t(fd);
    file->direct_io = 1; // every read comes here, none from the page cache
    return 0;
}

int read(const char *path, char *buffer, size_t size, off_t offset, fuse_file_info *file)
{
    // A reader that is killed ends the wait (see init).
    if (std::string(path) == "/" + slowName && sleep(slowSeconds) != 0)
        return -EINTR;
    const ssize_t got = pread(int(file->fh), buffer, size, offset);
    return got < 0 ? -errno : int(got);
}

int release(const char *, fuse_file_info *file)
{
    close(int(file->fh));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fputs("usage: lumarin-slowfs FOLDER SLOW-NAME SECONDS MOUNTPOINT [FUSE OPTIONS]\n", stderr);
        return 2;
    }
    folder = argv[1];
    slowName = argv[2];
    slowSeconds = unsigned(std::atoi(argv[3]));
    fuse_operations operations{};
    operations.init = init;
    operations.getattr = getattr;
    operations.readdir = readdir;
    operations.open = open;
    operations.read = read;
    operations.release = release;
    // The program's name and the mount point with its options, for fuse.
    argv[3] = argv[0];
    return fuse_main(argc - 3, argv + 3, &operations, nullptr);
}
