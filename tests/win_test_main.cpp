// Entry point of the Windows tests under Wine.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>
#include <ctime>

int wmain(int argc, wchar_t** argv) {
  // msvcrt misreads Linux TZ values inherited from Wine; an empty TZ makes it follow Win32.
  _putenv("TZ=");
  _tzset();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
