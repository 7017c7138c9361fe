// Copies SOURCE into the folder DEST with the explorer's transfer engine (staging, no-replace
// publish) and prints the wall time in milliseconds, including a sync of the destination.
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "fileops/transfer.hpp"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_copy SOURCE DEST_FOLDER\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    auto outcome = file_explorer::transfer(argv[1], argv[2], file_explorer::TransferMode::Copy);
    if (!outcome) {
        std::fprintf(stderr, "copy failed: %s\n", outcome.error().c_str());
        return 1;
    }
    int fd = ::open(argv[2], O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f\n", ms);
    return 0;
}
