#pragma once
// Shared fixtures of the shell tests: an installation folder of its own for each test (AppPath,
// Config, the Pics folder), pictures told apart by their width, the errors the program's error
// report received, and waiting while the event loop runs.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/QtTestSupport.h"

namespace corvane::test {

// The messages the error report received since the last call, oldest first.
std::vector<std::string> TakeReportedErrors();

// A picture file whose width tells it apart: WidthOf(index) pixels wide, 12 high.
int32_t PictureWidth(int index);
void WritePicture(const std::filesystem::path& file, int index);

// A fresh installation folder for one test: AppPath points to it, its Pics folder exists, and
// the cycle state is back at its start values. Config is made by UseConfig (after the test has
// written config.ini); everything is undone at the end.
class TShellTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    const std::filesystem::path& Folder() const { return FFolder; }
    std::filesystem::path Pics() const { return FFolder / "Pics"; }
    void WriteConfig(const std::string& text);
    // Creates Config on the folder's config.ini, then the lists as start-up does.
    void StartUp();

  private:
    std::filesystem::path FFolder;
};

}  // namespace corvane::test
