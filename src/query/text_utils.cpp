#include "text_utils.h"

#include <algorithm>
#include <cctype>

namespace daxo::query {

namespace {

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

// 1-based copy: empty when it starts past the end or the length is not
// positive, cut at the end otherwise.
std::string copy(const std::string& s, int start, int length)
{
    if (start < 1 || length <= 0 || start > static_cast<int>(s.size()))
        return {};
    return s.substr(start - 1, length);
}

} // namespace

void BuscaRotulo(std::span<const std::string> campoLinha, std::span<const std::string> rotuloLinha,
                 const std::string& coluna, std::string& rotulo)
{
    for (std::size_t i = 0; i < campoLinha.size() && i < rotuloLinha.size(); ++i)
        if (campoLinha[i] == coluna)
            rotulo = rotuloLinha[i];
}

int PosicaoColuna(std::span<const std::string> campoLinha, const std::string& coluna)
{
    int result = 0;
    int rank = 1;
    for (const auto& campo : campoLinha) {
        if (campo.empty())
            continue;
        if (campo == coluna)
            result = rank;
        ++rank;
    }
    return result;
}

std::string ResumeFaixaEtaria(const std::string& frase)
{
    const int length = static_cast<int>(frase.size());
    int anos = 0;   // start of "anos de idade"
    int idade = 0;  // start of "de idade"
    for (int start = length; start >= 1; --start) {
        const std::string suffix = upper(frase.substr(start - 1));
        if (suffix == "ANOS DE IDADE")
            anos = start;
        else if (suffix == "DE IDADE")
            idade = start;
    }
    std::string result = copy(frase, 4, length);
    if (idade > 0)
        result = copy(frase, 4, idade - 5);
    if (anos > 0)
        result = copy(frase, 4, anos - 5);

    for (int p = static_cast<int>(result.size()) - 4; p >= 1; --p) {
        if (upper(copy(result, p, 4)) == "ANOS") {
            result.erase(p - 1, 5);
            break;
        }
    }
    return result;
}

std::string PreencheZeros(int numero, int largura)
{
    std::string text = std::to_string(numero);
    while (static_cast<int>(text.size()) < largura)
        text.insert(text.begin(), '0');
    return text;
}

} // namespace daxo::query
