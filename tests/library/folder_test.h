// A GoogleTest fixture with a folder of its own for each test, for the
// library's tests, which work through real files.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include <gtest/gtest.h>
#include <unistd.h>

namespace tavrinel::library::testing {

// A folder of its own for each test, made empty before it and removed after.
class FolderTest : public ::testing::Test {
  protected:
    explicit FolderTest(std::string prefix) : prefix_(std::move(prefix)) {}
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               (prefix_ + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::filesystem::path dir_;

  private:
    std::string prefix_;
};

}  // namespace tavrinel::library::testing
