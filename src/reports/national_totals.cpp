#include "national_totals.h"

#include <array>

namespace daxo::reports {

namespace {

struct Pair {
    double y2000;
    double y1991;
    double of(bool is1991) const { return is1991 ? y1991 : y2000; }
};

constexpr Pair kPopulacao{169872856, 146815777};
constexpr Pair kDomicilios{44776740, 34743446};
constexpr std::array<Pair, 3> kLixo{{{33298852, 20694782}, {2131437, 1500914}, {9346451, 12547749}}};
constexpr Pair kAguaCanalizada{40149560, 25870346};
// Entries 1..3 of cbAguaCanalizada (entry 0 is the blank item).
constexpr std::array<Pair, 3> kTipoAgua{{{4591571, 2981856}, {34914319, 22559646}, {643670, 328844}}};
constexpr std::array<Pair, 4> kEsgoto{
    {{10621778, 9064991}, {2614398, 2391062}, {6706427, 6003878}, {21374111, 12234418}}};
constexpr Pair kFamilias{54012666, 44445717};
constexpr Pair kFamiliasCriancas{22442827, 22955878};
// Income entries 1 and 2, without and with children of 0 to 6.
constexpr std::array<std::array<Pair, 2>, 2> kRendimento{{{{{17620929, 17968810}, {10903674, 11903003}}},
                                                          {{{13373234, 7523687}, {2874751, 2277025}}}}};
constexpr Pair kPEA{77467472, 58456135};
constexpr Pair kOcupada{267633708, 55293289};
constexpr Pair kOcupadaContribui{6198855, 29736571};
// Positions 1..6 of cbPosicaoPopOcupada, without and with social security.
constexpr std::array<std::array<Pair, 2>, 6> kPosicao{{
    {{{34698392, 26411539}, {1298368, 17998618}}},
    {{{3693162, 7272773}, {3693162, 7272773}}},
    {{{5016269, 3696306}, {205346, 1022687}}},
    {{{1897842, 13715523}, {1360323, 3430817}}},
    {{{15396247, 2131704}, {3334818, 1476848}}},
    {{{2608533, 2065443}, {2608533, 2065443}}},
}};
constexpr std::array<double, 16> kDeficiencia2000{
    148023, 2435873, 14060946, 152667055, 166365, 883079, 4685655, 163473989,
    574186, 1772690, 5592908, 161425799, 937463, 478597, 167899845, 2288351};
constexpr std::array<double, 9> kDeficiencia1991{
    145854, 173581, 208566, 201629, 46989, 145178, 658912, 87083, 144616736};

template <std::size_t N>
bool inRange(int index, const std::array<Pair, N>&)
{
    return index >= 0 && index < static_cast<int>(N);
}

} // namespace

double TotalBrasil::CalculaTotalBrasil(const std::string& censo, const NationalTotalChoice& c)
{
    const bool is1991 = censo == "1991";
    switch (c.indicator) {
    case 0:
        value_ = kPopulacao.of(is1991);
        break;
    case 2:
        value_ = kDomicilios.of(is1991);
        if (inRange(c.lixoColetado, kLixo))
            value_ = kLixo[c.lixoColetado].of(is1991);
        if (c.aguaCanalizada) {
            value_ = kAguaCanalizada.of(is1991);
            if (inRange(c.tipoAgua - 1, kTipoAgua))
                value_ = kTipoAgua[c.tipoAgua - 1].of(is1991);
        }
        if (inRange(c.esgotamento, kEsgoto))
            value_ = kEsgoto[c.esgotamento].of(is1991);
        break;
    case 3:
        value_ = (c.criancas ? kFamiliasCriancas : kFamilias).of(is1991);
        if (c.rendimento == 1 || c.rendimento == 2)
            value_ = kRendimento[c.rendimento - 1][c.criancas ? 1 : 0].of(is1991);
        break;
    case 9:
        value_ = kPEA.of(is1991);
        break;
    case 11:
        value_ = (c.contribui ? kOcupadaContribui : kOcupada).of(is1991);
        if (c.posicao >= 1 && c.posicao <= 6)
            value_ = kPosicao[c.posicao - 1][c.contribui ? 1 : 0].of(is1991);
        break;
    case 13:
        if (is1991 && c.deficiencia >= 0 && c.deficiencia < static_cast<int>(kDeficiencia1991.size()))
            value_ = kDeficiencia1991[c.deficiencia];
        if (!is1991 && c.deficiencia >= 0 && c.deficiencia < static_cast<int>(kDeficiencia2000.size()))
            value_ = kDeficiencia2000[c.deficiencia];
        break;
    default:
        break;
    }
    return value_;
}

} // namespace daxo::reports
