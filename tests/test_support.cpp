#include "test_support.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    // Test processes run side by side: a name is taken only by the process that
    // created the folder, so two tests never share one.
    static std::atomic<int> counter{0};
    std::random_device random;
    fs::path base = fs::temp_directory_path();
    for (;;) {
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        fs::path p = base / ("tallymax_test_" + std::to_string(stamp) + "_" +
                             std::to_string(random()) + "_" + std::to_string(counter++));
        if (fs::create_directory(p)) {
            path_ = p.generic_string();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
