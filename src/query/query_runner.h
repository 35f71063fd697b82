#pragma once
// The query runner: computes the indicator rows for the chosen localities
// and census(es) and leaves the result in the work table Temp.dbf.
#include "bulk_insert.h"
#include "localities/chosen_list.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::indicators {
struct IndicatorRows;
}

namespace daxo::query {

// What the runner reads of the indicator rows; entry i holds row i + 1.
struct RowSet {
    std::array<std::string, 11> FiltroLinha;
    std::array<std::string, 11> CampoLinha;
    std::array<std::string, 11> RotuloLinha;
    std::array<std::array<std::string, 7>, 11> FiltroLinhaIdade;
    std::array<std::string, 11> CamposPedidos;
    std::vector<std::string> FaixaEtaria;   // QtdFaixas phrases
    bool SomaFaixas = false;

    int QtdFaixas() const { return static_cast<int>(FaixaEtaria.size()); }
    bool agesBrokenOut() const { return QtdFaixas() >= 2 && !SomaFaixas; }
};

// The rows built on leaving the indicator page, as the runner reads them.
RowSet runnerRows(const daxo::indicators::IndicatorRows& rows);

struct QueryRequest {
    int indicator = 0;
    std::string census;                    // cbCenso text
    std::vector<std::string> names;        // cbSelecao
    std::vector<std::string> codes;        // cbSelecaoCodigo
    bool modoMapa = false;
    bool modoGrafico = false;
};

// Looks a row's condition up in the definition table of the census, leaving
// the records open on Query1 (throws when none is found); BuscaIndicador
// unless a caller gives its own.
using DefinitionLookup = std::function<void(daxo::platform::DataModule&, const std::string& ano,
                                            const std::string& condicao)>;

// In map mode, the map variables one municipal matrix table gives: entry
// i - 1 holds the sum expression of variable i.
struct MapaTabela {
    std::string TabelaMatriz;
    std::array<std::string, 11> ColunasMapa;
};

class QueryRunner;

// Writes the values of a map-mode run into the map layers (set by the map
// output; the runner calls it last in map mode).
using LayerWriter = std::function<void(const QueryRunner&)>;

class QueryRunner {
public:
    // `migration` is the hidden migration lists of the locality page, which
    // every run of the migration indicator rebuilds.
    QueryRunner(daxo::platform::DataModule& dm, daxo::localities::MigrationLists& migration,
                std::function<void(const std::string&)> atualizaMostrador = {}, DefinitionLookup buscaIndicador = {});

    void ExecutaConsulta(const RowSet& rows, const QueryRequest& request);

    // Run state the outputs read afterwards.
    bool InsercaoGeral = false;
    bool TodosMunicipios = false;
    bool TodasUFs = false;
    bool TodasRegioes = false;
    bool TemBrasil = false;
    // An indicator's rows may live in different matrix tables: one entry per
    // table, in the order the rows name them.
    std::vector<MapaTabela> TabelasMapa;
    daxo::localities::MigrationLists& migration;
    LayerWriter GravaValoresCamada;

private:
    void ExpandeRegiaoMigracao(const QueryRequest& request);
    std::string localityFilter(const QueryRequest& request);
    // Row `linha` (0-based) for one census with the ages summed, or for one
    // age group `faixa` (1..); both run calculaLinha, faixa 0 meaning summed.
    void CalculaIndicador(const std::string& ano, int linha) { calculaLinha(ano, linha, 0); }
    void CalculaIndicadorIdade(const std::string& ano, int linha, int faixa) { calculaLinha(ano, linha, faixa); }
    void calculaLinha(const std::string& ano, int linha, int faixa);
    void queryMatrix(const std::vector<std::string>& lines, const std::string& ano, int linha, int faixa);
    // The current matrix record's value into the work table.
    void GravaLinhaTemp(const std::string& ano, int linha) { gravaValor(ano, linha, 0); }
    void GravaLinhaTempIdade(const std::string& ano, int linha, int faixa) { gravaValor(ano, linha, faixa); }
    void gravaValor(const std::string& ano, int linha, int faixa);
    // `faixa` is the age group (1..), 0 with the ages summed.
    void InsereEmBloco(int faixa);

    daxo::platform::DataModule& dm_;
    DefinitionLookup buscaIndicador_;
    std::function<void(const std::string&)> atualizaMostrador_;
    const RowSet* rows_ = nullptr;
    const QueryRequest* request_ = nullptr;
    // The bulk columns of each census, per matrix table; the first table's
    // statement inserts the rows.
    std::vector<BulkColumns> bulk1991_, bulk2000_;
};

} // namespace daxo::query
