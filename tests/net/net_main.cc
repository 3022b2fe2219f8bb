// main() of the network tests: builds this process's lab and enters it before any thread.
#include <gtest/gtest.h>

#include "lab.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (gtest_discover_tests does it at build time) needs no lab.
  if (!GTEST_FLAG_GET(list_tests)) netlab::Lab::Enter("yl");
  return RUN_ALL_TESTS();
}
