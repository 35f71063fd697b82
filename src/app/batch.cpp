#include "batch.h"

#include "chart_output.h"
#include "data_module_setup.h"
#include "indicators/indicator_rows.h"
#include "localities/chosen_list.h"
#include "main_window.h"
#include "maps/map_preparation.h"
#include "maps/widgets/map_window.h"
#include "reports/report_export.h"
#include "saved_query.h"
#include "platform/system_errors.h"
#include "table_output.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace daxo::app {

namespace fs = std::filesystem;

const char* const kUsoLinhaDeComando =
    "Uso: daxo --consulta ARQUIVO [--consulta ARQUIVO ...] [--saida PASTA]\n"
    "            [--formatos LISTA] [--saida-tipo tabela|grafico|mapa]\n"
    "     daxo --ajuda\n"
    "\n"
    "Executa consultas salvas pelo botão \"Salvar consulta...\" sem abrir a janela.\n"
    "  --consulta ARQUIVO   a consulta salva (.json); várias são executadas em ordem\n"
    "  --saida PASTA        onde gravar os arquivos (a pasta atual, se omitida)\n"
    "  --formatos LISTA     separados por vírgula; todos os do tipo de saída, se\n"
    "                       omitida: tabela: html (página e planilha .xls com as\n"
    "                       páginas de percentuais), xlsx, csv; grafico: png, svg,\n"
    "                       pdf e csv (dados do gráfico); mapa: png, svg, pdf\n"
    "  --saida-tipo TIPO    tabela (padrão), grafico ou mapa\n"
    "Gráficos e mapas têm o nome do arquivo da consulta: para NOME.json,\n"
    "NOME_grafico.png (.svg, .pdf, .csv) e, nos indicadores com percentuais do\n"
    "Brasil, NOME_grafico_percentual.png (.svg, .pdf, .csv); o mapa, a primeira\n"
    "vista da janela do mapa com título, legenda, escala e norte, em\n"
    "NOME_mapa.png, .svg e .pdf.\n"
    "As tabelas seguem a numeração das que já estão na pasta, sem substituí-las;\n"
    "as páginas levam junto as figuras que mostram.\n"
    "Cada arquivo gravado é listado. Uma recusa ou falha encerra com a mensagem\n"
    "(precedida do nome da consulta, quando são várias) e código de saída\n"
    "diferente de zero.\n";

namespace {

// The formats each kind of output writes, the first kind the default.
struct OutputKind {
    const char* name;
    std::vector<std::string> formats;
};
const std::vector<OutputKind> kSaidas = {{"tabela", {"html", "xlsx", "csv"}},
                                         {"grafico", {"png", "svg", "pdf", "csv"}},
                                         {"mapa", {"png", "svg", "pdf"}}};

const OutputKind* outputKind(const std::string& name)
{
    for (const auto& kind : kSaidas)
        if (name == kind.name)
            return &kind;
    return nullptr;
}

// "html, xlsx ou csv"
std::string alternatives(const std::vector<std::string>& words)
{
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i)
        text += (i == 0 ? "" : i + 1 == words.size() ? " ou " : ", ") + words[i];
    return text;
}

bool wanted(const BatchOptions& options, const std::string& format)
{
    return options.formatos.empty() || options.formatos.count(format);
}

