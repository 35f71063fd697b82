#pragma once
// Pictures the program saves go through a temporary file like every other
// file it writes.
#include <QImage>

#include <filesystem>

namespace daxo::platform {

// Writes `image` in `format` ("BMP"); throws FileError naming the file and
// the reason.
void saveImageSafely(const QImage& image, const std::filesystem::path& path, const char* format);

} // namespace daxo::platform
