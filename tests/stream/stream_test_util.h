#pragma once
// Helpers for the stream tests: a private temporary folder and whole-file I/O.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "runtime/string.h"
#include "stream/stream_module.h"

namespace vellum::test {

// A test with its own empty folder, removed afterwards, and the module started.
class StreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitStreamModule();
        std::random_device seed;
        dir_ = std::filesystem::temp_directory_path() /
               ("vellum-stream-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // The path of name in the test's folder, as a string url.
    String Path(const std::string& name) const { return FromUtf8((dir_ / name).string()); }

    void WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }

    std::string ReadFile(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir_;
};

}  // namespace vellum::test
