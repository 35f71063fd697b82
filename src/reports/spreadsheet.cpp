#include "spreadsheet.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <clocale>
#include <charconv>
#include <map>
#include <string>

namespace daxo::reports {


namespace {

// The pages show "0.00" for a missing value on the percentage pages; the
// sheets keep it apart from a zero.
const char* const kMissing = "-";

// The library leaves the system's reason in errno, when there is one.
[[noreturn]] void cannotWrite(const platform::PendingFile& file)
{
    throw platform::FileError("gravar", file.target(), {errno ? errno : EIO, std::generic_category()});
}

// Sheet names may not carry these characters and hold at most 31.
std::string sheetName(std::string name)
{
    for (char& c : name)
        if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos)
            c = ' ';
    return name.size() > 31 ? name.substr(0, 31) : name;
}

// The library writes numbers with the C library's printf: under a locale
// with a decimal comma (any Brazilian desktop) the sheets would hold
// "49,75" where the file format wants "49.75".
class DecimalPoint {
public:
    DecimalPoint() : saved_(std::setlocale(LC_NUMERIC, nullptr)) { std::setlocale(LC_NUMERIC, "C"); }
    ~DecimalPoint() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    DecimalPoint(const DecimalPoint&) = delete;
    DecimalPoint& operator=(const DecimalPoint&) = delete;

private:
    std::string saved_;
};

class Workbook {
public:
    explicit Workbook(const platform::PendingFile& file)
    {
        lxw_workbook_options options{};
        // Rows are written in order, so the sheets need not be held in memory.
        options.constant_memory = LXW_TRUE;
        errno = 0;
        book_ = workbook_new_opt(file.temporaryPath().c_str(), &options);
        if (!book_)
            cannotWrite(file);
        bold_ = workbook_add_format(book_);
        format_set_bold(bold_);
        header_ = workbook_add_format(book_);
        format_set_bold(header_);
        format_set_bg_color(header_, 0x4BAAC8);
        format_set_text_wrap(header_);
        format_set_align(header_, LXW_ALIGN_CENTER);
    }
    ~Workbook()
    {
        if (book_)
            workbook_close(book_);
    }

    void add(const SheetPage& page)
    {
        lxw_worksheet* sheet = workbook_add_worksheet(book_, sheetName(page.name).c_str());
        const ReportGrid& grid = *page.grid;
        lxw_row_t row = 0;
        for (const auto& line : page.topLines)
            worksheet_write_string(sheet, row++, 0, line.c_str(), bold_);
        ++row;
        for (std::size_t c = 0; c < grid.headers.size(); ++c) {
            worksheet_set_column(sheet, c, c, c == 1 ? 36 : 16, nullptr);
            worksheet_write_string(sheet, row, c, grid.headers[c].c_str(), header_);
        }
        worksheet_freeze_panes(sheet, row + 1, 0);
        for (const auto& cells : grid.rows) {
            ++row;
            for (std::size_t c = 0; c < cells.size(); ++c) {
                const GridCell& cell = cells[c];
                switch (cell.kind) {
                case GridCell::Kind::Text:
                    worksheet_write_string(sheet, row, c, cell.shown.c_str(), nullptr);
                    break;
                case GridCell::Kind::Missing:
                    worksheet_write_string(sheet, row, c, kMissing, nullptr);
                    break;
                case GridCell::Kind::Number:
                    worksheet_write_number(sheet, row, c, cell.number, numberFormat(grid.numberFormats[c]));
                    break;
                case GridCell::Kind::NoShare:
                    break;
                }
            }
        }
    }

    bool close()
    {
        errno = 0;
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        return error == LXW_NO_ERROR;
    }

private:
    DecimalPoint decimalPoint_;   // first: held until the book is closed
    lxw_format* numberFormat(const std::string& pattern)
    {
        if (pattern.empty())
            return nullptr;
        auto [it, added] = formats_.try_emplace(pattern, nullptr);
        if (added) {
            it->second = workbook_add_format(book_);
            format_set_num_format(it->second, pattern.c_str());
        }
        return it->second;
    }

    lxw_workbook* book_ = nullptr;
    lxw_format* bold_ = nullptr;
    lxw_format* header_ = nullptr;
    std::map<std::string, lxw_format*> formats_;
};

std::string csvField(const std::string& text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos && (text.empty() || (text.front() != ' ' && text.back() != ' ')))
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

} // namespace

std::vector<std::string> sheetTopLines(const std::string& caption, const std::string& unit, const std::string& census,
                                       const std::optional<std::string>& migrationOrigin)
{
    std::vector<std::string> lines = {"Filtro: " + caption + unit, "Censo: " + census};
    if (migrationOrigin)
        lines.push_back("Do " + *migrationOrigin);
    return lines;
}

std::string csvNumber(double value)
{
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
    std::string text(buffer, end);
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

std::string csvText(const SheetPage& page)
{
    std::string text = "\xEF\xBB\xBF";   // the mark spreadsheets look for to read UTF-8
    for (const auto& line : page.topLines)
        text += csvField(line) + "\r\n";
    text += "\r\n";
    const auto putRow = [&text](const auto& fields, const auto& field) {
        for (std::size_t c = 0; c < fields.size(); ++c)
            text += (c ? ";" : "") + field(fields[c]);
        text += "\r\n";
    };
    putRow(page.grid->headers, [](const std::string& h) { return csvField(h); });
    for (const auto& cells : page.grid->rows)
        putRow(cells, [](const GridCell& cell) {
            switch (cell.kind) {
            case GridCell::Kind::Number:
                return csvNumber(cell.number);
            case GridCell::Kind::NoShare:
                return std::string();
            case GridCell::Kind::Missing:
                return std::string(kMissing);
            default:
                return csvField(cell.shown);
            }
        });
    return text;
}

void writeWorkbook(platform::PendingFile& file, const std::vector<SheetPage>& pages)
{
    Workbook book(file);
    for (const auto& page : pages)
        book.add(page);
    if (!book.close())
        cannotWrite(file);
}

} // namespace daxo::reports
