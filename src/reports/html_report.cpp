#include "html_report.h"

#include "report_grid.h"

#include <algorithm>
#include <cctype>

namespace daxo::reports {

namespace {

const std::string CRLF = "\r\n";
const std::string dq = "\"";

// Every piece is written followed by CR LF.
class Pieces {
public:
    void put(const std::string& piece) { text_ += piece + CRLF; }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

void scriptLines(Pieces& out)
{
    for (const char* line : {"    <SCRIPT> ", "    function xL(){   ", "    document.X.submit(); ", "    }             ",
                             "    // End -->    ", " for (x = 0 ; x <= 800 ; x=x+30) ",
                             "   { top.resizeTo(x,(x-300));  }     ", "    </SCRIPT>      "})
        out.put(line);
}

// The head piece from the title to the logo table; `formLine` and
// `logoCell` differ between the files.
std::string headPiece(const std::string& title, const std::string& formLine, const std::string& logoCell)
{
    std::string piece = "<html><head>" + CRLF + "<title>" + title + "</title>" + CRLF;
    for (const std::string& part : {
             std::string(" <meta http-equiv=\"Content-Type\" content=\"application/msexcel; charset=windows-1252\"> "),
             std::string("</head> "), std::string("<body background=\"fundo_1024_final.jpg\" >"), formLine,
             std::string("<table border=\"0\" cellspacing=\"0\" style=\"border-collapse: collapse\" "
                         "bordercolor=\"gray\" width=\"100%\" id=\"AutoNumber1\" cellpadding=\"0\">"),
             std::string("<tr> "), logoCell, std::string("  <td width=\"91%\" rowspan=\"2\"> </td>"),
             std::string("</tr>"), std::string("<tr> "), std::string("   <td width=\"9%\" align=\"center\"></td> "),
             std::string("</tr> "), std::string("</table>")})
        piece += part + CRLF;
    return piece;
}

std::string dataTableTag()
{
    return "<table width=\"80%\" style=\"font-family: Verdana; font-size: 8 pt; color: #000080; font-weight: "
           "normal\" border=\"1\" cellspacing=\"1\" cellpadding=\"2\">" + CRLF;
}

std::string headerCell(const std::string& title)
{
    return "<td width=\"20%\" style=\"color: #000000; border: 0 solid #000080\" bgcolor=\"#4BAAC8\"><p "
           "align=\"center\"><font face=\"Verdana\" size=\"2\" color=\"black\"><b>" + title + "</b></p></td>" + CRLF;
}

std::string dataCell(const std::string& text)
{
    return "<td style=\"color: #000000; border: 1 solid gray\" bgcolor=\"FFFFFF\"><p align=\"center\"><font "
           "face=\"Verdana\" size=\"1\" color=\"blue\">" + text + "</p></font></td>" + CRLF;
}

void headerRow(Pieces& out, const ReportGrid& grid)
{
    out.put("<tr>" + CRLF);
    for (const auto& title : grid.headers)
        out.put(headerCell(title));
    out.put("</tr>" + CRLF);
}

void dataRows(Pieces& out, const ReportGrid& grid)
{
    for (const auto& row : grid.rows) {
        out.put("<tr>" + CRLF);
        for (const auto& cell : row)
            out.put(dataCell(cell.shown));
        out.put("</tr>" + CRLF);
    }
}

// The same table goes into the page, inside its form, and into the worksheet.
void dataTables(Pieces& page, Pieces& sheet, const ReportGrid& grid)
{
    for (Pieces* out : {&page, &sheet}) {
        out->put(dataTableTag());
        headerRow(*out, grid);
        dataRows(*out, grid);
    }
    page.put("</table>" + CRLF);
    page.put("</form> " + CRLF);
    sheet.put("</table>" + CRLF);
}

void printBlockAndEnd(Pieces& out)
{
    out.put("<table>" + CRLF);
    for (const char* line : {"<tr>", "<td >", " <img src=\"imprime.bmp\" OnClick=\"window.print()\"  > ", "</td>",
                             "</tr>"})
        out.put(line);
    out.put("</table>" + CRLF);
    out.put(" </body> " + CRLF);
    out.put(" </html> " + CRLF);
}

void linkTable(Pieces& out, const std::string& cell)
{
    out.put("<table>" + CRLF);
    out.put(" <tr> ");
    out.put(cell);
    out.put(" </tr> ");
    out.put("</table>" + CRLF);
}

std::string worksheetParagraph(const ReportContext& context)
{
    return "<br><br><p align=\"center\"><b><font face=\"Verdana\" size=\"2\" color=\"black\"> Filtro:" +
           context.caption + "<br>" + "Censo: " + context.census + "<br></font></b>" + CRLF;
}

} // namespace

bool WorkTable::hasAgeColumn() const
{
    return columns.size() > 2 && upper(columns[2]) == "IDADE";
}

int WorkTable::firstValueColumn() const { return hasAgeColumn() ? 4 : 3; }

bool WorkTable::hasTotalColumn() const
{
    return std::any_of(columns.begin() + std::min<std::size_t>(1, columns.size()), columns.end(),
                       [](const std::string& c) { return upper(c) == "TOTAL"; });
}

bool isCountIndicator(int indicator)
{
    for (int n : {0, 2, 3, 9, 11, 13})
        if (n == indicator)
            return true;
    return false;
}

bool hasRowPercentagePage(int indicator) { return isCountIndicator(indicator); }

bool hasBrazilPercentagePage(int indicator) { return isCountIndicator(indicator) && indicator != 11; }

ReportFiles valuePages(const ReportContext& context, const WorkTable& table, const ReportGrid& grid)
{
    const std::string B = context.baseName;
    Pieces page;
    Pieces sheet;

    scriptLines(page);
    page.put(headPiece("Filtro:" + context.indicatorText, " <form name=\"X\"  method=\"post\">  ",
                       "  <td width=\"100%\" align=\"center\"><a href=" + dq + B + ".xls" + dq +
                           "> <img border=\"0\" src=\"logo-DAXO-inf.jpg\" > </a> </td> "));
    sheet.put(headPiece(context.indicatorText,
                        " <form name=\"X\" action=" + dq + B + ".xls" + dq + " method=\"post\">  ",
                        "  <td width=\"100%\" align=\"center\"> <img border=\"0\" src=\"logo-DAXO-inf.jpg\" ></td> "));

    page.put(" <p align=\"center\"><b><font face=\"Verdana\" size=\"2\" color=\"black\"> Filtro:" + context.caption +
             "<br>" + "Censo: " + context.census + CRLF);
    page.put(" <a href=" + dq + B + ".xls" + dq +
             " target=\"_blank\" ><img border=\"0\" src=\"excel.bmp\"  ></a> <br></font></b>" + CRLF);
    if (context.indicator == 14)
        page.put("<br><font face=\"Verdana\" size=\"2\" color=\"blue\"><strong> Do " + context.migrationOrigin + CRLF +
                 "</strong></font><br>");
    sheet.put(worksheetParagraph(context));

    dataTables(page, sheet, grid);
    if (table.hasTotalColumn() && hasRowPercentagePage(context.indicator))
        linkTable(page, " <td> <a href=" + dq + B + "p.html" + dq +
                            "> <font face=\"Verdana\" size=\"1\" >Tabela expressa em percentual por linha</font></a> </td> ");
    if (hasBrazilPercentagePage(context.indicator))
        linkTable(page, " <td> <a href=" + dq + B + "pb.html" + dq +
                            "> <font face=\"Verdana\" size=\"1\" >Tabela expressa em percentual em relação ao total do "
                            "Brasil </font></a> </td> ");
    printBlockAndEnd(page);
    return {page.take(), sheet.take()};
}

ReportFiles percentagePages(const ReportContext& context, Percentage kind, const ReportGrid& grid)
{
    const std::string suffix = kind == Percentage::Row ? "p" : "pb";
    const std::string sheetName = context.baseName + suffix + ".xls";
    const std::string form = " <form name=\"X\" action=" + dq + sheetName + dq + " method=\"post\">  ";
    // The logo submits the form through the script's xL().
    const std::string logo =
        "  <td width=\"100%\" align=\"center\"><img border=\"0\" src=\"logo-DAXO-inf.jpg\" onclick=\"xL();\"></td> ";

    Pieces page;
    Pieces sheet;
    scriptLines(page);
    page.put(headPiece("Filtro:" + context.indicatorText, form, logo));
    scriptLines(sheet);
    sheet.put(headPiece(context.indicatorText, form, logo));
    const std::string unit = kind == Percentage::Row ? " em %" : " em relação ao Brasil %";
    page.put(" <p align=\"center\"><b><font face=\"Verdana\" size=\"2\" color=\"black\"> Filtro:" + context.caption +
             unit + "<br>" + "Censo: " + context.census + CRLF);
    page.put(" <a href=" + dq + sheetName + dq + "><img border=\"0\" src=\"excel.bmp\" ></a> <br></font></b>" + CRLF);
    sheet.put(worksheetParagraph(context));
    dataTables(page, sheet, grid);
    printBlockAndEnd(page);
    return {page.take(), sheet.take()};
}

ReportFiles MontaHTML(const ReportContext& context, const WorkTable& table)
{
    return valuePages(context, table, valueGrid(context, table));
}

ReportFiles MontaHTMLPercentual(const ReportContext& context, const WorkTable& table)
{
    return percentagePages(context, Percentage::Row, percentageGrid(context, table, Percentage::Row, {}));
}

ReportFiles MontaHTMLPercentualBrasil(const ReportContext& context, const WorkTable& table,
                                      const std::function<double(const std::string& censo)>& totalBrasil)
{
    return percentagePages(context, Percentage::Brazil,
                           percentageGrid(context, table, Percentage::Brazil, totalBrasil));
}

} // namespace daxo::reports
