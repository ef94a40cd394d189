// The image decoder module: PNG, JPEG, BMP and GIF through Qt.
#include <QImage>
#include <QString>

#include <algorithm>

#include "soui/IRender.h"

namespace {

class ImgDecoder : public SOUI::TObjRefImpl<SOUI::IImgDecoderFactory> {
public:
    SOUI::BOOL DecodeImage(const void* data, std::size_t size, SOUI::SImageData* out) override {
        if (data == nullptr || out == nullptr || size == 0 || size > static_cast<std::size_t>(INT32_MAX)) {
            return SOUI::FALSE;
        }
        QImage image;
        if (!image.loadFromData(static_cast<const uchar*>(data), static_cast<int>(size))) return SOUI::FALSE;
        image = image.convertToFormat(QImage::Format_ARGB32);
        out->width = image.width();
        out->height = image.height();
        out->pixels.resize(static_cast<std::size_t>(out->width) * static_cast<std::size_t>(out->height));
        for (int y = 0; y < out->height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            std::copy(row, row + out->width,
                      out->pixels.begin() + static_cast<std::ptrdiff_t>(y) * out->width);
        }
        return SOUI::TRUE;
    }

    SOUI::BOOL SavePng(const SOUI::SImageData& image, const std::wstring& path) override {
        const auto expected = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
        if (image.width <= 0 || image.height <= 0 || image.pixels.size() != expected) return SOUI::FALSE;
        const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                          image.width * 4, QImage::Format_ARGB32);
        return view.save(QString::fromStdWString(path), "PNG") ? SOUI::TRUE : SOUI::FALSE;
    }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) SOUI::BOOL SCreateInstance(SOUI::IObjRef** object) {
    if (object == nullptr) return SOUI::FALSE;
    *object = new ImgDecoder();
    return SOUI::TRUE;
}
