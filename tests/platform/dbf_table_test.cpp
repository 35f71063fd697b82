#include "platform/dbf_table.h"
#include "test_installation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace daxo::platform {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;

void writeBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string descriptor(const std::string& name, char type, int length, int decimals)
{
    std::string d(32, '\0');
    d.replace(0, name.size(), name);
    d[11] = type;
    d[16] = static_cast<char>(length);
    d[17] = static_cast<char>(decimals);
    return d;
}

// A level III file put together byte by byte: NOME C(5), VALOR N(6,2),
// two records, the second deleted.
std::string levelThreeFile(char productionFlag = 0)
{
    std::string h(32, '\0');
    h[0] = 0x03;
    h[1] = 99;
    h[2] = 12;
    h[3] = 31;
    h[4] = 3;                      // records
    h[8] = 97;                     // header length: 32 + 2 * 32 + 1
    h[10] = 12;                    // record length: 1 + 5 + 6
    h[28] = productionFlag;
    return h + descriptor("NOME", 'C', 5, 0) + descriptor("VALOR", 'N', 6, 2) + "\x0D" +
           " Ana   12.50" + "*Bob    1.00" + " Jo\xE3o       " + "\x1A";
}

TEST(DbfTable, ReadsALevelThreeFileWrittenByHand)
{
    TempFolder dir;
    for (char flag : {0, 1}) {
        writeBytes(dir.path() / "T.DBF", levelThreeFile(flag));
        DbfTable t = DbfTable::open(dir.path() / "t.dbf");
        ASSERT_EQ(t.fields().size(), 2u);
        EXPECT_EQ(t.fields()[1].name, "VALOR");
        EXPECT_EQ(t.fields()[1].decimals, 2);
        ASSERT_EQ(t.recordCount(), 3u);
        EXPECT_EQ(t.value(0, 0).asString(), "Ana");
        EXPECT_DOUBLE_EQ(t.value(0, 1).asFloat(), 12.5);
        EXPECT_TRUE(t.isDeleted(1));
        EXPECT_EQ(t.value(2, 0).asString(), "João");
        EXPECT_TRUE(t.value(2, 1).isNull()) << "a blank number is no value, not zero";
        EXPECT_EQ(t.fieldIndex("valor"), 1);
        EXPECT_THROW(t.value(3, 0), DbfError);
        EXPECT_THROW(t.setValue(0, 2, 1), DbfError);
    }
}

TEST(DbfTable, DecimalCommaIsReadAndOverflowMarksAreNoValue)
{
    TempFolder dir;
    std::string bytes = levelThreeFile();
    bytes.replace(97 + 6, 6, " 12,50");
    bytes.replace(97 + 24 + 6, 6, "******");
    writeBytes(dir.path() / "t.dbf", bytes);
    DbfTable t = DbfTable::open(dir.path() / "t.dbf");
    EXPECT_DOUBLE_EQ(t.value(0, 1).asFloat(), 12.5);
    EXPECT_TRUE(t.value(2, 1).isNull());
}

TEST(DbfTable, AppendsAndUpdatesInPlaceKeepingTheHeaderCount)
{
    TempFolder dir;
    writeBytes(dir.path() / "t.dbf", levelThreeFile());
    {
        DbfTable t = DbfTable::open(dir.path() / "t.dbf");
        t.setValue(t.appendRecord(), 0, "Zé");
        t.setValue(0, 1, 99.999);
        t.save();
    }
    const std::string bytes = readBytes(dir.path() / "t.dbf");
    EXPECT_EQ(bytes[4], 4);
    EXPECT_EQ(bytes.size(), 97u + 4 * 12 + 1);
    EXPECT_EQ(bytes.substr(97, 12), " Ana  100.00");
    EXPECT_EQ(bytes.substr(97 + 36, 12), " Z\xE9         ");
    EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(DbfTable, LongFieldNamesAreWrittenInTheLevelSevenLayout)
{
    TempFolder dir;
    testing::makeTable(dir.path() / "temp.dbf",
                       {{"Codigo", FieldType::Character, 6, 0}, {"entradaTotal", FieldType::Numeric, 20, 2}},
                       {{"29", 1234.5}});
    const std::string bytes = readBytes(dir.path() / "temp.dbf");
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8, 68 + 2 * 48 + 1);
    DbfTable t = DbfTable::open(dir.path() / "temp.dbf");
    EXPECT_EQ(t.fields()[1].name, "entradaTotal");
    EXPECT_DOUBLE_EQ(t.value(0, 1).asFloat(), 1234.5);

    testing::makeTable(dir.path() / "curto.dbf", {{"Mas", FieldType::Numeric, 20, 2}}, {});
    const std::string shortBytes = readBytes(dir.path() / "curto.dbf");
    EXPECT_EQ(shortBytes[0], 0x03);
    EXPECT_EQ(shortBytes[8], 32 + 32 + 1);
}

