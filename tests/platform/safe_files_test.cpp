// Files written whole or not at all, and failures told in Portuguese with
// their real cause.
#include "platform/safe_files.h"
#include "platform/system_errors.h"
#include "test_installation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace daxo::platform {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;

std::size_t entries(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(SafeFiles, AFailedWriteOrCopyLeavesThePreviousFileAndNoTemporary)
{
    TempFolder folder;
    const fs::path page = folder.path() / "Página1.html";
    writeFileSafely(page, "completa");
    std::ofstream(folder.path() / "origem.dbf") << std::string(1000, 'x');
    {
        const SimulatedWriteFailure full(std::errc::no_space_on_device);
        try {
            writeFileSafely(page, "nova versão que não cabe");
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), "Não foi possível gravar o arquivo " + page.string() +
                                                 ": não há espaço livre no disco.");
        }
        EXPECT_THROW(copyFileSafely(folder.path() / "origem.dbf", folder.path() / "copia.dbf"), FileError);
    }
    EXPECT_EQ(readBytes(page), "completa");
    EXPECT_FALSE(fs::exists(folder.path() / "copia.dbf"));
    EXPECT_EQ(entries(folder.path()), 2u) << "no temporary file stays behind";

    copyFileSafely(folder.path() / "origem.dbf", folder.path() / "copia.dbf");
    EXPECT_EQ(readBytes(folder.path() / "copia.dbf"), std::string(1000, 'x'));
    try {
        copyFileSafely(folder.path() / "nada.dbf", folder.path() / "copia.dbf");
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.reason(), "arquivo ou pasta não encontrado");
    }
}

TEST(SystemErrors, TheUsualCausesAndLibraryFaultsAreToldInPortuguese)
{
    EXPECT_EQ(systemReason(EROFS), "o disco ou a pasta só permite leitura");
    EXPECT_EQ(systemReason(EACCES), "sem permissão de acesso ao arquivo ou à pasta");
    EXPECT_EQ(systemReason(EPERM), "operação não permitida pelo sistema");
    EXPECT_EQ(systemReason(std::make_error_code(std::errc::no_space_on_device)), "não há espaço livre no disco");

    const auto message = [](const std::exception& e) { return userMessage(e); };
    EXPECT_EQ(message(std::runtime_error("Escolha uma Localidade")), "Escolha uma Localidade");
    EXPECT_EQ(message(std::out_of_range("vector::_M_range_check: __n (which is 0) >= this->size()")),
              "Erro interno do programa: um valor ficou fora dos limites esperados. A operação foi interrompida.");
    EXPECT_EQ(message(std::invalid_argument("stoi")),
              "Erro interno do programa: um valor não pôde ser interpretado. A operação foi interrompida.");
    const fs::filesystem_error copy("cannot copy file", "/x/temper.dbf",
                                    std::make_error_code(std::errc::read_only_file_system));
    EXPECT_EQ(message(copy), "Erro no arquivo /x/temper.dbf: o disco ou a pasta só permite leitura. A operação foi "
                             "interrompida.");
}

} // namespace
} // namespace daxo::platform
