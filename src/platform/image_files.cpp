#include "image_files.h"

#include "safe_files.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace daxo::platform {

namespace {

constexpr int kScreenDpi = 96;
constexpr int kPngQuality = 80;

std::string_view bytesOf(const QByteArray& bytes) { return {bytes.constData(), static_cast<std::size_t>(bytes.size())}; }

FileError cannotDraw(const std::filesystem::path& path)
{
    return FileError("gravar", path, std::make_error_code(std::errc::invalid_argument));
}

// Every device starts on white at the same logical size, so one drawing
// gives the same picture in the three formats.
void drawOn(QPaintDevice& device, QSize size, double scale, const PictureDrawing& draw,
            const std::filesystem::path& path)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw cannotDraw(path);
    painter.scale(scale, scale);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    draw(painter);
}

QByteArray png(QSize size, const PictureDrawing& draw, const std::filesystem::path& path)
{
    QImage image(size * kPngScale, QImage::Format_RGB32);
    if (image.isNull())
        throw cannotDraw(path);
    drawOn(image, size, kPngScale, draw, path);
    // Set after drawing: fonts given in points must not grow twice.
    const int dotsPerMeter = static_cast<int>(kScreenDpi * kPngScale / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // A light compression: a large picture is written several times faster
    // for a few percent more bytes.
    if (!image.save(&buffer, "PNG", kPngQuality))
        throw cannotDraw(path);
    return bytes;
}

QByteArray svg(QSize size, const std::string& title, const PictureDrawing& draw, const std::filesystem::path& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator picture;
    picture.setOutputDevice(&buffer);
    picture.setSize(size);
    picture.setViewBox(QRect(QPoint(0, 0), size));
    picture.setResolution(kScreenDpi);
    picture.setTitle(QString::fromStdString(title));
    picture.setDescription("DAXO");
    drawOn(picture, size, 1, draw, path);
    return bytes;
}

QByteArray pdf(QSize size, const std::string& title, const PictureDrawing& draw, const std::filesystem::path& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kScreenDpi);
        writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / kScreenDpi, QPageSize::Point, {}, QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator("DAXO");
        drawOn(writer, size, 1, draw, path);
    }
    return bytes;
}

} // namespace

void saveImageSafely(const QImage& image, const std::filesystem::path& path, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        throw cannotDraw(path);
    writeFileSafely(path, bytesOf(bytes));
}

std::optional<PictureFormat> pictureFormatOf(const std::filesystem::path& path)
{
    const QString extension = QString::fromStdString(path.extension().string()).toLower();
    if (extension == ".png")
        return PictureFormat::Png;
    if (extension == ".svg")
        return PictureFormat::Svg;
    if (extension == ".pdf")
        return PictureFormat::Pdf;
    return std::nullopt;
}

void writePicture(const std::filesystem::path& path, PictureFormat format, QSize size, const std::string& title,
                  const PictureDrawing& draw)
{
    const QByteArray bytes = format == PictureFormat::Png   ? png(size, draw, path)
                             : format == PictureFormat::Svg ? svg(size, title, draw, path)
                                                            : pdf(size, title, draw, path);
    writeFileSafely(path, bytesOf(bytes));
}

} // namespace daxo::platform
