#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at
// the end of the test. Readable and traversable by everyone, so servers running as
// other users (smbd's guest account) can serve it.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return Path_; }
    // Path() / name as a string.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path Path_;
};

// Writes text or bytes to a file (creating its folder) and reads a whole file back.
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFileBytes(const std::filesystem::path& path);

// Bytes that differ at every offset and from seed to seed, so a block copied to the wrong
// place never passes for the right one.
std::string RandomBytes(std::size_t size, unsigned seed = 7);
