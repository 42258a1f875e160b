// Built in place of the map-tool tests when libosmium was not found at
// configure time: the tests are reported as skipped rather than left out
// silently.
#include <gtest/gtest.h>

TEST(MapTools, NeedLibosmium)
{
    GTEST_SKIP() << "korvane-tool was not built: install libosmium2-dev and configure again";
}
