// The data alias, the screen check, the exit clean-up and the "Aguarde" cycle.
#include "app/startup_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace daxo::app;
namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/daxo-app-XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }
    fs::path touch(const fs::path& relative) const
    {
        fs::create_directories((path_ / relative).parent_path());
        std::ofstream(path_ / relative) << "x";
        return path_ / relative;
    }

private:
    fs::path path_;
};

class AliasTest : public testing::Test {
protected:
    TempFolder program;
    TempFolder config;
    fs::path configFile = config.path() / "aliases.cfg";

    void SetUp() override
    {
        setenv("DAXO_ENGINE_CONFIG", configFile.c_str(), 1);
        fs::create_directory(program.path() / "Bases");
    }
    void TearDown() override { unsetenv("DAXO_ENGINE_CONFIG"); }

    void start()
    {
        daxo::platform::AliasRegistry registry;
        registerDataAlias(registry, program.path());
    }
    std::string configText() const
    {
        std::ifstream in(configFile);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::optional<daxo::platform::Alias> saved() const
    {
        return daxo::platform::AliasRegistry(configFile).find("DAXOBR");
    }
};

TEST_F(AliasTest, FirstStartRegistersTheBasesFolder)
{
    ASSERT_FALSE(saved());
    start();
    const auto alias = saved();
    ASSERT_TRUE(alias);
    EXPECT_EQ(alias->driver, "DBASE");
    EXPECT_EQ(alias->path, program.path() / "Bases");
    EXPECT_FALSE(fs::exists(program.path() / "alias_.ini"));
}

TEST_F(AliasTest, AliasOfAnotherFolderIsRegisteredAgainAndOneOfThisFolderIsLeftAlone)
{
    {
        daxo::platform::AliasRegistry registry;
        registry.addStandard("DAXOBR", "/outra/instalacao/Bases", "DBASE");
        registry.addStandard("OUTRO", "/outro/lugar", "DBASE");
        registry.save();
    }
    start();
    EXPECT_EQ(saved()->path, program.path() / "Bases");
    EXPECT_EQ(daxo::platform::AliasRegistry(configFile).find("OUTRO")->path, fs::path("/outro/lugar"));
    EXPECT_FALSE(fs::exists(program.path() / "alias_.ini"));

    // This folder written another way is this folder: the configuration is
    // not rewritten.
    {
        daxo::platform::AliasRegistry registry;
        registry.remove("DAXOBR");
        registry.addStandard("DAXOBR", program.path() / "." / "Bases" / "", "DBASE");
        registry.save();
    }
    const std::string before = configText();
    start();
    EXPECT_EQ(configText(), before);
}

TEST_F(AliasTest, MarkerReRegistersOnceAndIsRenamed)
{
    {
        daxo::platform::AliasRegistry registry;
        registry.addStandard("DAXOBR", program.path() / "Bases", "DBASE");
        registry.addStandard("OUTRO", "/outro/lugar", "DBASE");
        registry.save();
    }
    program.touch("alias.ini");
    start();
    // Removed and added again: it now follows the other alias.
    ASSERT_EQ(configText(), "[OUTRO]\nDRIVER=DBASE\nPATH=/outro/lugar\n[DAXOBR]\nDRIVER=DBASE\nPATH=" +
                                (program.path() / "Bases").string() + "\n");
    EXPECT_FALSE(fs::exists(program.path() / "alias.ini"));
    EXPECT_TRUE(fs::exists(program.path() / "alias_.ini"));

    // The next start leaves the alias alone.
    const std::string before = configText();
    start();
    EXPECT_EQ(configText(), before);
}

TEST_F(AliasTest, MarkerStaysWhenTheRenamedOneExists)
{
    program.touch("alias.ini");
    program.touch("alias_.ini");
    start();
    EXPECT_TRUE(fs::exists(program.path() / "alias.ini"));
    EXPECT_EQ(saved()->path, program.path() / "Bases");
}

TEST_F(AliasTest, BasesFolderIsFoundWhateverItsLetterCase)
{
    fs::remove(program.path() / "Bases");
    fs::create_directory(program.path() / "bases");
    start();
    EXPECT_EQ(saved()->path, program.path() / "bases");
}

TEST(Resolution, OnlyTheWidthBelow800IsRefused)
{
    EXPECT_EQ(resolutionMessage(799), "Resolução mínima recomendade é de 800 x 600");
    EXPECT_FALSE(resolutionMessage(800));
    EXPECT_FALSE(resolutionMessage(1920));
}

TEST(ExitCleanUp, RemovesGeneratedFilesOfTheProgramFolderOnly)
{
    TempFolder program;
    const fs::path p = program.path();
    const std::vector<fs::path> gone = {
        program.touch("tempmapa.shp"), program.touch("tempmapa.SHX"), program.touch("Relatorio1.html"),
        program.touch("Relatorio1.xls"), program.touch("x.mdx"), program.touch("bases/temp.DBF"),
        program.touch("bases/TEMPER.DBF")};
    const std::vector<fs::path> kept = {
        program.touch("bases/UF.DBF"), program.touch("bases/Indicadores2000.dbf"), program.touch("bases/temper.dbf.bak"),
        program.touch("Mapas/Brasil.shp"), program.touch("Mapas/Estados/ind_Acre.shp"),
        program.touch("Indicadores_arquivos/Indicadores.htm"), program.touch("logo-DAXO-inf.jpg"),
        program.touch("relatorio.htm"), program.touch("pasta.dbf/dentro.txt")};
    cleanProgramFolder(p);
    for (const auto& f : gone)
        EXPECT_FALSE(fs::exists(f)) << f;
    for (const auto& f : kept)
        EXPECT_TRUE(fs::exists(f)) << f;
    EXPECT_TRUE(fs::is_directory(p / "pasta.dbf"));
}

TEST(ExitCleanUp, MissingFolderIsNoError)
{
    EXPECT_NO_THROW(cleanProgramFolder("/tmp/daxo-nao-existe-xyz"));
    const auto files = collectGeneratedFiles("/tmp/daxo-nao-existe-xyz");
    ASSERT_EQ(files.size(), 2u);   // the work table and its chart copy, always looked at
    EXPECT_EQ(files[0].filename(), "temp.DBF");
    EXPECT_EQ(files[1].filename(), "temper.dbf");
}

TEST(WaitingAnimation, CyclesThroughTheFourLabels)
{
    EXPECT_EQ(nextAguarde(-1), 0);
    EXPECT_EQ(nextAguarde(0), 1);
    EXPECT_EQ(nextAguarde(2), 3);
    EXPECT_EQ(nextAguarde(3), 0);
    EXPECT_STREQ(kAguarde[3], "Aguarde...");
}

} // namespace
