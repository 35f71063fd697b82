#pragma once
// Small text routines shared by the query runner and the outputs. The row
// arrays hold entry i of the indicator rows at index i - 1.
#include <span>
#include <string>

namespace daxo::query {

// Sets `rotulo` to the label of the last row whose column is `coluna`; leaves
// it unchanged when no row has that column.
void BuscaRotulo(std::span<const std::string> campoLinha, std::span<const std::string> rotuloLinha,
                 const std::string& coluna, std::string& rotulo);

// 1-based rank of `coluna` among the non-empty columns (last match wins), 0
// when no row has it.
int PosicaoColuna(std::span<const std::string> campoLinha, const std::string& coluna);

// "de 10 a 15 anos de idade" -> "10 a 15"; "de 65 anos ou mais de idade" -> "65 ou mais".
std::string ResumeFaixaEtaria(const std::string& frase);

// Decimal text of `numero` padded with zeros to `largura`.
std::string PreencheZeros(int numero, int largura);

} // namespace daxo::query
