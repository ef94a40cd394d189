#include "PictureDrawing.h"

namespace SOUI::detail {

namespace {

bool g_drawingPicture = false;

}  // namespace

bool DrawingPicture() {
    return g_drawingPicture;
}

PictureDrawingScope::PictureDrawingScope() : outer_(g_drawingPicture) {
    g_drawingPicture = true;
}

PictureDrawingScope::~PictureDrawingScope() {
    g_drawingPicture = outer_;
}

}  // namespace SOUI::detail
