// SPDX-FileCopyrightText: 2026 The Veltrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

void FuzzFailure(const char *condition, const std::string &what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", file, line, condition, what.c_str());
    std::fflush(stderr);
    std::abort();
}

namespace {

struct Folder {
    std::string path;
    Folder()
    {
        // In memory where the machine has it: targets write a file per input.
        const char *tmp = std::getenv("TMPDIR");
        std::string base = "/tmp";
        if (tmp && *tmp)
            base = tmp;
        else if (access("/dev/shm", W_OK) == 0)
            base = "/dev/shm";
        std::string pattern = base + "/veltrix-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            FuzzFailure("mkdtemp", pattern, __FILE__, __LINE__);
        path = pattern;
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::string &FuzzFolder()
{
    static const Folder folder;
    return folder.path;
}

std::string WriteFuzzFile(const char *name, const uint8_t *data, size_t size)
{
    const std::string path = FuzzFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(data), std::streamsize(size));
    out.close();
    FUZZ_CHECK(out.good(), "cannot write " + path);
    return path;
}

std::string ReadWholeFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
