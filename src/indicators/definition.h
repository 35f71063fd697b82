#pragma once
// One definition record of the census tables: the cell of a matrix table that
// a single term of an indicator row asks for. The indicator rows and the
// sample-installation generator both describe definitions through this.
#include <string>
#include <vector>

namespace daxo::indicators {

enum class Sex { All = 0, Male = 1, Female = 2 };
enum class Colour { All = 0, White = 1, BlackOrBrown = 2 };
enum class Spouse { All = 0, With = 1, Without = 2 };

struct Definition {
    int indicator = 0;          // 0..14, the position in cbIndicadores
    int census = 2000;          // 1991 or 2000
    Sex sex = Sex::All;
    Colour colour = Colour::All;
    Spouse spouse = Spouse::All;   // indicator 1 only

    // Age group; agePhrase empty when the term has none.
    std::string agePhrase;      // e.g. "de 0 a 3 anos de idade"
    int ageMin = 0;             // years, inclusive
    int ageMax = 0;             // years, inclusive; 999 for "ou mais"

    // Options of particular indicators (empty / 0 when not used).
    std::string garbage;        // 2: "" or the cbLixoColetado text; radio ticks below
    bool garbageCollected = false;
    bool pipedWater = false;
    std::string water;          // 2: cbAguaCanalizada text (" " counts as chosen)
    bool hasWater = false;
    bool sewage = false;
    std::string sewageType;     // 2: cbEsgotamentoSanitario text
    bool children0to6 = false;  // 3
    int incomeBracket = 0;      // 3, 4: 0 none, 1 "de até 1/2 salário mínimo", 2 "de mais de 2 salários mínimos"
    bool occupiedPopulation = false;  // 8: "Ocupada"
    int position = 0;           // 11: item of cbPosicaoPopOcupada, 12: of cbPosicaoRendMedio; 0 none
    bool contributes = false;   // 11
    int incomeType = 0;         // 12: item of cbTipoRendMedio12
    int deficiency = -1;        // 13: item of the deficiency list of `census`
    bool entry = false;         // 14: "Entrada" (else "Saída")

    bool lowerCase = false;     // the term is written " indicador = '…'" (no part of the text)
};

// The text X stored in INDICADOR for this definition (what a row's term
// compares with), e.g. "População masculina de 0 a 3 anos de idade".
std::string definitionText(const Definition& definition);

// Every distinct definition that an admissible panel choice can ask for
// under the census, each once (by its text).
std::vector<Definition> enumerateDefinitions(int census);

} // namespace daxo::indicators
