#include "map_classes.h"

#include "platform/formats.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace daxo::maps {

namespace {

constexpr std::array kCountIndicators = {0, 2, 3, 9, 11, 13};

struct Paleta {
    std::vector<std::uint32_t> nove;
    std::vector<std::uint32_t> cinco;
};

const std::array<Paleta, kPaletas>& paletas()
{
    static const std::array<Paleta, kPaletas> table = {{
        {{0xC8E8F1, 0x84CEE0, 0x20B6C4, 0x00A2C1, 0x0087AD, 0x006796, 0x00537C, 0x003A5A, 0x1B1B1F},
         {0xC8E8F1, 0x20B6C4, 0x00A2C1, 0x006796, 0x003A5A}},
        {{0xFEF6A8, 0xFFF372, 0xFFE11D, 0xC8CA2E, 0x88A53D, 0x508F41, 0x3C783B, 0x25592F, 0x1C1718},
         {0xFEF6A8, 0xFFE11D, 0x88A53D, 0x508F41, 0x25592F}},
        {{0x7CC9A4, 0x1EB580, 0x00A653, 0x00966C, 0x008B7D, 0x008188, 0x006E75, 0x00555A, 0x181314},
         {0x7CC9A4, 0x00A653, 0x00966C, 0x008188, 0x00555A}},
        {{0xF8BBC2, 0xF3869B, 0xEF4881, 0xE4185A, 0xCF2040, 0xBF2129, 0xA22425, 0x79221D, 0x201C1D},
         {0xF8BBC2, 0xEF4881, 0xE4185A, 0xBF2129, 0x79221D}},
        {{0xD1B9D9, 0xAE80B9, 0x864C9E, 0xA0248D, 0xB61B7E, 0xC1156F, 0xA4195D, 0x7B1444, 0x242021},
         {0xD1B9D9, 0x864C9E, 0xC1156F, 0xA4195D, 0x7B1444}},
        {{0x8E8AC3, 0x5F62AC, 0x234AA0, 0x473085, 0x6A2C7A, 0x802670, 0x732260, 0x5C1949, 0x1A1516},
         {0x8E8AC3, 0x234AA0, 0x473085, 0x6A2C7A, 0x5C1949}},
    }};
    return table;
}

} // namespace

bool IndicadorContagem(int indicador)
{
    return std::find(kCountIndicators.begin(), kCountIndicators.end(), indicador) != kCountIndicators.end();
}

const char* formatoIndicador(int indicador)
{
    return IndicadorContagem(indicador) ? "###,###,###,###" : "###,###,##0.00";
}

double unidadeClasse(int indicador) { return IndicadorContagem(indicador) ? 1.0 : 0.01; }

std::string formataValor(int indicador, double valor)
{
    return daxo::platform::formatFloat(formatoIndicador(indicador), valor);
}

const std::vector<std::uint32_t>& coresClasses(int paleta, int classesPedidas)
{
    const Paleta& p = paletas().at(std::clamp(paleta, 1, kPaletas) - 1);
    return classesPedidas == 5 ? p.cinco : p.nove;
}

int proximaPaleta(int paleta) { return paleta >= kPaletas ? 1 : paleta + 1; }

Quebras calculaQuebras(const std::vector<double>& valores, const Estatisticas& stats, int classesPedidas,
                       double unidade)
{
    Quebras q;
    q.classes = std::clamp(classesPedidas, 1, kMaxClasses);
    if (q.classes > stats.quantidade) {
        q.classes = std::max(stats.quantidade, 1);
        q.aviso = kAvisoQuebras;
        q.reduzidasAoTotal = true;
    }
    const int b = q.classes - 1;
    // With no positive value at all there is no smallest one to show.
    q.primeiroValor = valores.empty() ? 0 : valores.front() == 0 ? 10000 : valores.front();
    if (b == 0)
        return q;
    const int per = std::max(static_cast<int>(valores.size()) / (b + 1), 1);
    int counter = 0;
    int i = 0;
    for (double valor : valores) {
        if (valor != 0 && valor < q.primeiroValor)
            q.primeiroValor = valor;
        if (++counter < per)
            continue;
        counter = 0;
        q.brk[++i] = valor;
        // Classes never share a limit: a break equal to the previous one moves up.
        if (i >= 2 && q.brk[i - 1] >= q.brk[i])
            q.brk[i] = q.brk[i - 1] + unidade;
        if (i == b)
            break;
    }
    // Fewer positive values than classes: the classes end with the values
    // rather than with limits of 0.
    if (i < b) {
        // Every value became a break: the last one only closes the last class.
        if (i == static_cast<int>(valores.size()) && i > 0)
            q.brk[i--] = 0;
        q.classes = i + 1;
        q.aviso = kAvisoPoucosValores;
    }
    return q;
}

double valorDigitado(const std::string& texto)
{
    std::string number;
    for (char c : texto) {
        if (c == '.' || c == ' ')
            continue;
        number += c == ',' ? '.' : c;
    }
    // Digits with one decimal mark, a minus sign before them at most: no
    // exponents, "nan" or "inf" reach the renderer.
    const std::size_t digitsFrom = !number.empty() && number[0] == '-' ? 1 : 0;
    const bool wellFormed =
        number.size() > digitsFrom && std::count(number.begin(), number.end(), '.') <= 1 &&
        std::all_of(number.begin() + static_cast<std::ptrdiff_t>(digitsFrom), number.end(),
                    [](char c) { return c == '.' || (c >= '0' && c <= '9'); }) &&
        std::any_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
    double value = 0;
    if (!wellFormed || std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc())
        throw std::runtime_error("Valor inválido na legenda: " + texto);
    return value;
}

void aplicaLimitesDigitados(Quebras& quebras, const std::array<std::optional<std::string>, kMaxClasses + 1>& edits)
{
    // brk has one slot fewer than the editor has edits: the last edit ends
    // the last class, which the maximum closes anyway.
    for (std::size_t k = 0; k + 1 < edits.size(); ++k)
        if (edits[k])
            quebras.brk[k + 1] = valorDigitado(*edits[k]);
}

Legenda montaLegenda(const Quebras& q, const Estatisticas& stats, int indicador, int paleta, int classesPedidas)
{
    Legenda legenda;
    const double unidade = unidadeClasse(indicador);
    const auto& cores = coresClasses(paleta, classesPedidas);
    const int b = q.quebrasRenderer();
    auto& linhas = legenda.linhas;
    linhas[0].inicio = " " + formataValor(indicador, stats.minimo > 0 ? stats.minimo : q.primeiroValor);
    if (q.classes == 1)
        linhas[0].fim = daxo::platform::floatToText(stats.maximo);
    for (int k = 0; k < b; ++k) {
        const double fim = q.brk[k + 1];
        legenda.quebrasRenderer.push_back(fim + unidade);
        linhas[k].fim = " " + formataValor(indicador, fim);
        linhas[k].ate = true;
        linhas[k + 1].inicio = " " + formataValor(indicador, fim + unidade);
    }
    if (b >= 1) {
        linhas[b].fim = " " + formataValor(indicador, stats.maximo);
        linhas[b].ate = true;
    }
    for (int k = 0; k <= b; ++k) {
        linhas[k].visivel = true;
        linhas[k].cor = cores.at(k);
        legenda.coresRenderer.push_back(cores.at(k));
    }
    legenda.semDado = {.visivel = stats.semValor, .cor = kCorSemDado, .inicio = std::string(" ") + kSemDado};
    return legenda;
}

} // namespace daxo::maps