TEST(DbfTable, DroppingFieldsKeepsTheOtherColumns)
{
    TempFolder dir;
    testing::makeTable(dir.path() / "t.dbf",
                       {{"A", FieldType::Character, 3, 0}, {"B", FieldType::Numeric, 5, 0}, {"C", FieldType::Character, 4, 0}},
                       {{"um", 1, "x"}, {"dez", Value(), "yy"}});
    DbfTable t = DbfTable::open(dir.path() / "t.dbf");
    EXPECT_THROW(t.setValue(1, 0, "quatro"), DbfError) << "six characters into three";
    t.dropFields({"b"});
    t.save();
    DbfTable again = DbfTable::open(dir.path() / "t.dbf");
    ASSERT_EQ(again.fields().size(), 2u);
    EXPECT_EQ(again.value(1, 1).asString(), "yy");
    EXPECT_EQ(again.value(0, 0).asString(), "um");
    EXPECT_THROW(again.dropFields({"nada"}), DbfError);
}

TEST(DbfTable, NumbersThatDoNotFitAreRefused)
{
    TempFolder dir;
    testing::makeTable(dir.path() / "t.dbf", {{"V", FieldType::Numeric, 6, 2}}, {{1}});
    DbfTable t = DbfTable::open(dir.path() / "t.dbf");
    EXPECT_THROW(t.setValue(0, 0, 1234.5), DbfError);
    EXPECT_THROW(t.setValue(0, 0, "abc"), DbfError);
    t.setValue(0, 0, -99.5);
    EXPECT_DOUBLE_EQ(t.value(0, 0).asFloat(), -99.5);
}

TEST(DbfTable, TransactionsAreUndoneInMemory)
{
    TempFolder dir;
    testing::makeTable(dir.path() / "t.dbf", {{"A", FieldType::Character, 3, 0}}, {{"um"}});
    DbfTable t = DbfTable::open(dir.path() / "t.dbf");
    t.beginTransaction();
    t.setValue(0, 0, "x");
    t.appendRecord();
    t.rollbackTransaction();
    EXPECT_EQ(t.recordCount(), 1u);
    EXPECT_EQ(t.value(0, 0).asString(), "um");
}

TEST(DbfTable, CorruptFilesAreRefusedWithTheFileName)
{
    TempFolder dir;
    const std::string good = levelThreeFile();
    const auto errorFor = [&](const std::string& bytes) {
        writeBytes(dir.path() / "ruim.dbf", bytes);
        try {
            DbfTable::open(dir.path() / "ruim.dbf");
        } catch (const DbfError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    std::string noTerminator = good;
    noTerminator[96] = 'X';
    std::string badRecordLength = good;
    badRecordLength[10] = 13;
    std::string hugeHeader = good;
    hugeHeader[9] = 0x70;
    for (const std::string& bytes : {good.substr(0, 20), good.substr(0, 97 + 20), noTerminator, badRecordLength, hugeHeader}) {
        const std::string e = errorFor(bytes);
        EXPECT_NE(e.find("ruim.dbf"), std::string::npos) << e;
    }
    EXPECT_NE(errorFor(good.substr(0, 97 + 20)).find("registros"), std::string::npos);
    EXPECT_THROW(DbfTable::open(dir.path() / "nenhum.dbf"), DbfError);
}

TEST(DbfTable, DamagedHeadersNeverCrash)
{
    TempFolder dir;
    const std::string good = levelThreeFile();
    std::mt19937 random(7);
    int refused = 0;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = good;
        for (int k = 0; k < 3; ++k)
            bytes[random() % 97] = static_cast<char>(random());
        writeBytes(dir.path() / "t.dbf", bytes);
        try {
            DbfTable t = DbfTable::open(dir.path() / "t.dbf");
            for (std::size_t r = 0; r < t.recordCount(); ++r)
                for (int f = 0; f < static_cast<int>(t.fields().size()); ++f)
                    t.value(r, f);
        } catch (const DbfError& e) {
            EXPECT_NE(std::string(e.what()).find("t.dbf"), std::string::npos);
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

} // namespace
} // namespace daxo::platform
