// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// The Win32 window procedure: nothing escapes from the handling of any
// message, not only from the design's handlers.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "runtime/win32/win32_form.hpp"
#include "tests/support/sample_design.hpp"

namespace {

// The picture is loaded again for the new DPI, from an image that is not one.
TEST(WindowProcedureTest, AFailureWhileHandlingAMessageEndsTheProgramWithItsMessage) {
  rt::forms::FormDesign design = testsupport::sample::SampleDesign();
  design.picture = rt::forms::PictureDesign{{u"sample.jpg"}, 0, 0};
  testsupport::sample::SampleHandlers handlers;
  std::u16string shown;
  rt::win32::Win32Form form(design, handlers, testsupport::sample::SampleApp(),
                            [&shown](HWND, std::u16string_view caption, std::u16string_view text) {
                              shown += std::u16string(caption) + u": " + std::u16string(text);
                            });
  ASSERT_TRUE(form.Load());
  form.Show();
  RECT suggested{0, 0, 100, 100};
  SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(shown, u"Sample: cannot decode the picture: unknown format");
  EXPECT_EQ(std::tuple(form.ended(), form.exit_code(), form.window()),
            std::tuple(true, rt::forms::kRunTimeErrorExitCode, HWND{nullptr}));
}

}  // namespace
