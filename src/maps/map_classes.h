#pragma once
// The class map's data: quantile class breaks of one value column, the six
// palettes, the legend texts, and the number formats of the two kinds of
// indicator. The map window paints with them.
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace daxo::maps {

// Count indicators (0, 2, 3, 9, 11, 13) against rates, means and proportions.
bool IndicadorContagem(int indicador);
// "###,###,###,###" for counts, "###,###,##0.00" for the others.
const char* formatoIndicador(int indicador);
// The smallest step between two classes: 1 for counts, 0.01 for the others.
double unidadeClasse(int indicador);
// A value as the legend shows it ("." thousands, "," decimals).
std::string formataValor(int indicador, double valor);

inline constexpr int kPaletas = 6;
inline constexpr int kMaxClasses = 9;
// Colours (0xRRGGBB, lightest first) class k takes: the five-colour list of
// `paleta` (1..6) when `classesPedidas` is 5, else its nine-colour list.
const std::vector<std::uint32_t>& coresClasses(int paleta, int classesPedidas);
// The "Cor" button: the next palette, 6 wrapping to 1.
int proximaPaleta(int paleta);

// Statistics of the value column over all the layer's features.
struct Estatisticas {
    double minimo = 0;
    double maximo = 0;
    int quantidade = 0;
    bool semValor = false;   // some feature's value is missing, 0 or negative
};

// Features without a positive value belong to no class: a missing value
// must not look like a low one.
inline constexpr std::uint32_t kCorSemDado = 0xD4D4D4;
inline constexpr const char* kSemDado = "Sem dado ou zero";

// A map drawn with fewer classes than asked: told, not a failure.
class AvisoMapa : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kAvisoQuebras = "Numero de quebras não pode ser maior que o número de localidades";
inline constexpr const char* kAvisoPoucosValores =
    "Há menos localidades com valor positivo do que classes: o mapa mostra menos classes";

struct Quebras {
    int classes = 0;                    // after reduction to the number of features
    std::optional<std::string> aviso;   // raised after drawing when classes were reduced
    bool reduzidasAoTotal = false;      // to the number of localities: the class count follows
    std::array<double, kMaxClasses + 1> brk{};   // brk[1..classes-1] end the classes; unset ones 0
    double primeiroValor = 0;           // smallest positive value
    // Break count of the renderer (classes - 1, 0 for a single class).
    int quebrasRenderer() const { return classes > 1 ? classes - 1 : 0; }
};

// Quantile breaks of `classesPedidas` classes over the positive values of
// the column in ascending order; equal successive breaks are moved apart by
// `unidade`.
Quebras calculaQuebras(const std::vector<double>& positivosOrdenados, const Estatisticas& stats, int classesPedidas,
                       double unidade);

// A break the user typed in the legend editor ("1.234", "12,50"); throws
// with a Portuguese message on anything else.
double valorDigitado(const std::string& texto);
// The legend editor's visible edits (k = 0..9) replace the ends brk[k + 1].
void aplicaLimitesDigitados(Quebras& quebras, const std::array<std::optional<std::string>, kMaxClasses + 1>& edits);

// One legend row: swatch colour, start text, "até", end text; hidden when
// `visivel` is false.
struct LinhaLegenda {
    bool visivel = false;
    std::uint32_t cor = 0;
    std::string inicio;
    bool ate = false;
    std::string fim;
};

// The legend of the class map and the renderer's break values (each class
// starts one unit above the end of the previous one). `semDado` is the row
// of the features outside the classes, shown when there are any.
struct Legenda {
    std::array<LinhaLegenda, kMaxClasses + 1> linhas;
    LinhaLegenda semDado;
    std::vector<double> quebrasRenderer;
    std::vector<std::uint32_t> coresRenderer;
};
Legenda montaLegenda(const Quebras& quebras, const Estatisticas& stats, int indicador, int paleta, int classesPedidas);

} // namespace daxo::maps
