#pragma once
// Whether the windows are being drawn into a picture (SHostWnd::RenderToImage)
// rather than onto the screen. Native parts such as line edits show
// themselves on the screen; only a picture needs the host to draw what they
// show.
namespace SOUI::detail {

bool DrawingPicture();

// Marks the drawing of one picture, on the window thread.
class PictureDrawingScope {
public:
    PictureDrawingScope();
    ~PictureDrawingScope();
    PictureDrawingScope(const PictureDrawingScope&) = delete;
    PictureDrawingScope& operator=(const PictureDrawingScope&) = delete;

private:
    bool outer_;
};

}  // namespace SOUI::detail
