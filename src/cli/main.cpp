// lexicana-convert: runs a conversion of a set file without a window.
#include <cstdio>
#include <cstring>

#include "common/version.h"

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-v") == 0)) {
        std::printf("Lexicana version %s\n", lexicana::GetProductVersion().c_str());
        return 0;
    }
    std::fprintf(stderr, "usage: lexicana-convert --version\n");
    return 2;
}
