#include "image_files.h"

#include "safe_files.h"

#include <QBuffer>

namespace daxo::platform {

void saveImageSafely(const QImage& image, const std::filesystem::path& path, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        throw FileError("gravar", path, std::make_error_code(std::errc::invalid_argument));
    writeFileSafely(path, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
}

} // namespace daxo::platform
