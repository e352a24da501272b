// Entry point of the portable tests, natively and under Wine.
#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>

int main(int argc, char** argv) {
#ifdef _WIN32
  // msvcrt misreads Linux TZ values inherited from Wine; an empty TZ makes it follow Win32.
  _putenv("TZ=");
  _tzset();
#endif
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
