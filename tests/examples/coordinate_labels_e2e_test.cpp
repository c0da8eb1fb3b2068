// coordinate-labels.exe, the example built on the exchange library and the program shell alone, run as
// Jw_cad runs it: in a folder of its own beside the exchange file, without a window.
#include <gtest/gtest.h>

#include <filesystem>

#include "program_driver.h"
#include "test_support.h"

namespace {

using test_support::ReadBytes;
using test_support::WriteBytes;

TEST(CoordinateLabels, WritesEachIndicatedPointsCoordinatesBesideIt) {
  test_support::TempDir folder;
  std::filesystem::copy_file(e2e::HostPath(COORDINATE_LABELS_EXE), folder.path() / "coordinate-labels.exe");
  // Scale 1:50, so the texts stand 50 (one paper millimetre) right of and above their points. The
  // second point drew a temporary line to the third; the fourth is numbered past a gap.
  WriteBytes(folder.path() / "JWC_TEMP.TXT",
             "hq\r\n"
             "hs 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50 50\r\n"
             "hp1 0 0\r\n"
             "hp2- -1250.5 300\r\n"
             "hp3 100 0.25\r\n"
             "hp5 1e+06 -7\r\n"
             "lg0\r\n");

  e2e::ProgramRun run(folder.path() / "coordinate-labels.exe");
  ASSERT_TRUE(run.WaitForExit()) << "the program did not end on its own";
  EXPECT_EQ(run.MessageBox(), nullptr);
  EXPECT_EQ(run.ExitCode(), 0u);
  EXPECT_EQ(ReadBytes(folder.path() / "JWC_TEMP.TXT"),
            "ch 50 50 1 0 \"(0, 0)\r\n"
            "ch -1200.5 350 1 0 \"(-1250.5, 300)\r\n"
            "ch 150 50.25 1 0 \"(100, 0.25)\r\n"
            "ch 1000050 43 1 0 \"(1000000, -7)\r\n");
}

}  // namespace
