#include "system_errors.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <ios>
#include <new>
#include <stdexcept>
#include <utility>

namespace daxo::platform {

namespace {

constexpr std::array<std::pair<std::errc, const char*>, 19> kReasons = {{
    {std::errc::no_space_on_device, "não há espaço livre no disco"},
    {std::errc::read_only_file_system, "o disco ou a pasta só permite leitura"},
    {std::errc::permission_denied, "sem permissão de acesso ao arquivo ou à pasta"},
    {std::errc::operation_not_permitted, "operação não permitida pelo sistema"},
    {std::errc::no_such_file_or_directory, "arquivo ou pasta não encontrado"},
    {std::errc::not_a_directory, "parte do caminho não é uma pasta"},
    {std::errc::is_a_directory, "o caminho é uma pasta, não um arquivo"},
    {std::errc::file_exists, "o arquivo já existe"},
    {std::errc::directory_not_empty, "a pasta não está vazia"},
    {std::errc::device_or_resource_busy, "o arquivo está em uso"},
    {std::errc::text_file_busy, "o arquivo está em uso"},
    {std::errc::too_many_files_open, "arquivos abertos demais"},
    {std::errc::too_many_files_open_in_system, "arquivos abertos demais no sistema"},
    {std::errc::filename_too_long, "nome de arquivo longo demais"},
    {std::errc::file_too_large, "arquivo grande demais"},
    {std::errc::io_error, "erro de leitura ou gravação no disco"},
    {std::errc::not_enough_memory, "memória insuficiente"},
    {std::errc::cross_device_link, "origem e destino estão em discos diferentes"},
    {std::errc::invalid_argument, "nome ou operação inválida"},
}};

} // namespace

std::string systemReason(std::error_code error)
{
    if (error.category() == std::iostream_category())
        return "erro de leitura ou gravação de arquivo";
    for (const auto& [code, reason] : kReasons)
        if (error == code)
            return reason;
    // The disk quota has no portable name.
    if (error.value() == EDQUOT)
        return "a cota de disco do usuário se esgotou";
    return "erro do sistema número " + std::to_string(error.value());
}

std::string systemReason(int errnoValue) { return systemReason(std::error_code(errnoValue, std::generic_category())); }

std::string userMessage(const std::exception& error)
{
    const std::string interno = "Erro interno do programa: ";
    const std::string fim = ". A operação foi interrompida.";
    if (const auto* e = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        std::string text = "Erro no arquivo " + e->path1().string();
        if (!e->path2().empty())
            text += " (com " + e->path2().string() + ")";
        return text + ": " + systemReason(e->code()) + fim;
    }
    if (const auto* e = dynamic_cast<const std::system_error*>(&error))
        return "Erro do sistema: " + systemReason(e->code()) + fim;
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return "Memória insuficiente para concluir a operação.";
    if (dynamic_cast<const std::out_of_range*>(&error) || dynamic_cast<const std::length_error*>(&error))
        return interno + "um valor ficou fora dos limites esperados" + fim;
    if (dynamic_cast<const std::invalid_argument*>(&error))
        return interno + "um valor não pôde ser interpretado" + fim;
    if (dynamic_cast<const std::range_error*>(&error) || dynamic_cast<const std::overflow_error*>(&error) ||
        dynamic_cast<const std::underflow_error*>(&error))
        return interno + "um cálculo excedeu os limites numéricos" + fim;
    // The program's own errors are runtime errors with Portuguese text.
    if (dynamic_cast<const std::runtime_error*>(&error))
        return error.what();
    return interno + "falha inesperada" + fim;
}

} // namespace daxo::platform