std::vector<std::string> splitComma(const std::string& text)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : text + ",") {
        if (c != ',') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

// A saved query as the output buttons read the window's choices.
OutputQuery savedQueryRun(const SavedQuery& query, const indicators::IndicatorPanels& panels,
                          const indicators::IndicatorRows& rows, localities::MigrationLists& migration)
{
    return {.dm = &dmDAXO(),
            .rows = &rows,
            .panels = &panels,
            .caption = panels.caption(),
            .census = panels.census(),
            .names = query.names,
            .codes = query.codes,
            .migration = &migration};
}

// `picturesCopied`: the pages' pictures are copied once per call.
void runTable(const SavedQuery& query, const indicators::IndicatorPanels& panels, const indicators::IndicatorRows& rows,
              const fs::path& programFolder, const BatchOptions& options, bool& picturesCopied, std::ostream& out)
{
    localities::MigrationLists migration;
    const auto written = tableReport({.query = savedQueryRun(query, panels, rows, migration),
                                      .folder = options.saida,
                                      .formats = {.pages = wanted(options, "html"),
                                                  .workbook = wanted(options, "xlsx"),
                                                  .csv = wanted(options, "csv")}});
    for (const auto& file : written.files)
        out << file.string() << '\n';
    // The pages show the program's pictures; beside them they show there too.
    if (wanted(options, "html") && !picturesCopied) {
        for (const auto& file : reports::copyPageImages(programFolder, options.saida))
            out << file.string() << '\n';
        picturesCopied = true;
    }
}

// The map window is built off screen and shows its first view as it would
// on the screen; its warnings are told, its failures end the run.
void writeMap(const maps::MapWindowData& data, const indicators::IndicatorPanels& panels,
              const fs::path& file, const BatchOptions& options, std::ostream& out, std::ostream& err)
{
    std::string failure;
    maps::TfrmMapaBrasil mapa(data, dmDAXO(), panels.caption(), panels.census());
    mapa.onError = [&](const std::exception& e) {
        if (dynamic_cast<const maps::AvisoMapa*>(&e))
            err << "Aviso: " << e.what() << '\n';
        else if (failure.empty())
            failure = e.what();
    };
    mapa.mostraPrimeiraVisao();
    if (!failure.empty())
        throw std::runtime_error(failure);
    const auto figura = mapa.figura();
    for (const char* format : {"png", "svg", "pdf"}) {
        if (!options.formatos.empty() && !options.formatos.count(format))
            continue;
        const fs::path target = options.saida / (file.stem().string() + "_mapa." + format);
        maps::gravaFigura(target, figura);
        out << target.string() << '\n';
    }
}

// The files of one chart, named after the query file.
void writeChart(const charts::ChartData& chart, const std::string& name, const BatchOptions& options, std::ostream& out)
{
    for (const auto& format : outputKind("grafico")->formats) {
        if (!wanted(options, format))
            continue;
        const fs::path file = options.saida / (name + "." + format);
        for (const auto& written : charts::exportChart(chart, file))
            out << written.string() << '\n';
    }
}

void runChart(const SavedQuery& query, const fs::path& queryFile, const indicators::IndicatorPanels& panels,
              const indicators::IndicatorRows& rows, const BatchOptions& options, std::ostream& out)
{
    localities::MigrationLists migration;
    const Charts charts = buildCharts({.query = savedQueryRun(query, panels, rows, migration)});
    const std::string name = queryFile.stem().string() + "_grafico";
    writeChart(charts.absolute, name, options, out);
    if (charts.percentage)
        writeChart(*charts.percentage, name + "_percentual", options, out);
}

void runMap(const SavedQuery& query, const indicators::IndicatorPanels& panels, const indicators::IndicatorRows& rows,
            const fs::path& file, const fs::path& programFolder, const BatchOptions& options, std::ostream& out,
            std::ostream& err)
{
    const auto runnerRows = query::runnerRows(rows);
    localities::MigrationLists migration;
    query::QueryRunner runner(dmDAXO(), migration);
    maps::bt_MapaClick(dmDAXO(), runner,
                       {.choice = {.indicator = panels.indicatorIndex(),
                                   .census = panels.census(),
                                   .names = query.names,
                                   .codes = query.codes},
                        .rows = &runnerRows,
                        .programa = programFolder},
                       {.aguarde = {}, .abreJanela = [&](const maps::MapWindowData& data) {
                            writeMap(data, panels, file, options, out, err);
                        }});
}

// Why the output folder cannot take the files; empty when it can.
std::string outputFolderProblem(const fs::path& folder)
{
    std::error_code ec;
    const auto status = fs::status(folder, ec);
    if (status.type() == fs::file_type::not_found)
        return "A pasta de saída " + folder.string() + " não existe.";
    if (ec)
        return "A pasta de saída " + folder.string() + " não pode ser lida: " + platform::systemReason(ec) + ".";
    if (!fs::is_directory(status))
        return "A saída " + folder.string() + " não é uma pasta.";
    return {};
}

// Charts and maps are named after their query file: two files of one name
// (in different folders) would write over each other's pictures.
std::string sameNamedQueries(const BatchOptions& options)
{
    if (options.saidaTipo == "tabela")
        return {};
    std::error_code ec;
    for (std::size_t i = 0; i < options.consultas.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (options.consultas[i].stem() == options.consultas[j].stem() &&
                !fs::equivalent(options.consultas[i], options.consultas[j], ec))
                return "As consultas " + options.consultas[j].string() + " e " + options.consultas[i].string() +
                       " têm o mesmo nome; os arquivos de uma substituiriam os da outra. Renomeie uma delas.";
    return {};
}

// The highest report number of the table files already in the folder, 1
// when there are none: a later call numbers its reports on from there
// instead of writing over an earlier call's.
int lastReportNumber(const fs::path& folder)
{
    int last = 1;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string extension = it->path().extension().string();
        if (extension != ".html" && extension != ".xls" && extension != ".xlsx" && extension != ".csv")
            continue;
        // Every report has a file of its main base name, "<name><number>".
        const std::string stem = it->path().stem().string();
        std::size_t digits = stem.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(stem[digits - 1])))
            --digits;
        if (digits < stem.size() && stem.size() - digits < 9)
            last = std::max(last, std::stoi(stem.substr(digits)));
    }
    return last;
}

