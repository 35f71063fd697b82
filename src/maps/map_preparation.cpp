#include "map_preparation.h"

#include "layer_values.h"
#include "map_files.h"
#include "platform/data_module.h"
#include "query/query_runner.h"
#include "query/text_utils.h"

namespace daxo::maps {

namespace {

// The runner's layer writer refers to this preparation's state: it goes
// with it, also when the run fails.
struct WriterReset {
    query::QueryRunner& runner;
    ~WriterReset() { runner.GravaValoresCamada = {}; }
};

} // namespace

void listaIndicadores(daxo::platform::DataModule& dm, const query::RowSet& rows, MapWindowData& data)
{
    auto& q = dm.Query1;
    q.close();
    q.clearSql();
    q.addLine("SELECT * FROM TEMP");
    q.open();
    data.RadioGroup1.clear();
    data.RadioGroup2.clear();
    for (int f = 3; f < q.fieldCount(); ++f) {
        const std::string field = q.fieldName(f);
        // Codigo follows Idade when ages are broken out: not a value column.
        const int position = query::PosicaoColuna(rows.CampoLinha, field);
        if (position == 0)
            continue;
        std::string label;
        query::BuscaRotulo(rows.CampoLinha, rows.RotuloLinha, field, label);
        data.RadioGroup1.push_back(label);
        data.RadioGroup2.push_back("v0" + std::to_string(position));
    }
    q.close();
}

void bt_MapaClick(daxo::platform::DataModule& dm, query::QueryRunner& runner, const MapRequest& request,
                  const MapHooks& hooks)
{
    MapChoice choice = request.choice;
    choice.QtdFaixas = request.rows->QtdFaixas();
    if (const auto recusa = recusaMapa(choice))
        throw MapRefusal(*recusa);

    ApagaArquivosMapa(request.programa);
    runner.TabelasMapa.clear();
    const std::string& sel = choice.names.front();
    const std::string& code = choice.codes.front();
    if (hooks.aguarde)
        hooks.aguarde(true);

    const LayerChoice layers =
        escolheCamada(sel, code, [&dm](const std::string& c) { return PegaNome(dm, c); });
    MapWindowData data{.state = layers.state, .indicator = choice.indicator, .sel = sel, .code = code,
                       .programa = request.programa};
    MapState& state = data.state;
    state.PrimeiraExibicaoMapa = true;

    const WriterReset reset{runner};
    runner.GravaValoresCamada = [&](const query::QueryRunner& r) {
        GravaValoresCamada(dm, request.programa, state, r.TabelasMapa);
    };
    query::QueryRequest run{.indicator = choice.indicator, .census = choice.census, .names = choice.names,
                            .codes = choice.codes, .modoMapa = true};
    run.codes.front() = layers.runCode;
    const auto executa = [&] { runner.ExecutaConsulta(*request.rows, run); };

    ZeraValoresCamada(dm, request.programa, state);
    if (state.MapaNacional) {
        for (const char* camada : {"MUNICIPIOS", "ESTADOS"}) {
            state.NomeCamada = camada;
            ZeraValoresCamada(dm, request.programa, state);
            executa();
            CopiaCamadas(request.programa, state, sel);
        }
        state.NomeCamada = "REGIOES";
        ZeraValoresCamada(dm, request.programa, state);
    }
    executa();

    if (hooks.aguarde)
        hooks.aguarde(false);
    listaIndicadores(dm, *request.rows, data);
    CopiaCamadas(request.programa, state, sel);
    dm.Table1.close();
    dm.Table2.close();
    if (sel == "Regiões")
        state.NivelRegiao = false;
    if (hooks.abreJanela)
        hooks.abreJanela(data);
}

} // namespace daxo::maps
