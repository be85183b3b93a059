// Whole programs on RunProgram: the exit code and the message of each way a
// program can end.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

struct HandleClose {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleClose>;

struct Ending {
  const char* mode;
  DWORD exit_code;
  const char* shown;
};

class EndingTest : public ::testing::TestWithParam<Ending> {
 protected:
  void SetUp() override {
    directory_ = std::filesystem::temp_directory_path() /
                 ("rt_win32_ending_" + std::string(GetParam().mode) + "_" +
                  std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(directory_);
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  std::filesystem::path directory_;
};

std::filesystem::path ThisProgram() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path;
}

TEST_P(EndingTest, EndsWithItsCodeAfterShowingWhatWentWrong) {
  auto program = ThisProgram().parent_path() / "rt_win32_ending_program.exe";
  auto messages = directory_ / "messages.txt";
  std::wstring command = L"\"" + program.wstring() + L"\" " +
                         std::filesystem::path(GetParam().mode).wstring() + L" \"" +
                         messages.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &started))
      << "error " << GetLastError();
  Handle process(started.hProcess);
  Handle thread(started.hThread);
  // A bound for a hung program on a loaded machine, not a timing check.
  ASSERT_EQ(WaitForSingleObject(process.get(), 60'000), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, GetParam().exit_code);
  std::ifstream in(messages, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, EndingTest,
    ::testing::Values(Ending{"exit", 0, ""}, Ending{"close", 0, ""},
                      Ending{"fail", 1, "Sample: Run-time error '6':\n\nOverflow"},
                      Ending{"load-error", 1, "Sample: Run-time error '11':\n\nDivision by zero"}),
    [](const auto& row) {
      std::string name = row.param.mode;
      std::erase(name, '-');
      return name;
    });

}  // namespace
