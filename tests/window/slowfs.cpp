// SPDX-License-Identifier: GPL-3.0-or-later
// A FUSE file system whose folder stops answering on command, as a network folder does when its
// server goes down. It holds one scheme, /x.dis. Commands on standard input, one per line:
// "readdir" blocks every listing of the folder, "stat" every look at /x.dis (as a hard NFS
// mount blocks a stat), "go" answers everything blocked and blocks nothing more. It prints
// "ready" once mounted. When the thread that started it ends (the test's main thread, at the
// test's end) it answers everything blocked: a thread blocked in a FUSE request that the server
// has taken cannot die before it is answered, so the test process could not end before. When
// standard input ends (the test process is gone) it unmounts, removes the mount point and
// ends. Arguments: the mount point, an empty folder.
#define FUSE_USE_VERSION 31
#include <fuse3/fuse.h>

#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <mutex>
#include <pthread.h>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* Scheme = "#-#\n###\n";

std::mutex mutex;
std::condition_variable released;
bool blockListing = false;
bool blockLook = false;

// Waits while the blocking flag is set.
void waitWhile(const bool& blocking)
{
    std::unique_lock lock(mutex);
    released.wait(lock, [&blocking] { return !blocking; });
}

void* init(fuse_conn_info*, fuse_config* config)
{
    // Nothing is cached by the kernel: every stat and listing comes here.
    config->entry_timeout = 0;
    config->attr_timeout = 0;
    config->negative_timeout = 0;
    config->direct_io = 1;
    return nullptr;
}

int getattr(const char* path, struct stat* info, fuse_file_info*)
{
    std::memset(info, 0, sizeof *info);
    if (std::strcmp(path, "/") == 0) {
        info->st_mode = S_IFDIR | 0755;
        info->st_nlink = 2;
        return 0;
    }
    if (std::strcmp(path, "/x.dis") == 0) {
        waitWhile(blockLook);
        info->st_mode = S_IFREG | 0644;
        info->st_nlink = 1;
        info->st_size = static_cast<off_t>(std::strlen(Scheme));
        return 0;
    }
    return -ENOENT;
}

int readdir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*, fuse_readdir_flags)
{
    if (std::strcmp(path, "/") != 0)
        return -ENOENT;
    waitWhile(blockListing);
    fill(buffer, ".", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, "..", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, "x.dis", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    return 0;
}

int open(const char* path, fuse_file_info*)
{
    return std::strcmp(path, "/x.dis") == 0 ? 0 : -ENOENT;
}

int read(const char*, char* buffer, size_t size, off_t offset, fuse_file_info*)
{
    const auto length = static_cast<off_t>(std::strlen(Scheme));
    if (offset >= length)
        return 0;
    const size_t count = std::min(size, static_cast<size_t>(length - offset));
    std::memcpy(buffer, Scheme + offset, count);
    return static_cast<int>(count);
}

void setBlocking(bool listing, bool look)
{
    const std::lock_guard lock(mutex);
    blockListing = listing;
    blockLook = look;
    released.notify_all();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: slowfs MOUNTPOINT\n", stderr);
        return 2;
    }
    // SIGHUP comes when the starting thread ends; a thread of its own waits for it, so every
    // thread made after this point has it blocked.
    sigset_t hangUp;
    sigemptyset(&hangUp);
    sigaddset(&hangUp, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &hangUp, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGHUP);
    std::thread([hangUp] {
        int signal = 0;
        sigwait(&hangUp, &signal);
        setBlocking(false, false);
    }).detach();

    fuse_operations operations {};
    operations.init = init;
    operations.getattr = getattr;
    operations.readdir = readdir;
    operations.open = open;
    operations.read = read;
    // auto_unmount: should this program be killed (the test timed out), fusermount3 unmounts
    // the folder all the same.
    char name[] = "slowfs";
    char option[] = "-o";
    char autoUnmount[] = "auto_unmount";
    char* fuseArgv[] = {name, option, autoUnmount, nullptr};
    fuse_args args = FUSE_ARGS_INIT(3, fuseArgv);
    fuse* fs = fuse_new(&args, &operations, sizeof operations, nullptr);
    if (!fs || fuse_mount(fs, argv[1]) != 0) {
        std::printf("error: cannot mount a FUSE file system on %s\n", argv[1]);
        std::fflush(stdout);
        return 1;
    }
    // Several requests at once: one blocked request must not hold up the others.
    std::thread loop([fs] { fuse_loop_mt(fs, 0); });
    std::printf("ready\n");
    std::fflush(stdout);

    std::string command;
    while (std::getline(std::cin, command)) {
        if (command == "readdir")
            setBlocking(true, false);
        else if (command == "stat")
            setBlocking(false, true);
        else if (command == "go")
            setBlocking(false, false);
    }
    setBlocking(false, false);
    // The unmount ends the loop: its read of the FUSE device fails.
    fuse_exit(fs);
    fuse_unmount(fs);
    loop.join();
    fuse_destroy(fs);
    ::rmdir(argv[1]);
    return 0;
}
