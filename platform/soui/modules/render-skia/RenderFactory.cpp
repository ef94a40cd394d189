// The renderer module: render targets and bitmaps over QPainter.
#include "RenderTarget.h"

namespace SOUI::render {

namespace {

class RenderFactory : public TObjRefImpl<IRenderFactory> {
public:
    void SetImgDecoderFactory(IImgDecoderFactory* decoder) override { decoder_ = decoder; }
    IImgDecoderFactory* GetImgDecoderFactory() override { return decoder_; }

    BOOL CreateRenderTarget(IRenderTarget** target, int width, int height) override {
        if (target == nullptr) return FALSE;
        *target = new RenderTarget(width, height);
        return TRUE;
    }

    BOOL CreateBitmap(IBitmap** bmp, const SImageData& image) override {
        const auto expected = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
        if (bmp == nullptr || image.width <= 0 || image.height <= 0 || image.pixels.size() != expected)
            return FALSE;
        QImage plain(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                     image.width * 4, QImage::Format_ARGB32);
        *bmp = new Bitmap(plain.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        return TRUE;
    }

private:
    SAutoRefPtr<IImgDecoderFactory> decoder_;
};

}  // namespace

}  // namespace SOUI::render

extern "C" __attribute__((visibility("default"))) SOUI::BOOL SCreateInstance(SOUI::IObjRef** object) {
    if (object == nullptr) return SOUI::FALSE;
    *object = new SOUI::render::RenderFactory();
    return SOUI::TRUE;
}
