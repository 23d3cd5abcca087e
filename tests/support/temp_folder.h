#pragma once
// A fresh folder under the temporary directory, removed with everything in it at scope end; the
// same natively and under Wine.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace yorimemo::testing {

class TempFolder {
public:
    // `stem` begins the folder's name, so a folder left behind says which tests made it.
    explicit TempFolder(const std::string& stem = "yorimemo-test") {
        static std::atomic<unsigned> counter{0};
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
            const std::filesystem::path candidate =
                base / (stem + "-" + std::to_string(stamp) + "-" + std::to_string(++counter));
            std::error_code error;
            // False when it already exists: another process or test has it.
            if (std::filesystem::create_directory(candidate, error)) {
                root_ = candidate;
                path_ = candidate.string();
                return;
            }
        }
        throw std::runtime_error("no temporary folder for " + stem);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return (root_ / name).string(); }

private:
    std::filesystem::path root_;
    std::string path_;
};

// The tests' folders have ASCII names, the same in every code page: widened for the program's
// UTF-16 paths.
inline std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace yorimemo::testing
