// The data module created at start-up over the alias's folder.
#include "app/data_module_setup.h"
#include "platform/alias_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace daxo::app;
namespace fs = std::filesystem;

namespace {

class DataModuleTest : public testing::Test {
protected:
    fs::path program;

    void SetUp() override
    {
        char pattern[] = "/tmp/daxo-dm-XXXXXX";
        program = mkdtemp(pattern);
        fs::create_directory(program / "Bases");
    }
    void TearDown() override
    {
        unsetenv("DAXO_ENGINE_CONFIG");
        fs::remove_all(program);
    }
};

TEST_F(DataModuleTest, OpensTheSessionOverTheRegisteredFolder)
{
    setenv("DAXO_ENGINE_CONFIG", (program / "aliases.cfg").c_str(), 1);
    criaDmDAXO(program);
    EXPECT_EQ(dmDAXO().SessionDAXO.dataFolder(), program / "Bases");
    EXPECT_TRUE(daxo::platform::AliasRegistry(program / "aliases.cfg").exists("DAXOBR"));
}

TEST_F(DataModuleTest, UnwritableConfigurationIsReportedButTheModuleExists)
{
    // A regular file where the configuration folder should be.
    std::ofstream(program / "arquivo") << "x";
    setenv("DAXO_ENGINE_CONFIG", (program / "arquivo" / "aliases.cfg").c_str(), 1);
    try {
        criaDmDAXO(program);
        ADD_FAILURE() << "no error reported";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("aliases"), std::string::npos) << e.what();
    }
    EXPECT_EQ(dmDAXO().SessionDAXO.dataFolder(), program / "Bases");
}

} // namespace
