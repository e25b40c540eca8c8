// deleteme.exe: takes its whole command line as one path, waits until the file is free, then deletes it.
#include <gtest/gtest.h>

#include "Velmora.h"

TEST(Deleteme, DeletesAFileWithSpacesOnceReleased) {
  const std::string folder = MakeScratchFolder("deleteme\\with spaces in it");
  const std::string target = JoinPath(folder, "cipher file 表.EXE");
  WriteWholeFile(target, "payload");
  CHeldFile held(target);
  CTestProcess deleteme;
  deleteme.Start(Quote(DeletemePath()) + " " + target, folder);
  Sleep(1500);
  EXPECT_TRUE(FileExists(target)) << "deleted while still in use";
  EXPECT_TRUE(deleteme.IsRunning());
  held.Release();
  EXPECT_EQ(deleteme.WaitForExitCode(15000), 0u);
  EXPECT_FALSE(FileExists(target));
}

TEST(Deleteme, MissingFileEndsAtOnce) {
  const std::string folder = MakeScratchFolder("deleteme\\missing");
  CTestProcess deleteme;
  deleteme.Start(Quote(DeletemePath()) + " " + JoinPath(folder, "nothing here.EXE"), folder);
  EXPECT_TRUE(deleteme.WaitForExit(5000));
}
