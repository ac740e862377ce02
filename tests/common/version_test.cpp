#include "common/version.h"
#include "version_config.h"

#include <gtest/gtest.h>

using namespace lexicana;

TEST(Version, ProductVersionIsTheBuildsProjectVersion)
{
    EXPECT_EQ(GetProductVersion(), LEXICANA_VERSION);
    EXPECT_FALSE(GetProductVersion().empty());
    EXPECT_NE(GetLegalNotice().find("Copyright"), std::string::npos);
}
