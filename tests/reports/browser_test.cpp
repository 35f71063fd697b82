// The report page as a browser shows it: Debian's chromium, headless, reads
// the Windows-1252 page the program writes; the test checks the table it
// built and that the header row was painted in the header colour.
#include "platform/data_module.h"
#include "platform/dbf_table.h"
#include "reports/table_report.h"

#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <regex>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace daxo;
using platform::DbfTable;
using platform::FieldType;
using platform::Value;

namespace {

const char* const kBrowser = "/usr/bin/chromium";

std::string browserCommand(const fs::path& profile, const std::string& action, const fs::path& page)
{
    return "timeout 120 " + std::string(kBrowser) +
           " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
           " --disable-background-networking --disable-component-update --disable-sync"
           " --hide-scrollbars --window-size=1024,600 --user-data-dir=" +
           profile.string() + " " + action + " file://" + page.string() + " 2>/dev/null";
}

std::string capture(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
            out.append(buffer.data(), n);
        ::pclose(pipe);
    }
    return out;
}

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("daxo_browser_" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "Bases");
        auto temp = DbfTable::create(folder / "Bases" / "Temp.dbf",
                                     {{"Censo", FieldType::Character, 4, 0},
                                      {"Localidade", FieldType::Character, 100, 0},
                                      {"Codigo", FieldType::Character, 10, 0},
                                      {"Mas", FieldType::Numeric, 20, 2},
                                      {"Fem", FieldType::Numeric, 20, 2},
                                      {"Total", FieldType::Numeric, 20, 2}});
        const std::vector<std::vector<Value>> rows = {
            {"2000", "MG São Thomé das Letras-2000", "316520", 1234.5, 1300.0, 2534.5},
            {"2000", "SE Sergipe-2000", "28", 870000.0, Value(), 1784475.0}};
        for (const auto& row : rows) {
            const auto r = temp.appendRecord();
            for (std::size_t f = 0; f < row.size(); ++f)
                temp.setValue(r, static_cast<int>(f), row[f]);
        }
        temp.save();
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path writeReport()
    {
        platform::DataModule dm(folder / "Bases");
        reports::TableReportJob job;
        job.context = {.indicator = 0, .indicatorText = "População", .caption = "População de homens e mulheres",
                       .census = "2000"};
        job.context.buscaRotulo = [](const std::string& column, std::string& label) {
            if (column == "Mas") label = "Homens";
            if (column == "Fem") label = "Mulheres";
            if (column == "Total") label = "Total";
        };
        job.programFolder = folder;
        int numero = 1;
        reports::TotalBrasil total;
        return reports::MontaRelatorio(dm, job, numero, total).page;
    }

    fs::path folder;
};

} // namespace

TEST_F(BrowserTest, RendersTheReportTable)
{
    ASSERT_TRUE(fs::exists(kBrowser)) << "chromium is missing: scripts/deps.sh --with-browser installs it";
    const fs::path page = writeReport();

    const std::string dom = capture(browserCommand(folder / "profile", "--dump-dom", page));
    ASSERT_NE(dom.find("<table"), std::string::npos) << dom.substr(0, 500);

    // The header cells, as the browser parsed them.
    std::vector<std::string> titles;
    const std::regex header(R"re(bgcolor="#4BAAC8"><p align="center"><font[^>]*><b>([^<]*)</b>)re");
    for (std::sregex_iterator it(dom.begin(), dom.end(), header), end; it != end; ++it)
        titles.push_back((*it)[1]);
    EXPECT_EQ(titles, (std::vector<std::string>{"Censo", "Localidade", "Homens", "Mulheres", "Total"}));

    // The cells of the data rows: names decoded from Windows-1252, grouped
    // numbers with a decimal comma, "-" for the missing value.
    std::vector<std::string> cells;
    const std::regex cell(R"re(color="blue">([^<]*)</font>)re");
    for (std::sregex_iterator it(dom.begin(), dom.end(), cell), end; it != end; ++it)
        cells.push_back((*it)[1]);
    EXPECT_EQ(cells, (std::vector<std::string>{"2000", "MG São Thomé das Letras", "1.234,5", "1.300", "2.534,5",
                                               "2000", "SE Sergipe", "870.000", "-", "1.784.475"}));
    EXPECT_NE(dom.find("População2p.html"), std::string::npos);
    EXPECT_NE(dom.find("População2pb.html"), std::string::npos);

    // The painted page: the header row's colour covers a band of pixels.
    const fs::path shot = folder / "page.png";
    capture(browserCommand(folder / "profile", "--screenshot=" + shot.string(), page));
    QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull()) << "no screenshot";
    int headerPixels = 0, bluePixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            headerPixels += std::abs(c.red() - 0x4B) < 8 && std::abs(c.green() - 0xAA) < 8 && std::abs(c.blue() - 0xC8) < 8;
            bluePixels += c.blue() > 150 && c.red() < 80 && c.green() < 80;
        }
    EXPECT_GT(headerPixels, 5 * 80 * 10) << "five header cells at least 80 × 10 pixels";
    EXPECT_GT(bluePixels, 20) << "the blue cell texts";
}
