#pragma once
// Helpers shared by the suites: a scratch folder per test and byte access.

#include <cstdint>
#include <string>
#include <vector>

// A fresh empty folder for the running test, removed again by its destructor.
// The null platform's executable is placed in it, so media_path() resolves to
// <folder>/media/<name>; the media folder itself is created.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string media(const std::string& name) const;

private:
    std::string path_;
};

std::vector<uint8_t> read_file(const std::string& path);
void write_file(const std::string& path, const std::vector<uint8_t>& bytes);
bool file_exists(const std::string& path);
std::u16string u16(const std::string& ascii);
