#include "platform/alias_registry.h"
#include "platform/engine.h"
#include "test_installation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace daxo::platform {
namespace {

TEST(AliasRegistry, AddSaveReloadRemove)
{
    testing::TempFolder dir;
    const auto file = dir.path() / "cfg" / "aliases.cfg";
    {
        AliasRegistry r(file);
        EXPECT_FALSE(r.exists("DAXOBR"));
        r.addStandard("DAXOBR", "/opt/daxo/Bases", "DBASE");
        EXPECT_THROW(r.addStandard("daxobr", "/x", "DBASE"), EngineError);
        r.save();
    }
    AliasRegistry again(file);
    ASSERT_TRUE(again.exists("daxoBR"));
    EXPECT_EQ(again.find("DAXOBR")->path, "/opt/daxo/Bases");
    EXPECT_EQ(again.find("DAXOBR")->driver, "DBASE");
    again.remove("daxobr");
    EXPECT_THROW(again.remove("DAXOBR"), EngineError);
    again.save();
    EXPECT_FALSE(AliasRegistry(file).exists("DAXOBR"));
}

TEST(AliasRegistry, LocationFromTheEnvironmentAndUnwritableFile)
{
    testing::TempFolder dir;
    const auto file = dir.path() / "engine.cfg";
    ::setenv("DAXO_ENGINE_CONFIG", file.c_str(), 1);
    EXPECT_EQ(AliasRegistry::defaultFile(), file);
    ::unsetenv("DAXO_ENGINE_CONFIG");

    std::ofstream(dir.path() / "arquivo") << "x";
    AliasRegistry r(dir.path() / "arquivo" / "aliases.cfg");
    r.addStandard("DAXOBR", "/x", "DBASE");
    EXPECT_THROW(r.save(), EngineError);
}

} // namespace
} // namespace daxo::platform
