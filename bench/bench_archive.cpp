// Extracts an archive or compresses one item with the explorer's archive code and prints the wall
// time in milliseconds.
//   bench_archive extract ARCHIVE DESTINATION   (DESTINATION must not exist yet)
//   bench_archive compress ITEM FOLDER          (writes the ZIP into FOLDER)
#include <chrono>
#include <cstdio>
#include <cstring>

#include "fileops/archive.hpp"

int main(int argc, char** argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "extract") != 0 && std::strcmp(argv[1], "compress") != 0)) {
        std::fprintf(stderr, "usage: bench_archive extract ARCHIVE DESTINATION | compress ITEM FOLDER\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    if (std::strcmp(argv[1], "extract") == 0) {
        auto extracted = file_explorer::extract_archive(argv[2], argv[3]);
        if (!extracted) {
            std::fprintf(stderr, "extract failed: %s\n", extracted.error().c_str());
            return 1;
        }
    } else {
        auto created = file_explorer::compress_to_zip({argv[2]}, argv[3]);
        if (!created) {
            std::fprintf(stderr, "compress failed: %s\n", created.error().c_str());
            return 1;
        }
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.1f\n", ms);
    return 0;
}
