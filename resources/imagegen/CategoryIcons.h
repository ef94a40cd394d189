#pragma once
// The driver-category pictures: one coloured tile per category with a white
// pictogram of what the category holds.
#include <QImage>

#include <vector>

namespace imagegen {

struct CategoryIcon {
    int number;            // the N of the skin "_skin.sys.dirver.icon_N"
    const char* category;  // what the picture stands for
};

// Every category that has a picture, in the order of their numbers.
const std::vector<CategoryIcon>& CategoryIcons();

// The 40 x 40 picture of the category at `index` of CategoryIcons().
QImage DrawCategoryIcon(std::size_t index);

}  // namespace imagegen