// Messages break lines with a carriage return, as the message window reads
// them; a terminal would write the second line over the first.
std::string terminalText(const std::string& text)
{
    return QString::fromStdString(text).replace("\r\n", "\n").replace('\r', '\n').toStdString();
}

} // namespace

bool isBatchCall(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--consulta" || a == "--ajuda" || a.rfind("--consulta=", 0) == 0)
            return true;
    }
    return false;
}

BatchOptions parseBatchArguments(const std::vector<std::string>& arguments)
{
    BatchOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--ajuda") {
            options.ajuda = true;
            continue;
        }
        if (a != "--consulta" && a != "--saida" && a != "--formatos" && a != "--saida-tipo")
            throw std::runtime_error("Opção desconhecida: " + a + "\n\n" + kUsoLinhaDeComando);
        if (i + 1 >= arguments.size())
            throw std::runtime_error("Falta o valor da opção " + a + "\n\n" + kUsoLinhaDeComando);
        const std::string& value = arguments[++i];
        if (a == "--consulta") {
            options.consultas.emplace_back(value);
        } else if (a == "--saida") {
            options.saida = value;
        } else if (a == "--saida-tipo") {
            if (!outputKind(value)) {
                std::vector<std::string> names;
                for (const auto& kind : kSaidas)
                    names.push_back(kind.name);
                throw std::runtime_error("Tipo de saída desconhecido: " + value + " (use " + alternatives(names) + ")");
            }
            options.saidaTipo = value;
        } else {
            for (const auto& format : splitComma(value))
                options.formatos.insert(format);
            if (options.formatos.empty())
                throw std::runtime_error("A lista de --formatos está vazia; omita a opção para gravar todos "
                                         "os formatos da saída.");
        }
    }
    // Checked once every option is read: the type may come after the formats.
    const OutputKind& kind = *outputKind(options.saidaTipo);
    for (const auto& format : options.formatos)
        if (std::find(kind.formats.begin(), kind.formats.end(), format) == kind.formats.end())
            throw std::runtime_error("O formato " + format + " não serve para a saída " + kind.name + " (use " +
                                     alternatives(kind.formats) + ")");
    if (!options.ajuda && options.consultas.empty())
        throw std::runtime_error(std::string("Nenhuma consulta indicada.\n\n") + kUsoLinhaDeComando);
    return options;
}

int runBatch(const BatchOptions& given, const fs::path& programFolder, std::ostream& out, std::ostream& err)
{
    if (given.ajuda) {
        out << kUsoLinhaDeComando;
        return 0;
    }
    BatchOptions options = given;
    std::error_code ec;
    options.saida = fs::absolute(options.saida.empty() ? fs::current_path(ec) : options.saida, ec);
    if (const std::string problem = outputFolderProblem(options.saida); !problem.empty()) {
        err << problem << '\n';
        return 1;
    }
    if (const std::string clash = sameNamedQueries(options); !clash.empty()) {
        err << clash << '\n';
        return 1;
    }
    // Numbered as in a window just opened, after the reports already there.
    NumeroRelatorio = lastReportNumber(options.saida);
    bool picturesCopied = false;
    const fs::path* current = nullptr;
    try {
        criaDmDAXO(programFolder);
        for (const auto& file : options.consultas) {
            current = &file;
            const SavedQuery query = readQueryFile(file);
            checkLocalities(query, dmDAXO().qryTemp);
            indicators::IndicatorPanels panels;
            restorePanels(panels, query);
            panels.VerificaPasso3();
            const auto rows = indicators::MontaLinhasIndicador(panels);
            if (options.saidaTipo == "mapa")
                runMap(query, panels, rows, file, programFolder, options, out, err);
            else if (options.saidaTipo == "grafico")
                runChart(query, file, panels, rows, options, out);
            else
                runTable(query, panels, rows, programFolder, options, picturesCopied, out);
        }
    } catch (const std::exception& e) {
        // With several queries, say which one stopped the run.
        if (current && options.consultas.size() > 1)
            err << "Consulta " << current->string() << ":\n";
        err << terminalText(platform::userMessage(e)) << '\n';
        return 1;
    }
    return 0;
}

} // namespace daxo::app
