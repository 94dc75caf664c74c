#include "support/TempDir.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

TTempDir::TTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvex-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    Path_ = pattern;
    std::filesystem::permissions(Path_, std::filesystem::perms(0755));
}

TTempDir::~TTempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(Path_, ignored);
}

std::string TTempDir::File(const std::string& name) const
{
    return (Path_ / name).string();
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937_64 random(seed);
    std::string bytes(size, '\0');
    for (std::size_t at = 0; at < size; at += 8) {
        const uint64_t word = random();
        std::memcpy(bytes.data() + at, &word, std::min<std::size_t>(8, size - at));
    }
    return bytes;
}
