#include "report_export.h"

#include "platform/safe_files.h"

#include <algorithm>
#include <stdexcept>

namespace daxo::reports {

namespace fs = std::filesystem;

namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

const fs::path& reportFile(const ReportOutput& report, const std::string& extension)
{
    for (const auto& file : report.files)
        if (file.extension() == extension && file.stem() == report.page.stem())
            return file;
    throw std::runtime_error("O relatório não tem o arquivo " + extension +
                             "; faça a tabela de novo para exportá-lo.");
}

} // namespace

std::vector<fs::path> exportReport(const ReportOutput& report, const fs::path& programFolder, const fs::path& target)
{
    const std::string extension = lower(target.extension().string());
    if (extension == ".xlsx" || extension == ".csv") {
        daxo::platform::copyFileSafely(reportFile(report, extension), target);
        return {target};
    }
    if (extension != ".html")
        throw std::runtime_error("Escolha um arquivo .xlsx, .csv ou .html para exportar a tabela.");
    const fs::path folder = target.parent_path();
    std::vector<fs::path> written;
    for (const auto& file : report.files) {
        const std::string ext = file.extension().string();
        if (ext != ".html" && ext != ".xls")
            continue;
        daxo::platform::copyFileSafely(file, folder / file.filename());
        written.push_back(folder / file.filename());
    }
    if (target.filename() != report.page.filename()) {
        daxo::platform::copyFileSafely(reportFile(report, ".html"), target);
        written.push_back(target);
    }
    const auto images = copyPageImages(programFolder, folder);
    written.insert(written.end(), images.begin(), images.end());
    return written;
}

std::vector<fs::path> copyPageImages(const fs::path& programFolder, const fs::path& folder)
{
    std::error_code ec;
    if (fs::equivalent(programFolder, folder, ec))
        return {};
    std::vector<fs::path> written;
    for (const auto& image : kPageImages)
        if (fs::exists(programFolder / image, ec)) {
            daxo::platform::copyFileSafely(programFolder / image, folder / image);
            written.push_back(folder / image);
        }
    return written;
}

} // namespace daxo::reports
