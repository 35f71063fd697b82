#include "platform/formats.h"
#include "reports/html_report.h"

#include <gtest/gtest.h>

using namespace daxo::reports;
using daxo::platform::Value;

namespace {

ReportContext populationContext()
{
    ReportContext c;
    c.indicator = 0;
    c.indicatorText = "População";
    c.caption = "População de homens e mulheres";
    c.census = "2000";
    c.baseName = "População2";
    c.buscaRotulo = [](const std::string& column, std::string& label) {
        if (column == "Mas")
            label = "Homens";
        else if (column == "Total")
            label = "total";
    };
    return c;
}

WorkTable populationTable()
{
    return {{"Censo", "Localidade", "Codigo", "Mas", "Zzz", "Total"},
            {{Value("2000"), Value("BA Bahia-2000"), Value("29"), Value(1234.5), Value(), Value(16987285.6)},
             {Value("2000"), Value(" Centro-Oeste-2000"), Value("5"), Value(0.0), Value(0.0), Value(2469.0)}}};
}

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

std::string cell(const std::string& text)
{
    return "<font face=\"Verdana\" size=\"1\" color=\"blue\">" + text + "</p></font></td>\r\n";
}

} // namespace

TEST(HtmlReport, PageHeadLinksTheWorksheetAndTheTableHasItsCells)
{
    const auto files = MontaHTML(populationContext(), populationTable());
    EXPECT_EQ(files.page.substr(0, 16), "    <SCRIPT> \r\n ");
    EXPECT_NE(files.page.find("<title>Filtro:População</title>\r\n"), std::string::npos);
    EXPECT_NE(files.page.find("<a href=\"População2.xls\"> <img border=\"0\" src=\"logo-DAXO-inf.jpg\" >"), std::string::npos);
    EXPECT_EQ(files.page.find("news:"), std::string::npos);
    EXPECT_NE(files.page.find(" Filtro:População de homens e mulheres<br>Censo: 2000\r\n\r\n"), std::string::npos);

    // Header titles: the labels of the rows, the previous one kept for a column no row has.
    EXPECT_NE(files.page.find("<b>Censo</b>"), std::string::npos);
    EXPECT_EQ(count(files.page, "<b>Homens</b>"), 2u);
    EXPECT_EQ(count(files.page, "<b>total</b>"), 1u);

    // Values: grouped count picture, a null as "-", a zero as nothing; names whole.
    EXPECT_NE(files.page.find(cell("1.234,5")), std::string::npos);
    EXPECT_NE(files.page.find(cell("-")), std::string::npos);
    EXPECT_NE(files.page.find(cell("")), std::string::npos);
    EXPECT_NE(files.page.find(cell(" Centro-Oeste")), std::string::npos);
    EXPECT_EQ(files.page.find(cell("29")), std::string::npos);   // Codigo is not shown

    // Both percentage links for a population table with a Total column.
    EXPECT_NE(files.page.find("<a href=\"População2p.html\">"), std::string::npos);
    EXPECT_NE(files.page.find("<a href=\"População2pb.html\">"), std::string::npos);
    EXPECT_TRUE(files.page.ends_with("</table>\r\n\r\n </body> \r\n\r\n </html> \r\n\r\n"));

    EXPECT_NE(files.sheet.find("<title>População</title>"), std::string::npos);
    EXPECT_NE(files.sheet.find(cell("1.234,5")), std::string::npos);
    EXPECT_EQ(files.sheet.find("imprime.bmp"), std::string::npos);
}

TEST(HtmlReport, RateIndicatorsShowTwoDecimalsAndMigrationShowsTheOrigin)
{
    auto context = populationContext();
    context.indicator = 14;
    context.migrationOrigin = "Bahia para";
    const auto files = MontaHTML(context, populationTable());
    EXPECT_NE(files.page.find(cell("1.234,50")), std::string::npos);
    EXPECT_NE(files.page.find("<strong> Do Bahia para\r\n</strong></font><br>"), std::string::npos);
    EXPECT_EQ(files.page.find("p.html"), std::string::npos);
}

TEST(HtmlReport, AgeLayoutShowsPlainValuesAndTheAgeColumn)
{
    WorkTable table{{"Censo", "Localidade", "Idade", "Codigo", "Mas"},
                    {{Value("1991"), Value("Norte-1991"), Value("de 0 a 3 anos"), Value("1"), Value(1234.5)}}};
    auto context = populationContext();
    context.indicator = 6;
    const auto files = MontaHTML(context, table);
    EXPECT_NE(files.page.find("<b>Faixa Etária</b>"), std::string::npos);
    EXPECT_NE(files.page.find(cell("de 0 a 3 anos")), std::string::npos);
    EXPECT_NE(files.page.find(cell("1234,5")), std::string::npos);
}

TEST(HtmlReport, PercentagePages)
{
    const auto row = MontaHTMLPercentual(populationContext(), populationTable());
    EXPECT_NE(row.page.find(" Filtro:População de homens e mulheres em %<br>"), std::string::npos);
    EXPECT_NE(row.page.find("action=\"População2p.xls\""), std::string::npos);
    EXPECT_EQ(count(row.page, cell("100,00")), 2u);   // the Total column of both rows
    EXPECT_EQ(count(row.page, cell("0.00")), 3u);     // a null and two zeros
    EXPECT_NE(row.page.find(cell("0,01")), std::string::npos);
    // The worksheet's logo calls the script, so the worksheet carries it too.
    EXPECT_EQ(row.sheet.rfind("    <SCRIPT> \r\n", 0), 0u);
    EXPECT_NE(row.sheet.find("<title>População</title>"), std::string::npos);
    EXPECT_NE(row.sheet.find("onclick=\"xL();\""), std::string::npos);

    WorkTable tenth{{"Censo", "Localidade", "Codigo", "Total"},
                    {{Value("2000"), Value("BA Bahia-2000"), Value("29"), Value(16987285.6)},
                     {Value("1991"), Value("BA Bahia-1991"), Value("29"), Value(14681577.7)}}};
    const auto brazil = MontaHTMLPercentualBrasil(populationContext(), tenth, [](const std::string& censo) {
        return censo == "1991" ? 146815777.0 : 169872856.0;
    });
    EXPECT_NE(brazil.page.find(" em relação ao Brasil %<br>"), std::string::npos);
    EXPECT_EQ(count(brazil.page, cell("10,00")), 2u);
    EXPECT_EQ(count(brazil.sheet, cell("10,00")), 2u);
}
