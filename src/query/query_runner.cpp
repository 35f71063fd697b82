#include "query_runner.h"

#include "bulk_insert.h"
#include "indicators/definition_lookup.h"
#include "indicators/indicator_rows.h"
#include "locality_clauses.h"
#include "platform/data_module.h"
#include "platform/names.h"
#include "runner_statements.h"
#include "text_utils.h"
#include "work_table.h"

#include <stdexcept>

namespace daxo::query {

namespace {

constexpr int kMigracao = 14;

bool isRegionCode(const std::string& code)
{
    return code.size() == 1 && code[0] >= '1' && code[0] <= '5';
}

void setLines(daxo::platform::Query& query, const std::vector<std::string>& lines)
{
    query.close();
    query.clearSql();
    for (const auto& line : lines)
        query.addLine(line);
}

template <typename Part>
Part& partOf(std::vector<Part>& parts, std::string Part::*table, const std::string& name)
{
    for (auto& part : parts)
        if (daxo::platform::sameName(part.*table, name))
            return part;
    Part& part = parts.emplace_back();
    part.*table = name;
    return part;
}

std::vector<std::string> censusesOf(const std::string& census)
{
    if (census == "1991" || census == "2000")
        return {census};
    return {"1991", "2000"};
}

} // namespace

RowSet runnerRows(const daxo::indicators::IndicatorRows& rows)
{
    RowSet out;
    for (std::size_t r = 1; r <= out.FiltroLinha.size(); ++r) {
        out.FiltroLinha[r - 1] = rows.FiltroLinha[r];
        out.CampoLinha[r - 1] = rows.CampoLinha[r];
        out.RotuloLinha[r - 1] = rows.RotuloLinha[r];
        for (std::size_t k = 1; k <= out.FiltroLinhaIdade[r - 1].size(); ++k)
            out.FiltroLinhaIdade[r - 1][k - 1] = rows.FiltroLinhaIdade[r][k];
    }
    for (std::size_t j = 0; j < rows.CamposPedidos.size() && j < out.CamposPedidos.size(); ++j)
        out.CamposPedidos[j] = rows.CamposPedidos[j];
    out.FaixaEtaria = rows.FaixaEtaria;
    out.SomaFaixas = rows.SomaFaixas;
    return out;
}

QueryRunner::QueryRunner(daxo::platform::DataModule& dm, daxo::localities::MigrationLists& migrationLists,
                         std::function<void(const std::string&)> atualizaMostrador, DefinitionLookup buscaIndicador)
    : migration(migrationLists), dm_(dm), buscaIndicador_(std::move(buscaIndicador)),
      atualizaMostrador_(std::move(atualizaMostrador))
{
    if (!buscaIndicador_)
        buscaIndicador_ = [](daxo::platform::DataModule& d, const std::string& ano, const std::string& condicao) {
            daxo::indicators::BuscaIndicador(d.Query1, ano, condicao);
        };
}

void QueryRunner::ExecutaConsulta(const RowSet& rows, const QueryRequest& request)
{
    rows_ = &rows;
    request_ = &request;
    bulk1991_.clear();
    bulk2000_.clear();
    TabelasMapa.clear();
    InsercaoGeral = TodosMunicipios = TodasUFs = TodasRegioes = TemBrasil = false;

    if (request.indicator == kMigracao && request.codes.size() < 2)
        throw std::runtime_error("Escolha pelo menos duas localidades, de e para.");

    CriaTemp(dm_, rows.agesBrokenOut(), valueColumns(rows.FiltroLinha, rows.CampoLinha));
    // The destination regions are expanded once per run from the list as it
    // stands, so regions removed since an earlier run are not computed.
    if (request.indicator == kMigracao)
        ExpandeRegiaoMigracao(request);

    const auto censuses = censusesOf(request.census);
    if (!rows.agesBrokenOut()) {
        for (int i = 0; i < 11; ++i) {
            if (rows.FiltroLinha[i].empty())
                continue;
            for (const auto& ano : censuses) {
                buscaIndicador_(dm_, ano, rows.FiltroLinha[i]);
                CalculaIndicador(ano, i);
            }
        }
        if (InsercaoGeral)
            InsereEmBloco(0);
    } else {
        for (int b = 1; b <= rows.QtdFaixas() && b <= 7; ++b) {
            bulk1991_.clear();
            bulk2000_.clear();
            for (int i = 0; i < 11; ++i) {
                const std::string& condicao = rows.FiltroLinhaIdade[i][b - 1];
                if (condicao.empty())
                    continue;
                for (const auto& ano : censuses) {
                    buscaIndicador_(dm_, ano, condicao);
                    CalculaIndicadorIdade(ano, i, b);
                }
            }
            if (InsercaoGeral)
                InsereEmBloco(b);
        }
        InsercaoGeral = false;
    }

    if (request.indicator != kMigracao)
        pruneTemp(dm_, rows.agesBrokenOut(), rows.CamposPedidos);
    if (request.modoMapa && GravaValoresCamada)
        GravaValoresCamada(*this);
}

void QueryRunner::ExpandeRegiaoMigracao(const QueryRequest& request)
{
    migration.clear();
    const std::string& origin = request.codes.front();
    for (std::size_t j = 1; j < request.codes.size(); ++j) {
        const std::string& code = request.codes[j];
        if (!isRegionCode(code))
            continue;
        auto& q = dm_.Query5;
        setLines(q, {" select * from nivelgeograficouf ", " where regiao = '" + code + "'"});
        q.open();
        std::string states;
        for (q.first(); !q.eof(); q.next())
            states += (states.empty() ? "" : " OR ") + std::string(" codigo = '") + escapeSqlText(q.field("CODIGO").asString()) + "'";
        q.close();
        const std::string name = j < request.names.size() ? request.names[j] : code;
        if (states.empty())
            throw std::runtime_error("Nenhuma Unidade da Federação da região " + name +
                                     " foi encontrada na tabela nivelgeograficouf.");
        migration.conditions.push_back("(" + states + ")" + " and   codigo_de = '" + escapeSqlText(origin) + "'");
        migration.codes.push_back(code);
        migration.descriptions.push_back(name);
    }
}

std::string QueryRunner::localityFilter(const QueryRequest& request)
{
    if (request.indicator == kMigracao) {
        std::vector<std::string> states;
        for (std::size_t j = 1; j < request.codes.size(); ++j)
            if (!isRegionCode(request.codes[j]))
                states.push_back(request.codes[j]);
        if (states.empty())
            return {};
        return "(" + chosenLocalityFilter(states) + ")" + " and   codigo_de = '" + escapeSqlText(request.codes.front()) + "'";
    }
    if (request.modoMapa)
        return {};
    for (const auto& code : request.codes) {
        if (code == kAllMunicipalities)
            TodosMunicipios = InsercaoGeral = true;
        else if (code == kAllRegions)
            TodasRegioes = InsercaoGeral = true;
        else if (code == kAllStates)
            TodasUFs = InsercaoGeral = true;
        else if (code == kBrasil)
            TemBrasil = true;
    }
    return chosenLocalityFilter(request.codes);
}

void QueryRunner::calculaLinha(const std::string& ano, int linha, int faixa)
{
    const QueryRequest& request = *request_;
    if (request.names.empty() && !request.modoMapa)
        throw std::runtime_error("Selecione pelo menos uma localidade");

    const std::string filter = localityFilter(request);
    auto& definitions = dm_.Query1;
    definitions.first();
    const std::string tabMi = definitions.field("TAB_MI" + ano).asString();
    const std::string tabMu = definitions.field("TAB_MU" + ano).asString();
    std::string expression;
    for (; !definitions.eof(); definitions.next())
        expression += (expression.empty() ? "" : "+") + definitions.field("CODIGO").asString();
    definitions.close();

    const std::string& campo = rows_->CampoLinha[linha];
    if (request.modoMapa) {
        if (const int pos = PosicaoColuna(rows_->CampoLinha, campo); pos > 0)
            partOf(TabelasMapa, &MapaTabela::TabelaMatriz, tabMu).ColunasMapa[pos - 1] = expression;
        return;
    }
    if (InsercaoGeral) {
        BulkColumns& part = partOf(ano == "1991" ? bulk1991_ : bulk2000_, &BulkColumns::table, tabMu);
        part.columns.push_back(campo);
        part.expressions.push_back(expression);
        return;
    }
    if (!filter.empty()) {
        queryMatrix(matrixStatement(MatrixTable::Mi, faixa > 0, expression, tabMi, filter), ano, linha, faixa);
        queryMatrix(matrixStatement(MatrixTable::Mu, faixa > 0, expression, tabMu, filter), ano, linha, faixa);
    }
    if (request.indicator == kMigracao) {
        for (std::size_t e = 0; e < migration.conditions.size(); ++e) {
            for (auto [which, table] : {std::pair{MatrixTable::Mi, tabMi}, std::pair{MatrixTable::Mu, tabMu}}) {
                queryMatrix({migrationRegionStatement(which, migration.descriptions[e], migration.codes[e],
                                                      expression, table, migration.conditions[e])},
                            ano, linha, -1);
            }
        }
    }
}

// Runs a matrix statement on qryDinSistema and writes each record's value.
// `faixa` -1 marks the migration region sums, written whatever their value.
void QueryRunner::queryMatrix(const std::vector<std::string>& lines, const std::string& ano, int linha, int faixa)
{
    auto& matrix = dm_.qryDinSistema;
    setLines(matrix, lines);
    if (atualizaMostrador_)
        atualizaMostrador_("Consultando " + ano);
    matrix.open();
    for (matrix.first(); !matrix.eof(); matrix.next()) {
        if (atualizaMostrador_)
            atualizaMostrador_(ano);
        try {
            const auto value = matrix.field(3);
            const bool positive = !value.asString().empty() && value.asFloat() > 0;
            if (faixa < 0 || (faixa == 0 && positive))
                GravaLinhaTemp(ano, linha);
            else if (faixa > 0 && positive)
                GravaLinhaTempIdade(ano, linha, faixa);
        } catch (const std::exception&) {
            // A record that cannot be written is skipped; the run goes on.
        }
    }
    matrix.close();
}

// The row is inserted at its first value and updated for the next columns.
void QueryRunner::gravaValor(const std::string& ano, int linha, int faixa)
{
    auto& record = dm_.qryDinSistema;
    const bool migracao = request_->indicator == kMigracao;
    const auto value = record.field(3);
    const std::string name = record.field("Localidade").asString();
    const std::string phrase = faixa > 0 ? rows_->FaixaEtaria[faixa - 1] : "";

    WorkTableCell cell{.census = ano,
                       .code = record.field("CODIGO").asString(),
                       .ageText = ageColumnText(phrase),
                       .column = rows_->CampoLinha[linha],
                       .valueText = value.asString()};
    const std::string label =
        faixa > 0 && request_->modoGrafico
            ? chartLocalityLabel(ano, name, ResumeFaixaEtaria(phrase))
            : localityLabel(ano, migracao ? "" : record.field("UFSIGLA").asString(), name, migracao);

    auto& q = dm_.Query2;
    setLines(q, existenceCheck(cell));
    q.open();
    const bool exists = !q.eof();
    q.close();

    if (!exists) {
        setLines(q, insertStatement(cell, label));
        try {
            q.execute();
        } catch (const std::exception&) {
            // An empty sum has no numeric form: the record is skipped rather
            // than written as 0.
            if (value.isNull() || value.asString().empty())
                throw;
            cell.valueText = daxo::platform::Value(value.asFloat()).asString();
            setLines(q, insertStatement(cell, label));
            q.execute();
        }
        return;
    }
    setLines(q, updateStatement(cell, false));
    try {
        q.execute();
    } catch (const std::exception&) {
        setLines(q, updateStatement(cell, true));
        if (!value.isNull() || faixa > 0) {
            q.setParam("valor", value);
            q.execute();
        }
    }
}

void QueryRunner::InsereEmBloco(int faixa)
{
    const std::string idade = faixa > 0 ? ageColumnText(rows_->FaixaEtaria[faixa - 1]) : "";
    const WholeLevels levels{TodosMunicipios, TodasUFs, TodasRegioes, TemBrasil};
    auto& q = dm_.Query2;
    for (const auto& [census, parts] : {std::pair{1991, &bulk1991_}, std::pair{2000, &bulk2000_}}) {
        for (std::size_t t = 0; t < parts->size(); ++t) {
            const BulkColumns& part = (*parts)[t];
            std::string insert = bulkInsertHead(faixa > 0);
            std::string select = bulkSelectHead(census, idade);
            for (std::size_t c = 0; c < part.columns.size(); ++c) {
                insert += " , " + part.columns[c];
                select += "," + part.expressions[c];
            }
            if (t == 0) {
                setLines(q, bulkInsertLines(census, insert, select, part.table, levels));
                q.execute();
                continue;
            }
            setLines(q, bulkUpdateLines(census, idade, part));
            q.execute();
            setLines(q, bulkInsertMissingLines(census, idade, insert, select, part.table, levels));
            q.execute();
        }
    }
}

} // namespace daxo::query
