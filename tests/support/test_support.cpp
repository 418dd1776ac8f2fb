#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/null/null_platform.h"

namespace fs = std::filesystem;

namespace {

long current_process_id() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

// Removes dir even when a test left read-only files or folders in it (Windows
// will not delete a read-only file, whoever asks).
void force_remove(const fs::path& dir) {
    std::error_code ignored;
    if (!fs::exists(dir, ignored)) return;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(dir, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir, ignored);
}

}  // namespace

ScratchDir::ScratchDir() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "scratch";
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.') c = '_';
    // The process id keeps two runs of the same case (two builds' suites run
    // side by side) out of each other's way.
    const fs::path dir = fs::temp_directory_path() / ("waxdrop-" + std::to_string(current_process_id()) + "-" + name);
    force_remove(dir);
    fs::create_directories(dir / "media");
    path_ = dir.string();
    const std::u16string exe = (dir / "waxdrop.exe").u16string();
    null_files.module_name = exe;
}

ScratchDir::~ScratchDir() { force_remove(path_); }

std::string ScratchDir::media(const std::string& name) const { return (fs::path(path_) / "media" / name).string(); }

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool file_exists(const std::string& path) { return fs::exists(path); }

std::u16string u16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
