#include <gtest/gtest.h>

#include "toolkit/text.h"

TEST(Smoke, Builds) { EXPECT_EQ(qm::Text("中"), "\xD6\xD0"); }
