// Bad input gives a clear Portuguese error and leaves the files as they were;
// files changed behind the engine are seen by the next statement.
#include "platform/engine.h"
#include "platform/safe_files.h"
#include "platform/session_impl.h"
#include "test_installation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace daxo::platform {
namespace {

namespace fs = std::filesystem;
using testing::makeInstallation;
using testing::readBytes;
using testing::TempFolder;

class EngineErrors : public ::testing::Test {
protected:
    TempFolder root;
    fs::path bases;
    std::unique_ptr<Session> session;

    void SetUp() override
    {
        makeInstallation(root.path());
        bases = root.path() / "Bases";
        session = std::make_unique<Session>(bases);
    }

    std::string errorOf(const std::string& sql, bool open = false)
    {
        Query q(*session);
        q.addLine(sql);
        try {
            open ? q.open() : static_cast<void>(q.execute());
        } catch (const EngineError& e) {
            return e.what();
        }
        return "";
    }

    Value single(const std::string& sql)
    {
        Query q(*session);
        q.addLine(sql);
        q.open();
        return q.eof() ? Value() : q.field(0);
    }
};

TEST_F(EngineErrors, MissingTableIsNamed)
{
    const std::string e = errorOf("SELECT * FROM Inexistente.dbf", true);
    EXPECT_NE(e.find("Tabela não encontrada"), std::string::npos) << e;
    EXPECT_NE(e.find("Inexistente.dbf"), std::string::npos) << e;
    EXPECT_NE(errorOf(" drop table \"nada.dbf\" ").find("Tabela não encontrada"), std::string::npos);
}

TEST_F(EngineErrors, BadStatementNamesTheStatement)
{
    const std::string e = errorOf("SELEC nome FROM UF.DBF", true);
    EXPECT_NE(e.find("\n\nInstrução que falhou:\nSELEC nome FROM UF.DBF"), std::string::npos) << e;
    // The cause first, in Portuguese.
    EXPECT_EQ(e.rfind("Erro de sintaxe perto de \"SELEC\"\n", 0), 0u) << e;
    EXPECT_EQ(errorOf("SELECT naoexiste FROM UF.DBF", true).rfind("Coluna não encontrada: naoexiste\n", 0), 0u);
    EXPECT_FALSE(errorOf("CREATE TABLE x ( a Blob(3) )").empty());
    EXPECT_FALSE(errorOf(" CREATE TABLE \"UF.DBF\" ( a Character(3) )").empty()) << "existing file must not be replaced";
    EXPECT_EQ(errorOf("CREATE TABLE x ( a Character(99999999999) )")
                  .rfind("Erro do mecanismo de consulta: número inválido ou grande demais em \"99999999999\"", 0),
              0u);
}

TEST_F(EngineErrors, AFullDiskIsToldAsSuchAndLeavesNoTable)
{
    const SimulatedWriteFailure full(std::errc::no_space_on_device);
    const std::string e = errorOf(" CREATE TABLE \"Temp.dbf\" ( Censo Character(10) );");
    EXPECT_EQ(e.rfind("Não foi possível gravar a tabela", 0), 0u) << e;
    EXPECT_NE(e.find(": não há espaço livre no disco"), std::string::npos) << e;
    EXPECT_FALSE(fs::exists(bases / "Temp.dbf"));
}

TEST_F(EngineErrors, CorruptTableIsReportedWithItsName)
{
    std::string bytes = readBytes(bases / "UF.DBF");
    std::ofstream(bases / "Quebrada.dbf", std::ios::binary).write(bytes.data(), 60);
    const std::string e = errorOf("SELECT * FROM Quebrada", true);
    EXPECT_NE(e.find("Quebrada.dbf"), std::string::npos) << e;
    std::ofstream(bases / "Vazia.dbf", std::ios::binary).write("\x03", 1);
    EXPECT_NE(errorOf("SELECT * FROM vazia", true).find("Vazia.dbf"), std::string::npos);
}

TEST_F(EngineErrors, UnwritableFolderGivesAnError)
{
    std::ofstream(root.path() / "arquivo") << "x";
    Session nowhere(root.path() / "arquivo" / "Bases");
    Query q(nowhere);
    q.addLine(" CREATE TABLE \"Temp.dbf\" ( Censo Character(10) );");
    EXPECT_THROW(q.execute(), EngineError);
}

TEST_F(EngineErrors, FailingStatementLeavesTheFileAsItWas)
{
    const fs::path file = bases / "Municipios2000.dbf";
    const std::string before = readBytes(file);
    // The third row's name does not fit the column: nothing of the statement stays.
    EXPECT_FALSE(errorOf("update Municipios2000 set codigo = codigo || '1234'").empty());
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(single("SELECT codigo FROM Municipios2000 WHERE nome = 'Salvador'").asString(), "292740");

    // An INSERT … SELECT failing midway (Abaíra's name is too long once prefixed).
    Query create(*session);
    create.addLine(" CREATE TABLE \"Curta.dbf\" ( nome Character(12) )");
    create.execute();
    const std::string empty = readBytes(bases / "Curta.dbf");
    EXPECT_FALSE(errorOf("insert into curta (nome) select 'Munic. ' || nome from Municipios2000").empty());
    EXPECT_EQ(readBytes(bases / "Curta.dbf"), empty);
    EXPECT_EQ(single("SELECT count(*) FROM curta").asFloat(), 0);

    EXPECT_FALSE(errorOf(" Insert into UF (UFCODIGO) values ( 'abc' )").empty());
    EXPECT_EQ(single("SELECT count(*) FROM UF").asFloat(), 4);
}

TEST_F(EngineErrors, TextIntoANumberIsRefused)
{
    EXPECT_FALSE(errorOf("update MU2000 set V001 = 'muito' where codigo = '0'").empty());
    EXPECT_EQ(single("SELECT V001 FROM MU2000 WHERE codigo = '0'").asFloat(), 83576015);
}

TEST_F(EngineErrors, ChangesBehindTheEngineAreSeen)
{
    EXPECT_EQ(single("SELECT UFSIGLA FROM UF.DBF WHERE UFCODIGO = '29'").asString(), "BA");
    {
        DbfTable t = DbfTable::open(bases / "uf.dbf");
        t.setValue(1, 1, "XX");
        t.save();
    }
    EXPECT_EQ(single("SELECT UFSIGLA FROM UF.DBF WHERE UFCODIGO = '29'").asString(), "XX");

    // Deleted and created again with another layout between statements.
    fs::remove(bases / "UF.DBF");
    EXPECT_NE(errorOf("SELECT * FROM UF", true).find("Tabela não encontrada"), std::string::npos);
    testing::makeTable(bases / "uf.dbf", {{"UFCODIGO", FieldType::Character, 2, 0}, {"NOVO", FieldType::Numeric, 5, 0}},
                       {{"29", 7}});
    EXPECT_EQ(single("SELECT NOVO FROM UF WHERE UFCODIGO = '29'").asFloat(), 7);

    // Another session writing the same file.
    Session other(bases);
    Query w(other);
    w.addLine("update uf set NOVO = 8");
    EXPECT_EQ(w.execute(), 1);
    EXPECT_EQ(single("SELECT NOVO FROM UF").asFloat(), 8);
}

TEST_F(EngineErrors, LoadedFilesBeyondTheBudgetAreReleased)
{
    session->impl().cacheBudget = 1;
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(single("SELECT UFSIGLA FROM UF.DBF WHERE UFCODIGO = '29'").asString(), "BA");
        EXPECT_EQ(single("SELECT NIVEL_GEO FROM MU2000 LEFT OUTER JOIN UF.DBF ON SUBSTRING(CODIGO FROM 1 FOR 2) = "
                         "UFCODIGO WHERE UFSIGLA = 'RO' AND codigo = '110001'")
                      .asString(),
                  "Alta Floresta d'Oeste")
            << "both tables of one statement stay loaded while it runs";
        EXPECT_LE(session->impl().tables.size(), 2u);
    }
}

} // namespace
} // namespace daxo::platform
